// External browsers (the scenarios in tests/data/scenarios/browsers.txt),
// printing, the toolbar and the status bar on the real window, with
// scripted prompts and a recording launcher. (The test
// resolutions and the toolbar's buttons at work are among the main-window
// scenarios.)
#include "app/StatusPanels.h"
#include "app/ToolbarTable.h"
#include "support/Scenario.h"
#include "support/TestWindow.h"

#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>

namespace {
QString pdfText(const QString& path, const char* mode = "-layout") {
    QProcess process;
    process.start("pdftotext", {mode, path, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// How many lines down the page the first printed word stands, counting from
// the top margin (taken equal to the left one) in lines of the text itself.
double firstWordLine(const QString& path) {
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)")re");
    auto it = word.globalMatch(pdfText(path, "-bbox"));
    const auto first = it.next();
    const double x = first.captured(1).toDouble(), y = first.captured(2).toDouble();
    while (it.hasNext()) {
        const double next = it.next().captured(2).toDouble();
        if (next > y) {
            return (y - x) / (next - y);
        }
    }
    return -1;
}
} // namespace

TEST(ExternalBrowsers, Scenarios) {
    runScenarios("scenarios/browsers.txt");
}

TEST(PrintSource, PrintsAnEmptyLineThenTheSourceAndCancelPrintsNothing) {
    TestWindow w;
    QTemporaryDir out;
    w.printFile = out.filePath("source.pdf");
    w.prompts.expectPrint(false);
    w.run("mnuPrint");
    EXPECT_FALSE(QFile::exists(w.printFile));
    const Prompts::PrintRequest& request = w.prompts.last().print;
    EXPECT_FALSE(request.allowSelection);
    EXPECT_FALSE(request.allowPageRange);
    EXPECT_TRUE(request.allowPrintToFile) << "a machine without printers prints to a PDF file";
    EXPECT_EQ(request.minPage, 1);
    EXPECT_EQ(request.maxPage, 9999);
    EXPECT_EQ(request.copies, 0);

    w->source().setText("<p>first line</p>\r\n<p>second line</p>");
    w.prompts.expectPrint(true);
    w.run("mnuPrint");
    const QString text = pdfText(w.printFile);
    EXPECT_TRUE(text.contains("<p>first line</p>")) << text.toStdString();
    EXPECT_NEAR(firstWordLine(w.printFile), 1.0, 0.3) << "one empty line comes first";
    EXPECT_LT(text.indexOf("first line"), text.indexOf("second line"));

    // An empty page is still a job.
    QFile::remove(w.printFile);
    w->source().setText("");
    w.prompts.expectPrint(true);
    w.run("mnuPrint");
    EXPECT_TRUE(QFile::exists(w.printFile));

    // The file and the copies chosen in the dialog.
    const QString chosen = out.filePath("chosen.pdf");
    w->source().setText("<p>copied</p>");
    w.prompts.expectPrint(true, 2, chosen);
    w.run("mnuPrint");
    EXPECT_EQ(pdfText(chosen).count("<p>copied</p>"), 2);

    // No printer: a message, nothing else.
    w.printFile.clear();
    w.prompts.expectPrint(true);
    w.prompts.expectMessagePrefix("The source could not be printed.");
    w.run("mnuPrint");
}

// The buttons, in order, with their keys, tooltips and separators, and the
// command each key runs.
TEST(Toolbar, ButtonsSeparatorsAndTheCommandsTheirKeysRun) {
    TestWindow w;
    const QList<QByteArrayList> buttons = testdata::table("expected/toolbar.txt");
    const QList<QAction*> actions = w->findChild<QToolBar*>("Toolbar1")->actions();
    ASSERT_EQ(actions.size(), buttons.size());
    CommandRegistry recorder;
    QString ran;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QString key = QString::fromUtf8(buttons[i][0]);
        const QString command = QString::fromUtf8(buttons[i].value(2));
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(actions[i]->isSeparator(), key == "-");
        if (key == "-") {
            continue;
        }
        EXPECT_EQ(actions[i]->objectName(), key);
        EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(buttons[i].value(1)));
        EXPECT_FALSE(actions[i]->icon().isNull());
        EXPECT_TRUE(w->commands().has(command)) << "every key has a working command";
        recorder.add(command, [&ran, command] { ran = command; });
        ran.clear();
        EXPECT_TRUE(runToolbarKey(key, recorder));
        EXPECT_EQ(ran, command);
    }
    EXPECT_FALSE(runToolbarKey("new", recorder)) << "keys are exact";
    EXPECT_FALSE(runToolbarKey("Nothing", w->commands()));
}

TEST(StatusBar, PanelsShowTheProductKeyStatesAndTheClock) {
    TestWindow w;
    StatusPanels& panels = w->statusPanels();
    EXPECT_EQ(panels.text(1), "  M A R K W R I G H T");
    EXPECT_EQ(panels.text(4), "INS");
    w->source().setOverwriteMode(true);
    panels.update();
    EXPECT_EQ(panels.text(4), "");
    EXPECT_EQ(panels.text(6),
              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_FALSE(panels.text(5).isEmpty());
    EXPECT_TRUE(panels.text(2) == "" || panels.text(2) == "CAPS");
}
