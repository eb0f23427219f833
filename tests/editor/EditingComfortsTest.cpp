// Enter follows the page's line ends and keeps the indentation; the tag the
// caret is in is marked with its partner; each slot keeps its own document.
// (Go to Line and Undo within a slot are among the editor-command scenarios.)
#include "editor/SourcePane.h"
#include "support/TestData.h"

#include <QTest>

TEST(EditingComforts, EnterTypesThePagesOwnLineEndAndKeepsTheIndentation) {
    for (const QByteArrayList& c : testdata::table("expected/enter-key.txt")) {
        SourcePane pane;
        pane.setText(QString::fromUtf8(c[0]));
        pane.setSelection(static_cast<int>(pane.text().size()), 0);
        QTest::keyClick(&pane, Qt::Key_Return);
        EXPECT_EQ(pane.text(), QString::fromUtf8(c[1])) << c[0].toHex().data();
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

// A slot shown again comes back where it was left, coloured and in UTF-8 like
// the slot shown first; a slot whose text changed meanwhile is loaded afresh.
TEST(EditingComforts, ASlotShownAgainKeepsItsPlaceAndItsDocumentSettings) {
    SourcePane pane;
    pane.resize(400, 200);
    QString page;
    for (int line = 0; line < 400; ++line) {
        page += QStringLiteral("<p>line %1</p>\n").arg(line);
    }
    pane.showSlot(1, page);
    pane.setSelection(30, 4);
    pane.SendScintilla(SourcePane::SCI_SETFIRSTVISIBLELINE, 250UL);
    pane.showSlot(2, QStringLiteral("caf\u00e9"));
    pane.showSlot(1, page);
    EXPECT_EQ(pane.SendScintilla(SourcePane::SCI_GETFIRSTVISIBLELINE), 250);
    EXPECT_EQ(pane.selectionStart(), 30);
    EXPECT_EQ(pane.selectionLength(), 4);
    pane.showSlot(2, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(pane.text(), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(pane.SendScintilla(SourcePane::SCI_GETCODEPAGE), SourcePane::SC_CP_UTF8);
    EXPECT_EQ(pane.SendScintilla(SourcePane::SCI_GETLEXER), SourcePane::SCLEX_HTML);
    pane.showSlot(1, QStringLiteral("<p>new</p>"));
    EXPECT_EQ(pane.text(), QStringLiteral("<p>new</p>"));
    EXPECT_FALSE(pane.canUndo());
}
