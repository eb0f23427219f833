// Enter follows the page's line ends and keeps the indentation; the tag the
// caret is in is marked with its partner.
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QTabBar>

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

// Undo and Redo work within the slot; a switch never lets Undo bring in
// another slot's text.
TEST(EditingComforts, UndoAndRedoStayWithinTheSlot) {
    TestWindow w;
    auto* tabs = w->findChild<QTabBar*>("TabStrip1");
    SourcePane& pane = w->source();
    const QString page = w->documents().pageTemplate();
    pane.setSelection(0, 0);
    pane.replaceSelection("one ");
    pane.undoOnce();
    EXPECT_EQ(pane.text(), page);
    ASSERT_TRUE(pane.canRedo());
    ASSERT_TRUE(w->commands().run("mnuEditRedo"));
    EXPECT_EQ(pane.text(), "one " + page);
    tabs->setCurrentIndex(1);
    pane.replaceSelection("two ");
    tabs->setCurrentIndex(0);
    EXPECT_EQ(pane.text(), "one " + page);
    EXPECT_FALSE(pane.canUndo());
}

TEST(EditingComforts, GoToLineMovesTheCaret) {
    TestWindow w;
    w->source().setText("a\nb\nc\nd");
    w.prompts.expectInput("Go to line:", "Go to Line", "3");
    ASSERT_TRUE(w->commands().run("mnuGoToLine"));
    EXPECT_EQ(w->source().selectionStart(), 4);
}
