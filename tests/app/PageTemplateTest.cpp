#include "core/PageTemplate.h"
#include "support/ExpectedTexts.h"

#include <gtest/gtest.h>

// The page every new slot starts from, written out line by line.
TEST(PageTemplate, IsTheSeventeenLinesEachEndedByOneLineFeed) {
    EXPECT_EQ(pageTemplate().toStdString(), expected::PageTemplate);
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
