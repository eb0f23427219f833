// Enter follows the page's line ends and keeps the indentation; the tag the
// caret is in is marked with its partner.
#include "editor/SourcePane.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(EditingComforts, EnterTypesThePagesOwnLineEndAndKeepsTheIndentation) {
    const struct {
        QString text;
        QString typed;
    } cases[] = {
        {"<p>\n\tx", "<p>\n\tx\n\t"},
        {"<p>\r\n\tx", "<p>\r\n\tx\r\n\t"},
        {"<p>\rx", "<p>\rx\r"},
        {"x", "x\r\n"},
    };
    for (const auto& c : cases) {
        SourcePane pane;
        pane.setText(c.text);
        pane.setSelection(static_cast<int>(c.text.size()), 0);
        QTest::keyClick(&pane, Qt::Key_Return);
        EXPECT_EQ(pane.text(), c.typed) << c.text.toStdString();
    }
}

TEST(EditingComforts, TheTagAtTheCaretAndItsPartnerAreMarked) {
    SourcePane pane;
    pane.show(); // the marks follow the painted caret
    pane.setText("<ul><li>a</li></ul>");
    const auto marked = [&](int position) {
        return pane.SendScintilla(QsciScintilla::SCI_INDICATORVALUEAT, 8, position) != 0;
    };
    pane.setSelection(2, 0); // in <ul>
    QTest::qWait(20);
    EXPECT_TRUE(marked(1));
    EXPECT_TRUE(marked(16)) << "its closing tag";
    EXPECT_FALSE(marked(5)) << "the list item is not";
    pane.setSelection(8, 0); // in the text
    QTest::qWait(20);
    EXPECT_FALSE(marked(1));
}
