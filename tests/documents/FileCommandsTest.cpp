// New, Open, Save, Save As and Close on the real main window, with scripted
// prompts and temporary folders: the scenarios in
// tests/data/scenarios/file-commands.txt, and the byte-exact round trips.
#include "app/StatusPanels.h"
#include "recovery/CrashJournal.h"
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

// A page that is not UTF-8 opens in the charset it declares: its words show,
// the preview gets its bytes, and it saves back unchanged, or with an edit in
// that charset.
TEST(FileCommands, PagesKeepTheCharsetTheyDeclare) {
    TestWindow w;
    QTemporaryDir site;
    SourcePane& pane = w->source();
    for (const QByteArrayList& row : testdata::table("expected/charset-pages.txt")) {
        SCOPED_TRACE(row[0].toStdString());
        const QByteArray bytes = testdata::bytes("charsets/" + row[0]);
        const QString path = site.filePath(row[0]);
        ASSERT_TRUE(writeBytes(path, bytes));
        w.open(path);
        EXPECT_EQ(pane.text(), testdata::text("charsets/" + row[1]));
        EXPECT_EQ(w.recording->encodings.last(), row[2]);
        w->statusPanels().update();
        EXPECT_TRUE(w->statusPanels().text(7).endsWith(row[2] + "   LF"));
        EXPECT_TRUE(readBytes(w.previewFile(1, site.path() + '/')) == bytes);
        w.run("mnuFileSave");
        EXPECT_TRUE(readBytes(path) == bytes);
        const QString word = QString::fromUtf8(row[3]);
        pane.setSelection(pane.text().indexOf(word), word.size());
        pane.replaceSelection(QString::fromUtf8(row[5]));
        w.run("mnuFileSave");
        EXPECT_TRUE(readBytes(path) == QByteArray(bytes).replace(row[4], row[6]));
    }
}

// A character the page's charset cannot hold is asked about, and the
// question says what saving as UTF-8 makes of the page.
TEST(FileCommands, SavingAsUtf8SaysWhatBecomesOfAPageInAnotherCharset) {
    TestWindow w;
    QTemporaryDir site;
    const QString ru = site.filePath("ru.htm"), jp = site.filePath("jp.htm");
    const QByteArray ruBytes = "<meta charset=koi8-r>\xF0\xD2\xC9\xD7\xC5\xD4";
    const QByteArray jpBytes = "<meta charset=shift_jis>\x82\xA0\x82<";
    ASSERT_TRUE(writeBytes(ru, ruBytes) && writeBytes(jp, jpBytes));
    w.open(ru);
    w->source().setSelection(0, 0);
    w->source().replaceSelection(QStringLiteral("\u20ac"));
    w.prompts.expectQuestion(testdata::prompt("declared-cannot-store", ru), Prompts::Answer::No);
    w.run("mnuFileSave");
    EXPECT_TRUE(readBytes(ru) == ruBytes);
    w.prompts.expectQuestion(testdata::prompt("declared-cannot-store", ru), Prompts::Answer::Yes);
    w.run("mnuFileSave");
    EXPECT_EQ(readBytes(ru), QStringLiteral("\u20ac<meta charset=koi8-r>\u041f\u0440\u0438\u0432"
                                            "\u0435\u0442")
                                 .toUtf8());
    w.open(jp);
    w->source().replaceSelection(QStringLiteral("\u4e2d"));
    w.prompts.expectQuestion(testdata::prompt("read-as-windows-1252", jp), Prompts::Answer::No);
    w.run("mnuFileSave");
    EXPECT_TRUE(readBytes(jp) == jpBytes);
}

// A journalled page keeps the charset it is saved in; one this program
// cannot write leaves the text, to be saved as UTF-8.
TEST(CrashJournal, APageKeepsTheCharsetItIsSavedIn) {
    CrashJournal::Page page;
    page.slot = 2;
    page.text = QStringLiteral("\u6771\u4eac");
    page.encoding = TextEncoding::Declared;
    page.charset = QStringLiteral("Shift_JIS");
    const QByteArray bytes = CrashJournal::encode(page);
    std::optional<CrashJournal::Page> back = CrashJournal::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->encoding, TextEncoding::Declared);
    EXPECT_EQ(back->charset, page.charset);
    back = CrashJournal::decode(QByteArray(bytes).replace("Shift_JIS", "x-nonsense"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->encoding, TextEncoding::Utf8);
    EXPECT_EQ(back->text, page.text);
}
