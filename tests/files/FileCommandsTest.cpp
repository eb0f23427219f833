// New, Open, Save, Save As and Close on the real main window, with scripted
// prompts and temporary folders: the scenarios in
// tests/data/scenarios/file-commands.txt, and the byte-exact round trips.
#include "support/Scenario.h"
#include "support/TestWindow.h"

TEST(FileCommands, Scenarios) {
    runScenarios("scenarios/file-commands.txt");
}

// Files keep their bytes: opened and saved without edits, every fixture, and
// a large file that the pane loads in 4 MB slices (three, each after the
// 7-byte first line ending inside an "\u00e9"), is written back identical,
// whatever its encoding and line ends.
TEST(FileCommands, OpenAndSaveKeepEveryByte) {
    TestWindow w;
    QTemporaryDir site;
    const QStringList fixtures =
        QDir(QStringLiteral(TEST_DATA_DIR "/roundtrip")).entryList(QDir::Files);
    ASSERT_EQ(fixtures.size(), 7);
    QList<QByteArray> files;
    for (const QString& name : fixtures) {
        files << testdata::bytes("roundtrip/" + name);
    }
    files << "<html>\n" + QByteArray("<p>line of a large page \xC3\xA9</p>\r\n").repeated(9 << 15);
    ASSERT_EQ(files.last().indexOf("\xC3\xA9", (4 << 20) - 1), (4 << 20) - 1);
    for (int i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i < fixtures.size() ? fixtures[i].toStdString() : "large");
        const QString path = site.filePath(QStringLiteral("f %1 #%;\u00e9\u4e2d.htm").arg(i));
        ASSERT_TRUE(writeBytes(path, files[i]));
        w.open(path);
        EXPECT_EQ(w->documents().title(1), path);
        QFile::remove(path);
        w.prompts.expectQuestion(testdata::prompt("save-again", path), Prompts::Answer::Yes);
        w.run("mnuFileSave");
        EXPECT_TRUE(readBytes(path) == files[i]);
        EXPECT_FALSE(w->documents().changed(1));
    }
}
