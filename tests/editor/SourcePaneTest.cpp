#include "editor/SourcePane.h"
#include "support/ProjectNames.h"
#include "support/TestData.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// Text is kept exactly as given; selections count UTF-16 units across any
// characters, and a replacement leaves the caret after the new text.
TEST(SourcePane, KeepsTextExactlyAndSelectsByUtf16Units) {
    SourcePane pane;
    const QString text = QStringLiteral("a\r\nb\nc\rd caf\u00e9 \u4e2d ") +
                         QString::fromUcs4(U"\U0001F600") + QChar(0) + QStringLiteral(" end");
    pane.setText(text);
    EXPECT_EQ(pane.text(), text);
    EXPECT_EQ(pane.selectionStart(), 0) << "writing the whole text puts the caret at the start";
    EXPECT_EQ(pane.selectionLength(), 0);
    const int emoji = static_cast<int>(text.indexOf(QString::fromUcs4(U"\U0001F600")));
    pane.setSelection(emoji, 3); // the emoji (2 units) and the NUL
    EXPECT_EQ(pane.selectionStart(), emoji);
    EXPECT_EQ(pane.selectionLength(), 3);
    EXPECT_EQ(pane.selectedText(), text.mid(emoji, 3));
    pane.replaceSelection(QStringLiteral("<br>\n"));
    EXPECT_EQ(pane.text(), text.left(emoji) + "<br>\n" + text.mid(emoji + 3));
    EXPECT_EQ(pane.selectionStart(), emoji + 5);
    EXPECT_EQ(pane.selectionLength(), 0);
    EXPECT_TRUE(QFontInfo(pane.font()).fixedPitch());
}

// Places in the pane's UTF-8 bytes and in QString's UTF-16 units map onto
// each other at every kind of character, on any line, or selections land in
// the middle of characters; places past the end are the end.
TEST(SourcePane, MapsEveryCharacterBoundaryBetweenBytesAndUnits) {
    SourcePane pane;
    const QString line = QStringLiteral("a\u00e9\u4e2d") + QString::fromUcs4(U"\U0001F600") +
                         QStringLiteral("z") + QChar(0) + QStringLiteral("\r\n");
    pane.setText(line.repeated(3));
    const QByteArrayList rows = [] {
        QByteArrayList all;
        for (const QByteArrayList& row : testdata::table("expected/utf8-offsets.txt")) {
            all << row[0] + '|' + row[1];
        }
        return all;
    }();
    for (int copy = 0; copy < 3; ++copy) {
        for (const QByteArray& row : rows) {
            const int unit = row.split('|')[0].toInt() + copy * 9;
            const long byte = row.split('|')[1].toLong() + copy * 14;
            pane.setSelection(unit, 0);
            EXPECT_EQ(pane.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), byte) << unit;
            EXPECT_EQ(pane.selectionStart(), unit) << unit;
        }
    }
    pane.setSelection(4, 0); // inside the emoji: on to its end
    EXPECT_EQ(pane.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 10);
    pane.setSelection(2, 100);
    EXPECT_EQ(pane.selectionLength(), 27 - 2);
}

// Every operation raises one change, including an empty replacement; Find
// selects what it finds and changes nothing.
TEST(SourcePane, EachOperationRaisesOneChange) {
    SourcePane pane;
    QSignalSpy changes(&pane, &SourcePane::changed);
    pane.setText("hello world");
    EXPECT_EQ(changes.count(), 1);
    pane.setSelection(0, 5);
    pane.replaceSelection(QString());
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(pane.text(), " world");
    pane.replaceSelection("x");
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(pane.find("WORLD", 0, Qt::CaseInsensitive), 2);
    EXPECT_EQ(pane.selectedText(), "world");
    EXPECT_EQ(pane.find("absent", 0, Qt::CaseInsensitive), -1);
    EXPECT_EQ(changes.count(), 3) << "find does not change the text";
}

// Pasting keeps the clipboard's line ends; Undo steps back an edit but never
// a load.
TEST(SourcePane, PasteKeepsLineEndsAndUndoStepsBackEditsButNotALoad) {
    SourcePane pane;
    pane.setText("ab");
    EXPECT_FALSE(pane.canUndo());
    pane.undoOnce(); // nothing to undo: nothing happens
    EXPECT_EQ(pane.text(), "ab");
    QApplication::clipboard()->setText("x\ny\rz");
    pane.setSelection(0, 0);
    pane.paste();
    EXPECT_EQ(pane.text(), "x\ny\rzab");
    QTest::keySequence(&pane, QKeySequence::Paste);
    EXPECT_EQ(pane.text(), "x\ny\rzx\ny\rzab");
    EXPECT_TRUE(pane.canUndo());
    pane.undoOnce();
    EXPECT_EQ(pane.text(), "x\ny\rzab");
}

// Edits that do not come through the pane's own operations or key handling
// (a context-menu command, or text an input method commits) are still
// reported, once; a typed key and committed text before the event returns.
TEST(SourcePane, EditsFromOtherPathsAreReportedOnce) {
    SourcePane pane;
    pane.setText("abc");
    pane.setSelection(3, 0);
    QSignalSpy changes(&pane, &SourcePane::changed);
    pane.SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
    pane.SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(pane.text(), "a");
    QTest::keyClick(&pane, Qt::Key_X);
    EXPECT_EQ(changes.count(), 2) << "a typed key is reported before the key event returns";

    pane.setSelection(1, 0);
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("\u00e9\u4e2d"));
    QApplication::sendEvent(&pane, &event);
    EXPECT_EQ(pane.text(), QStringLiteral("a\u00e9\u4e2dx"));
    EXPECT_EQ(changes.count(), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 3);
}

// A block selection is read and replaced over the same range, so cutting it
// never removes more or less than it put on the clipboard.
TEST(SourcePane, BlockSelectionIsReadAndReplacedAlike) {
    SourcePane pane;
    pane.setText("abc\ndef\nghi");
    pane.SendScintilla(QsciScintillaBase::SCI_SETRECTANGULARSELECTIONANCHOR, 1UL);
    pane.SendScintilla(QsciScintillaBase::SCI_SETRECTANGULARSELECTIONCARET, 10UL);
    const QString selected = pane.selectedText();
    const int start = pane.selectionStart();
    pane.replaceSelection(QString());
    EXPECT_EQ(pane.text().left(start) + selected + pane.text().mid(start), "abc\ndef\nghi");
}

// With no screen reader listening, the pane's accessibility interface has no
// text interface: QScintilla's counts the characters up to the caret on
// every key.
TEST(SourcePane, HasAPlainAccessibleInterfaceWhileNoScreenReaderListens) {
    SourcePane pane;
    ASSERT_FALSE(QAccessible::isActive());
    QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&pane);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->textInterface(), nullptr);
}
