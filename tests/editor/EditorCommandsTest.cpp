// The Edit and Format Source commands on the real window, with the scripted
// input box.
#include "editor/EditorCommands.h"
#include "support/TestWindow.h"

#include <QClipboard>
#include <QMimeData>
#include <QTimer>

namespace {
// Types a key into the window the way the system would, so that menu
// shortcuts see it.
void typeKey(FrmEdit& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.source().setFocus();
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

const QString FindPrompt = "Enter the string to search for.";

class EditorCommandsTest : public ::testing::Test {
  protected:
    SourcePane& pane() { return w->source(); }
    void run(const char* command) { ASSERT_TRUE(w->commands().run(command)) << command; }
    QString selected() { return pane().selectedText(); }
    void find(const QString& answer, bool accepted = true) {
        w.prompts.expectInput(FindPrompt, "Find", answer, accepted);
        run("mnuEditFind");
    }

    TestWindow w;
};
} // namespace

TEST_F(EditorCommandsTest, FindSearchesTheSelectionOrTheWholeTextIgnoringCase) {
    pane().setText("one Two two TWO");
    find("two");
    EXPECT_EQ(pane().selectionStart(), 4);
    EXPECT_EQ(selected(), "Two");
    // The match is still selected: Find searches inside it and stays there.
    // Find Next then goes on to the end, and stays at the last match.
    find("two");
    QList<int> starts{pane().selectionStart()};
    for (int i = 0; i < 3; ++i) {
        run("mnuFindNext");
        starts << pane().selectionStart();
    }
    EXPECT_EQ(starts, (QList<int>{4, 8, 12, 12}));
    EXPECT_EQ(selected(), "TWO");

    // Not inside the selection: nothing found, the selection stays.
    pane().setSelection(0, 3);
    find("two");
    EXPECT_EQ(selected(), "one");
    EXPECT_EQ(w->editor().searchText(), "two");
}

// Find Next searches on from the end of the match, so overlapping matches
// are passed over; after the last match the selection stays.
TEST_F(EditorCommandsTest, FindNextStartsAfterTheWholeMatch) {
    pane().setText("aaaa");
    find("aa");
    QList<int> starts{pane().selectionStart()};
    for (int i = 0; i < 2; ++i) {
        run("mnuFindNext");
        starts << pane().selectionStart();
    }
    EXPECT_EQ(starts, (QList<int>{0, 2, 2}));
    EXPECT_EQ(pane().selectionLength(), 2);
}

TEST_F(EditorCommandsTest, CancelEmptiesTheSearchTextAndFindNextThenDoesNothing) {
    pane().setText("abc abc");
    find("abc");
    find("ignored", false);
    EXPECT_EQ(w->editor().searchText(), "");
    EXPECT_EQ(pane().selectionStart(), 0) << "an empty search leaves the selection";
    run("mnuFindNext");
    EXPECT_EQ(pane().selectionStart(), 0);
}

TEST_F(EditorCommandsTest, ReplaceIsExactCaseAndOneUndoStep) {
    pane().setText("<b>x</b><B>y</B>");
    find("keep");
    w.prompts.expectInput("Enter the string to be replaced.", "Find", "b");
    w.prompts.expectInput("Enter the string to replace with.", "Replace", "i");
    w->documents().setChanged(1, false);
    run("mnuFindAndReplace");
    EXPECT_EQ(pane().text(), "<i>x</i><B>y</B>");
    EXPECT_TRUE(w->documents().changed(1));
    EXPECT_EQ(w->editor().searchText(), "keep") << "replace does not change the search text";

    // An empty (or cancelled) second answer removes every occurrence.
    w.prompts.expectInput("Enter the string to be replaced.", "Find", "i>");
    w.prompts.expectInput("Enter the string to replace with.", "Replace", "", false);
    run("mnuFindAndReplace");
    EXPECT_EQ(pane().text(), "<x</<B>y</B>");
    run("mnuEditUndo");
    EXPECT_EQ(pane().text(), "<i>x</i><B>y</B>");

    // An empty first answer stops before the second prompt.
    w.prompts.expectInput("Enter the string to be replaced.", "Find", "");
    run("mnuFindAndReplace");
    EXPECT_EQ(pane().text(), "<i>x</i><B>y</B>");
}

TEST_F(EditorCommandsTest, NextTagWalksFromTagToTag) {
    pane().setText("<html><body class=\"a\">text<br></body>");
    pane().setSelection(2, 0); // the caret inside the first tag
    QStringList walked;
    for (int i = 0; i < 4; ++i) {
        run("mnuNextTag");
        walked << selected();
    }
    EXPECT_EQ(walked, (QStringList{"<body class=\"a\">", "<br>", "</body>", "</body>"}));
}

TEST_F(EditorCommandsTest, ClipboardKeepsEveryCharacter) {
    const QString text =
        QStringLiteral("caf\u00e9 \u4e2d\u6587 ") + QString::fromUcs4(U"\U0001F600");
    pane().setText("[" + text + "]");
    pane().setSelection(1, static_cast<int>(text.size()));
    run("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    pane().setSelection(0, 1);
    run("mnuEditPaste");
    EXPECT_EQ(pane().text(), text + text + "]");

    // Copy with nothing selected leaves an empty text and nothing else.
    auto* data = new QMimeData;
    data->setHtml("<b>other</b>");
    QApplication::clipboard()->setMimeData(data);
    pane().setSelection(0, 0);
    run("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "");
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
}

TEST_F(EditorCommandsTest, SelectAllCutAndUndo) {
    pane().setText("all of it");
    run("mnuEditUndo"); // nothing to undo: nothing happens
    EXPECT_EQ(pane().text(), "all of it");
    w->documents().setChanged(1, false);
    run("mnuEditDSelectAll");
    run("mnuEditCut");
    EXPECT_EQ(pane().text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "all of it");
    EXPECT_TRUE(w->documents().changed(1));
    run("mnuEditUndo");
    EXPECT_EQ(pane().text(), "all of it");
}

TEST_F(EditorCommandsTest, FormatReplacesTheSelectionAndF1FormatsRatherThanHelps) {
    pane().setText("before <a>\n<b>x</b></a> after");
    pane().setSelection(7, 17);
    typeKey(*w, Qt::Key_F1);
    EXPECT_EQ(pane().text(), "before \r\n<a>\r\n\t<b>x\r\n\t</b>\r\n</a> after");

    pane().setSelection(0, 0); // nothing selected: nothing changes
    run("mnuFormatCompact");
    EXPECT_EQ(pane().text(), "before \r\n<a>\r\n\t<b>x\r\n\t</b>\r\n</a> after");
    pane().setSelection(7, 31);
    typeKey(*w, Qt::Key_F3);
    EXPECT_EQ(pane().text(), "before <a><b>x </b></a> after") << "a TAB becomes a blank";
    pane().setSelection(7, 16);
    typeKey(*w, Qt::Key_F2);
    EXPECT_EQ(pane().text(), "before <a>\r\n<b>x </b>\r\n</a> after");
}

// A second format request while a long run yields is refused, and the run
// replaces the selection it started from exactly once.
TEST_F(EditorCommandsTest, ASecondFormatWhileOneRunsIsRefused) {
    const QString big = QString("<div><p>text</p></div>").repeated(50000);
    pane().setText(big);
    run("mnuEditDSelectAll");
    bool secondRan = true;
    QTimer::singleShot(0, [&] { secondRan = w->editor().format(EditorCommands::Style::Compact); });
    run("mnuFormatHierarchal");
    QApplication::processEvents();
    EXPECT_FALSE(secondRan);
    const QString text = pane().text();
    EXPECT_TRUE(text.startsWith("\r\n<div>\r\n\t<p>text\r\n</p>\r\n</div>\r\n<div>"));
    EXPECT_EQ(text.count("<div>"), big.count("<div>"));
}

TEST_F(EditorCommandsTest, CtrlFAsksForTheSearchText) {
    pane().setText("x");
    w.prompts.expectInput(FindPrompt, "Find", "x");
    typeKey(*w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(selected(), "x");
}
