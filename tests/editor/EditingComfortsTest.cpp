// Enter follows the page's line ends and keeps the indentation; the tag the
// caret is in is marked with its partner. (Go to Line and Undo within a slot
// are among the editor-command scenarios.)
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
