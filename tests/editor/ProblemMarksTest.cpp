// The page's problems in the window: marked in the pane where they stand
// (squiggle and margin marker), counted in the status bar, visited with F8
// and Shift+F8, listed in a window whose rows move the caret; the marks
// follow edits made before the next check, and a mended page has none.
#include "editor/ProblemMarks.h"
#include "app/FrmEdit.h"
#include "app/StatusPanels.h"
#include "editor/FindBar.h"
#include "editor/ProblemCommands.h"
#include "editor/ProblemList.h"
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTreeWidget>

using namespace markwright;

namespace {
// Two mistakes: an <img> without alt on line 3, a <div> never closed on 5.
const char* const Page = "<!DOCTYPE html>\n"
                         "<title>Two mistakes</title>\n"
                         "<p>A picture: <img src=\"data:,\">\n"
                         "<ul><li>one<li>two</ul>\n"
                         "<div>open\n"
                         "<p>the end\n";

bool squiggled(SourcePane& pane, long at) {
    return pane.SendScintilla(QsciScintilla::SCI_INDICATORVALUEAT, ProblemMarks::ErrorIndicator,
                              at) != 0;
}
bool markedLine(SourcePane& pane, long line) {
    return (pane.SendScintilla(QsciScintilla::SCI_MARKERGET, line) & (1 << ProblemMarks::Marker)) !=
           0;
}
} // namespace

TEST(ProblemMarks, MarkedCountedVisitedAndListed) {
    TestWindow w;
    SourcePane& pane = w->source();
    pane.setText(QString::fromUtf8(Page));
    const long img = QByteArray(Page).indexOf("<img");
    const long div = QByteArray(Page).indexOf("<div>");
    QTRY_VERIFY(w->statusPanels().text(7).endsWith(QLatin1String("2 problems")));
    EXPECT_TRUE(squiggled(pane, img));
    EXPECT_TRUE(squiggled(pane, div + 2));
    EXPECT_FALSE(squiggled(pane, QByteArray(Page).indexOf("<ul>"))) << "omitted </li> is fine";
    EXPECT_TRUE(markedLine(pane, 2));
    EXPECT_TRUE(markedLine(pane, 4));
    EXPECT_FALSE(markedLine(pane, 3));
    // The find bar's marks are its own: clearing them leaves the problems'.
    w.run("mnuFindBar");
    auto* findBar = w->findChild<FindBar*>();
    ASSERT_NE(findBar, nullptr);
    findBar->findField()->setText(QStringLiteral("img"));
    findBar->findNext();
    findBar->findField()->setText(QStringLiteral("zzz"));
    findBar->findNext();
    EXPECT_TRUE(squiggled(pane, img));

    // F8 goes to each in turn and round again; Shift+F8 goes back.
    pane.setSelection(0, 0);
    w.press(Qt::Key_F8);
    EXPECT_EQ(pane.caretByte(), img);
    EXPECT_TRUE(w->findChild<QStatusBar*>(QStringLiteral("StatusBar1"))
                    ->currentMessage()
                    .contains(QLatin1String("<img> has no alt")));
    w.press(Qt::Key_F8);
    EXPECT_EQ(pane.caretByte(), div);
    EXPECT_TRUE(w->findChild<QStatusBar*>(QStringLiteral("StatusBar1"))
                    ->currentMessage()
                    .contains(QLatin1String("never closed")));
    w.press(Qt::Key_F8);
    EXPECT_EQ(pane.caretByte(), img);
    w.press(QKeyCombination(Qt::ShiftModifier, Qt::Key_F8));
    EXPECT_EQ(pane.caretByte(), div);

    // The list: line and message, a row moves the caret; it does not block.
    w.run("mnuListProblems");
    auto* list = w->findChild<ProblemList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(list->isModal());
    auto* rows = list->findChild<QTreeWidget*>(QStringLiteral("problemRows"));
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    EXPECT_EQ(rows->topLevelItem(0)->text(0), "3");
    EXPECT_EQ(rows->topLevelItem(1)->text(0), "5");
    EXPECT_TRUE(rows->topLevelItem(1)->text(1).startsWith(QLatin1String("<div> opened on line 5")));
    emit rows->itemActivated(rows->topLevelItem(0), 0);
    EXPECT_EQ(pane.caretByte(), img);

    // An edit before the next check moves the marks with the text.
    pane.setSelection(0, 0);
    pane.replaceSelection("\n\n");
    EXPECT_TRUE(squiggled(pane, img + 2));
    pane.setSelection(0, 0);
    w.press(Qt::Key_F8);
    EXPECT_EQ(pane.caretByte(), img + 2);

    // Mended, the page has no problems and the count goes.
    QString mended = QString::fromUtf8(Page);
    mended.replace("\">", "\" alt=\"\">").replace("open\n", "open</div>\n");
    pane.selectAllText();
    pane.replaceSelection(mended);
    QTRY_VERIFY(!w->statusPanels().text(7).contains(QLatin1String("problem")));
    EXPECT_FALSE(squiggled(pane, img));
    EXPECT_EQ(rows->topLevelItemCount(), 0) << "the open list follows";
    list->close();
}

// Obsolete markup is only pointed out when asked for, and then quietly.
TEST(ProblemMarks, ObsoleteMarkupHintsAreOffUntilSwitchedOn) {
    TestWindow w;
    SourcePane& pane = w->source();
    pane.setText("<!DOCTYPE html><title>Old</title><center>middle</center>\n");
    const long center = QByteArray("<!DOCTYPE html><title>Old</title>").size();
    QTest::qWait(50);
    QTRY_COMPARE(w->problems().marks().count(), 0);
    auto* hints = w->findChild<QAction*>(QStringLiteral("mnuObsoleteHints"));
    ASSERT_NE(hints, nullptr);
    EXPECT_FALSE(hints->isChecked());
    hints->trigger();
    QTRY_COMPARE(w->problems().marks().count(), 1);
    EXPECT_EQ(pane.SendScintilla(QsciScintilla::SCI_INDICATORVALUEAT, ProblemMarks::HintIndicator,
                                 center),
              1);
    EXPECT_FALSE(squiggled(pane, center));
    hints->trigger();
    QTRY_COMPARE(w->problems().marks().count(), 0);
}

// A file that is no page (a stylesheet, a text, the snippets) is not checked.
TEST(ProblemMarks, FilesThatAreNoPagesAreNotChecked) {
    TestWindow w;
    const QString page = w.docFolder() + "page.html";
    const QString notes = w.docFolder() + "notes.txt";
    ASSERT_TRUE(writeBytes(page, "<div>never closed\n"));
    ASSERT_TRUE(writeBytes(notes, "<div>never closed\n"));
    w.open(page);
    QTRY_COMPARE(w->problems().marks().count(), 1);
    w.open(notes);
    QTRY_COMPARE(w->source().text(), QStringLiteral("<div>never closed\n"));
    QTest::qWait(600);
    EXPECT_EQ(w->problems().marks().count(), 0);
}
