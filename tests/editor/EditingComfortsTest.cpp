// Enter follows the page's line ends and keeps the indentation; the tag the
// caret is in is marked with its partner; each slot keeps its own document.
// (Go to Line and Undo within a slot are among the editor-command scenarios.)
#include "editor/SourcePane.h"
#include "html/HtmlModel.h"
#include "support/TestData.h"

#include <QPaintEvent>
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

// With the page's model, a tag is what the browser reads: a '>' inside a
// quoted value does not end it. Any edit drops the model, made from the text
// as it was.
TEST(EditingComforts, TagMarksFollowTheModelWhileItIsCurrent) {
    SourcePane pane;
    pane.show();
    pane.setText("<a title=\"x>y\">link</a>");
    pane.setPageModel(
        std::make_shared<const html::HtmlModel>(*html::HtmlModel::parse(pane.bytes())));
    const auto marked = [&](int position) {
        return pane.SendScintilla(QsciScintilla::SCI_INDICATORVALUEAT, 8, position) != 0;
    };
    pane.setSelection(12, 0); // after the quoted '>'
    QTest::qWait(20);
    EXPECT_TRUE(marked(0));
    EXPECT_TRUE(marked(14)) << "the whole start tag";
    EXPECT_TRUE(marked(19)) << "its end tag";
    EXPECT_FALSE(marked(16)) << "the link text is not";
    pane.replaceSelection("z");
    EXPECT_EQ(pane.pageModel(), nullptr);
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

namespace {
// The tallest area the pane's view repaints.
struct RepaintWatch : QObject {
    int tallest = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            tallest =
                qMax(tallest, static_cast<QPaintEvent*>(event)->region().boundingRect().height());
        }
        return false;
    }
};

bool shows(SourcePane& pane, QRgb colour) {
    const QImage image = pane.viewport()->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) {
                return true;
            }
        }
    }
    return false;
}
} // namespace

// A key repaints its own line, not the whole view; the brace at the caret
// and its partner are still highlighted.
TEST(EditingComforts, AKeyRepaintsItsLineAndBracesAreMatched) {
    SourcePane pane;
    pane.resize(600, 400);
    pane.show();
    pane.setText(QStringLiteral("(a [b] c)\n").repeated(40));
    QTest::qWait(50);
    RepaintWatch watch;
    pane.viewport()->installEventFilter(&watch);
    for (int key = 0; key < 3; ++key) {
        QTest::keyClick(&pane, Qt::Key_X);
        QTest::qWait(20);
    }
    const int lineHeight = static_cast<int>(pane.SendScintilla(SourcePane::SCI_TEXTHEIGHT, 0UL));
    EXPECT_GT(watch.tallest, 0);
    EXPECT_LE(watch.tallest, 2 * lineHeight);
    const QRgb braceLight = qRgb(0xd8, 0xe6, 0xff);
    pane.setSelection(9, 0); // "xxx(a [b]": just after "]", whose partner is "["
    QTest::qWait(20);
    EXPECT_TRUE(shows(pane, braceLight));
    pane.setSelection(5, 0); // between "a" and " ": no brace
    QTest::qWait(20);
    EXPECT_FALSE(shows(pane, braceLight));
}
