// Typing with the writing helps, as tests/data/typing/helps.txt has it: end
// tags put in and finished, abbreviations expanded, each an undo step of its
// own; the user's snippets with their places; and the completion list
// opening where a name begins and going on into a folder.
#include "editor/WritingHelp.h"
#include "app/FrmEdit.h"
#include "editor/SnippetSession.h"
#include "editor/SnippetsFile.h"
#include "editor/SourcePane.h"
#include "editor/UserSnippets.h"
#include "html/HtmlModel.h"
#include "support/TestData.h"
#include "support/TestWindow.h"

#include <QTest>

using namespace markwright;

namespace {
const QString Caret = QStringLiteral("\u2038");

// The pane's text with the caret marked.
QString shown(SourcePane& pane) {
    QByteArray bytes = pane.bytes().toByteArray();
    bytes.insert(pane.caretByte(), Caret.toUtf8());
    return QString::fromUtf8(bytes);
}

void type(SourcePane& pane, const QString& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.mid(i).startsWith(QLatin1String("{Tab}"))) {
            QTest::keyClick(&pane, Qt::Key_Tab);
            i += 4;
        } else if (keys.mid(i).startsWith(QLatin1String("{S-Tab}"))) {
            QTest::keyClick(&pane, Qt::Key_Backtab, Qt::ShiftModifier);
            i += 6;
        } else if (keys.mid(i).startsWith(QLatin1String("{Bs}"))) {
            QTest::keyClick(&pane, Qt::Key_Backspace);
            i += 3;
        } else if (keys.mid(i).startsWith(QLatin1String("{Undo}"))) {
            pane.undoOnce();
            i += 5;
        } else {
            QTest::keyClick(&pane, keys[i].toLatin1());
        }
    }
}

void start(SourcePane& pane, const QString& marked) {
    const qsizetype caret = marked.indexOf(Caret);
    pane.setText(QString(marked).remove(Caret));
    pane.setSelection(static_cast<int>(caret), 0);
}
} // namespace

TEST(WritingHelp, TypingAsTheTableHasIt) {
    const QList<QByteArrayList> rows = testdata::table("typing/helps.txt");
    ASSERT_GT(rows.size(), 30);
    for (const QByteArrayList& row : rows) {
        SourcePane pane;
        WritingHelp help(pane, [] { return QString(); });
        pane.show();
        start(pane, QString::fromUtf8(row[0]) + '\n');
        type(pane, QString::fromUtf8(row[1]));
        EXPECT_EQ(shown(pane), QString::fromUtf8(row[2]) + '\n')
            << row[0].toStdString() << " + " << row[1].toStdString();
    }
}

// A snippet: its trigger and Tab put its text in, indented like the line;
// Tab and Shift+Tab go between its places, what is typed in a place that
// stands twice is in both, and the caret ends at $0.
TEST(WritingHelp, SnippetsFillTheirPlacesInTurn) {
    SourcePane pane;
    WritingHelp help(pane, [] { return QString(); });
    help.setSnippets(snippets::parse(testdata::text("typing/snippets.txt")));
    pane.show();
    start(pane, QStringLiteral("<body>\n\tfig\u2038\n</body>\n"));
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_EQ(shown(pane), QStringLiteral("<body>\n\t<figure>\n\t\t<img src=\"\u2038\" alt=\"\">\n"
                                          "\t\t<figcaption></figcaption>\n\t</figure>\n</body>\n"));
    type(pane, QStringLiteral("a.png{Tab}Cat"));
    EXPECT_EQ(shown(pane),
              QStringLiteral("<body>\n\t<figure>\n\t\t<img src=\"a.png\" alt=\"Cat\u2038\">\n"
                             "\t\t<figcaption>Cat</figcaption>\n\t</figure>\n</body>\n"));
    type(pane, QStringLiteral("{S-Tab}"));
    EXPECT_EQ(pane.selectedText(), QStringLiteral("a.png"));
    type(pane, QStringLiteral("{Tab}{Tab}"));
    EXPECT_EQ(shown(pane),
              QStringLiteral("<body>\n\t<figure>\n\t\t<img src=\"a.png\" alt=\"Cat\">\n"
                             "\t\t<figcaption>Cat</figcaption>\n\t</figure>\u2038\n</body>\n"));
    // The session is over: Tab is Tab again.
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_TRUE(shown(pane).contains(QStringLiteral("</figure>\t\u2038")));
    // A default is selected, and typing replaces it; one Undo takes the
    // snippet back.
    start(pane, QStringLiteral("lnk\u2038\n"));
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_EQ(pane.selectedText(), QStringLiteral("https://"));
    pane.setSelection(0, 0);
    start(pane, QStringLiteral("lnk\u2038\n"));
    type(pane, QStringLiteral("{Tab}{Undo}"));
    EXPECT_EQ(shown(pane), QStringLiteral("lnk\u2038\n"));
}

// The list opens where a name begins; choosing an attribute adds its
// quotes; choosing a folder goes on into it.
TEST(WritingHelp, CompletionListOpensAndChoosingGoesOn) {
    QTemporaryDir site;
    QDir(site.path()).mkpath(QStringLiteral("images"));
    writeBytes(site.filePath(QStringLiteral("images/logo.png")), "png");
    SourcePane pane;
    WritingHelp help(pane, [&] { return site.path(); });
    pane.show();
    const auto listShown = [&] { return pane.SendScintilla(SourcePane::SCI_AUTOCACTIVE) != 0; };
    start(pane, QStringLiteral("\u2038\n"));
    type(pane, QStringLiteral("<im"));
    EXPECT_TRUE(listShown());
    type(pane, QStringLiteral("{Tab} s"));
    EXPECT_TRUE(listShown());
    type(pane, QStringLiteral("rc{Tab}"));
    EXPECT_EQ(shown(pane), QStringLiteral("<img src=\"\u2038\"\n"));
    EXPECT_TRUE(listShown()) << "the files beside the page";
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_EQ(shown(pane), QStringLiteral("<img src=\"images/\u2038\"\n"));
    EXPECT_TRUE(listShown()) << "on into the folder";
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_EQ(shown(pane), QStringLiteral("<img src=\"images/logo.png\u2038\"\n"));
    // A folder's name typed out with its '/' goes on into it too.
    start(pane, QStringLiteral("<img src=\"\u2038\"\n"));
    type(pane, QStringLiteral("images/"));
    EXPECT_TRUE(listShown());
    type(pane, QStringLiteral("{Tab}"));
    EXPECT_EQ(shown(pane), QStringLiteral("<img src=\"images/logo.png\u2038\"\n"));
}

// Edit > Snippets... opens the user's snippets file in a free slot, written
// with examples the first time; a change to the file counts at once.
TEST(WritingHelp, SnippetsFileOpensWithExamplesAndReloadsWhenSaved) {
    TestWindow w;
    const QString path = w->snippets().path();
    QFile::remove(path);
    w.run("mnuSnippets");
    QTRY_COMPARE(w->documents().title(w->currentSlot()), QFileInfo(path).fileName());
    EXPECT_TRUE(w->source().text().contains(QLatin1String("snippet figure")));
    EXPECT_FALSE(w->snippets().snippets().empty());
    ASSERT_TRUE(writeBytes(path, "snippet hi Greets\n<p>Hello, $1!</p>\n"));
    QTRY_COMPARE(w->snippets().snippets().size(), std::size_t(1));
    EXPECT_EQ(w->snippets().snippets().front().trigger, "hi");
    QFile::remove(path);
}

// With the page's model current, the partner is the tag a browser pairs,
// not a look-alike in a value.
TEST(WritingHelp, RenamingFollowsTheModelWhileItIsCurrent) {
    SourcePane pane;
    WritingHelp help(pane, [] { return QString(); });
    pane.show();
    start(pane, QStringLiteral("<div\u2038 title=\"</div>\">x</div>\n"));
    pane.setPageModel(
        std::make_shared<const html::HtmlModel>(*html::HtmlModel::parse(pane.bytes())));
    type(pane, QStringLiteral("{Bs}{Bs}{Bs}p"));
    EXPECT_EQ(shown(pane), QStringLiteral("<p\u2038 title=\"</div>\">x</p>\n"));
}
