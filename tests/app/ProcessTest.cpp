// The program as a child process: it ends when asked and only then, and a
// killed program's unsaved pages come back at the next start.
#include "support/TestData.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include <csignal>

namespace {
class ProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(writeBytes(programDir.filePath("Markwright.ini"),
                               "[Markwright]\nOpenPath=" + docFolder().toUtf8() + "\n"));
    }

    QString docFolder() const { return docDir.path() + "/"; }
    bool sessionsLeft() const {
        return !QDir(dataDir.path() + "/Markwright/Markwright/sessions")
                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty();
    }

    // Starts `program` (the driver: with `answers` for its prompts and then
    // `arguments`, its files and steps) with data and runtime folders of its
    // own.
    void start(QProcess& process, const QStringList& answers, const QStringList& arguments,
               const QString& program = DRIVER_PATH) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dataDir.path());
        env.insert("XDG_RUNTIME_DIR", runtimeDir.path());
        env.insert("DISPLAY", display); // the offscreen platform ignores it
        env.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args;
        if (program == DRIVER_PATH) {
            args << "--program-folder" << programDir.path();
        }
        for (const QString& answer : answers) {
            args << "--answer" << answer;
        }
        process.start(program, args + arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Reads the child's output until a line equal to `line` (or it ends).
    QStringList readUntil(QProcess& process, const QString& line) {
        QStringList lines;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000 &&
               (process.state() == QProcess::Running || process.canReadLine())) {
            while (process.canReadLine()) {
                lines << QString::fromUtf8(process.readLine()).chopped(1);
                if (lines.back() == line) {
                    return lines;
                }
            }
            process.waitForReadyRead(200);
        }
        ADD_FAILURE() << "never saw \"" << line.toStdString() << "\"; saw:\n"
                      << lines.join('\n').toStdString();
        return lines;
    }

    void expectEndsCleanly(QProcess& process) {
        EXPECT_TRUE(process.waitForFinished(15000)) << "the program kept running";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }

    QTemporaryDir programDir, docDir, dataDir, runtimeDir;
    QString display = ":1";
};
} // namespace

TEST_F(ProcessTest, CloseExitAndTheCloseBoxEndTheProgram) {
    for (const QString step : {"cmd:mnuFileClose", "cmd:mnuExit", "closebox"}) {
        SCOPED_TRACE(step.toStdString());
        // The unsaved page is offered first; No lets the program end.
        QProcess process;
        start(process, {"no"}, {"type:unsaved", step});
        expectEndsCleanly(process);
    }
}

TEST_F(ProcessTest, CancelAnywhereKeepsTheProgramRunning) {
    QProcess process;
    // Cancel in the question; Yes then Cancel in Save As, from each way out.
    start(process, {"cancel", "yes", "cancel", "yes", "cancel", "yes", "cancel"},
          {"type:unsaved", "cmd:mnuFileClose", "cmd:mnuExit", "closebox", "cmd:mnuFileClose",
           "dump"});
    const QStringList lines = readUntil(process, "steps done");
    EXPECT_EQ(lines.filter("slot 1 changed=1").size(), 1) << lines.join('\n').toStdString();
    EXPECT_FALSE(process.waitForFinished(1500)) << "the program ended after Cancel";
    // Told to stop, it ends without questions and keeps the page.
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    expectEndsCleanly(process);
    EXPECT_TRUE(sessionsLeft());
}

TEST_F(ProcessTest, AKilledProgramsUnsavedPagesComeBack) {
    const QString path = docFolder() + "kept.htm";
    ASSERT_TRUE(writeBytes(path, "<p>on disk</p>"));
    QProcess first;
    start(first, {"file:" + path},
          {"select:2", "cmd:mnuFileOpen", "type:world ", "select:1", "type:hello ", "journal"});
    readUntil(first, "journaled");
    first.kill(); // SIGKILL: nothing of ours runs
    first.waitForFinished();

    QProcess second;
    start(second, {"choice:0", "no", "no"}, {"dump", "cmd:mnuExit"});
    const QStringList lines = readUntil(second, "steps done");
    EXPECT_TRUE(
        lines.contains("prompt: Markwright did not close properly. Restore the unsaved pages?"));
    const QString slot1 = lines.filter("slot 1 ").value(0);
    EXPECT_TRUE(slot1.startsWith("slot 1 changed=1 title=New Page 1 text=hello <html>"))
        << slot1.toStdString();
    EXPECT_EQ(lines.filter("slot 2 ").value(0),
              "slot 2 changed=1 title=" + path + " text=world <p>on disk</p>");
    expectEndsCleanly(second);
    EXPECT_FALSE(sessionsLeft()) << "a clean end leaves nothing to restore";
}

TEST_F(ProcessTest, TheRealProgramEndsWhenToldToStop) {
    QProcess process;
    start(process, {}, {}, PROGRAM_PATH);
    QThread::msleep(1500);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    expectEndsCleanly(process);
}

// Files named at start open into slots 1, 2...; one that cannot be read is
// told and the others still open; a second start hands its file over and
// ends at once.
TEST_F(ProcessTest, FilesFromTheCommandLineAndFromASecondStart) {
    QStringList files;
    for (const char* name : {"a.htm", "b.htm", "c.htm"}) {
        files << docFolder() + name;
        ASSERT_TRUE(writeBytes(files.last(), QByteArray("<p>") + name + "</p>"));
    }
    QProcess first;
    start(first, {},
          {"--file", files[0], "--file", docFolder() + "missing.htm", "--file", files[1], "dump"});
    const QStringList lines = readUntil(first, "steps done");
    EXPECT_TRUE(lines.contains("slot 1 changed=0 title=" + files[0] + " text=<p>a.htm</p>"));
    EXPECT_FALSE(
        lines.filter("prompt: The file could not be opened: " + docFolder() + "missing.htm")
            .isEmpty());
    EXPECT_TRUE(lines.contains("slot 3 changed=0 title=" + files[1] + " text=<p>b.htm</p>"));

    QProcess second;
    start(second, {}, {"--no-splash", files[2]}, PROGRAM_PATH);
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start kept running";
    EXPECT_EQ(second.exitCode(), 0);
    readUntil(first, "title: File: " + files[2]);
    first.kill();
    first.waitForFinished();
}

// A save cut short in place (old bytes kept aside, the file half written) is
// put back when the program next starts, and the user is told; what the file
// held instead (nothing tells a cut write from another program's edit) is
// kept beside the safety copies.
TEST_F(ProcessTest, ASaveCutShortIsPutBackAtTheNextStart) {
    const QString page = docFolder() + "page.htm";
    const QString backups = dataDir.path() + "/Markwright/Markwright/backups/";
    ASSERT_TRUE(QDir().mkpath(backups));
    ASSERT_TRUE(writeBytes(page, "<p>new</p><p>o"));
    ASSERT_TRUE(writeBytes(backups + "cut.old", "<p>old</p><p>old</p>"));
    const QByteArray wanted = "<p>new</p>";
    ASSERT_TRUE(writeBytes(
        backups + "cut.note",
        QUrl::toPercentEncoding(page) + "\n" + QByteArray::number(wanted.size()) + "\n" +
            QCryptographicHash::hash(wanted, QCryptographicHash::Sha256).toHex() + "\n"));
    QProcess program;
    start(program, {}, {"cmd:mnuExit"});
    const QStringList lines = readUntil(program, "steps done");
    const QString told = lines.filter("prompt: A save of " + page).value(0);
    EXPECT_TRUE(told.startsWith("prompt: A save of " + page +
                                " was cut short when Markwright stopped. The file was put back "
                                "as it was before that save.  What the file held instead is "
                                "kept at " +
                                backups))
        << told.toStdString();
    EXPECT_EQ(readBytes(page), "<p>old</p><p>old</p>");
    const QStringList left = QDir(backups).entryList(QDir::Files);
    ASSERT_EQ(left.size(), 1) << left.join(' ').toStdString();
    EXPECT_EQ(readBytes(backups + left[0]), "<p>new</p><p>o");
    expectEndsCleanly(program);
}

// Two starts at the same moment: one runs, the other hands over to it and
// ends, though the running one is busy for a while once its window is up.
// A start on another display runs a window of its own there.
TEST_F(ProcessTest, OneProgramPerDisplayEvenWhenTwoStartAtOnce) {
    QProcess one, two;
    start(one, {}, {"busy:2500"});
    start(two, {}, {"busy:2500"});
    QElapsedTimer timer;
    timer.start();
    while (one.state() == QProcess::Running && two.state() == QProcess::Running &&
           timer.elapsed() < 20000) {
        one.waitForFinished(100);
        two.waitForFinished(100);
    }
    const bool oneEnded = one.state() != QProcess::Running;
    QProcess& ended = oneEnded ? one : two;
    QProcess& running = oneEnded ? two : one;
    ASSERT_NE(ended.state(), QProcess::Running) << "both starts kept running";
    EXPECT_EQ(ended.exitCode(), 0);
    readUntil(running, "steps done");

    display = ":2";
    QProcess elsewhere;
    start(elsewhere, {}, {});
    readUntil(elsewhere, "steps done");
    for (QProcess* process : {&running, &elsewhere}) {
        process->kill();
        process->waitForFinished();
    }
}
