#include "app/PageTemplate.h"

#include <gtest/gtest.h>

// The page every new slot starts from, written out line by line.
TEST(PageTemplate, IsTheSeventeenLinesEachEndedByOneLineFeed) {
    const char* expected = "<html>\n"
                           "\n"
                           "<head><!-- Company Remarks -->\n"
                           "<title>New Page</title>\n"
                           "<meta name=\"GENERATOR\" content=\"Markwright by Tollvane\">\n"
                           "<meta NAME=\"description\" CONTENT=\"Website Desription here.\">\n"
                           "<meta NAME=\"keywords\" CONTENT=\"Descriptive, Keywords, here,\">\n"
                           "</head>\n"
                           "\n"
                           "<body>\n"
                           "<body TOPMARGIN=\"10\" LEFTMARGIN=\"10\" MARGINWIDTH=\"10\" "
                           "MARGINHEIGHT=\"0\" bgcolor=\"#FFFFFF\" text=\"#000000\" "
                           "vlink=\"#808080\">\n"
                           "\n"
                           "Content here\n"
                           "\n"
                           "</body>\n"
                           "\n"
                           "</html>\n";
    EXPECT_EQ(pageTemplate().toStdString(), expected);
}

TEST(PageTemplate, UsesLineFeedsAndStraightQuotesOnly) {
    const QString page = pageTemplate();
    EXPECT_FALSE(page.contains(QLatin1Char('\r')));
    EXPECT_EQ(page.count(QLatin1Char('\n')), 17);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<html>\n\n")));
    EXPECT_TRUE(page.endsWith(QStringLiteral("</html>\n")));
    for (const QChar c : page) {
        EXPECT_LT(c.unicode(), 128) << "non-ASCII character in the page template";
    }
}
