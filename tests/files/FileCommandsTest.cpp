// New, Open, Save, Save As and Close on the real main window, with scripted
// prompts and temporary folders.
#include "support/TestWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>

namespace {
const QString Prompt = QStringLiteral("Do you want to save changes to ");

class FileCommandsTest : public ::testing::Test {
  protected:
    void edit(const QString& text) { w->source().replaceSelection(text); }

    // Expects the question a save asks when `path` was deleted since it was
    // opened, answered Yes: write it there again.
    void expectSaveAgain(const QString& path) {
        w.prompts.expectQuestion(
            path + "\nwas deleted or moved by another program. Save the page there again?",
            Prompts::Answer::Yes);
    }

    QString iniText() {
        return QString::fromUtf8(readBytes(w.programDir.filePath("Markwright.ini")));
    }

    TestWindow w;
    QTemporaryDir site;
    QString folder() const { return site.path() + "/"; }
};
} // namespace

TEST_F(FileCommandsTest, OpenTakesTheFileIntoTheActiveSlot) {
    ASSERT_TRUE(writeBytes(folder() + "index.htm", "<p>hello</p>\r\n"));
    w.select(2);
    w.open(folder() + "index.htm");
    const Prompts::FileRequest& request = w.prompts.last().file;
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.folder, w.docFolder()) << "the dialog starts in the remembered folder";
    EXPECT_EQ(request.defaultSuffix, "htm");

    EXPECT_EQ(w->source().text(), "<p>hello</p>\r\n");
    EXPECT_EQ(w->documents().folder(2), folder());
    EXPECT_EQ(w->documents().title(2), folder() + "index.htm");
    EXPECT_EQ(w.caption(2), "index.htm");
    EXPECT_EQ(w.caption(2, 2), "index.htm");
    EXPECT_FALSE(w->documents().changed(2));
    EXPECT_EQ(w.titles(), "File: " + folder() +
                              "index.htm | HTML Source: index.htm | IE Browser Preview: index.htm");
    EXPECT_EQ(readBytes(w.previewFile(2, folder())), "<p>hello</p>\r\n");
    ASSERT_FALSE(w.recording->navigations.isEmpty());
    EXPECT_EQ(w.recording->navigations.last(), w.previewFile(2, folder()));
    EXPECT_TRUE(iniText().contains("OpenPath=" + folder()));
    EXPECT_EQ(w->state().openPath(), w.docFolder());
}

TEST_F(FileCommandsTest, CancelInThePromptOrTheDialogChangesNothing) {
    ASSERT_TRUE(writeBytes(folder() + "a.htm", "new"));
    w.select(3);
    edit("mine ");
    const QString before = w->source().text();
    const QString ini = iniText();
    w.prompts.expectQuestion(Prompt + "New Page 3", Prompts::Answer::Cancel);
    w.run("mnuFileOpen");
    w.prompts.expectQuestion(Prompt + "New Page 3", Prompts::Answer::No);
    w.prompts.expectFile("Open File", {});
    w.run("mnuFileOpen");
    EXPECT_EQ(w->source().text(), before);
    EXPECT_TRUE(w->documents().changed(3));
    EXPECT_EQ(w.caption(3), "New Page 3");
    EXPECT_EQ(iniText(), ini);
}

// A file that cannot be read leaves title, folder and text exactly as they
// were, and says why.
TEST_F(FileCommandsTest, AnUnreadableFileLeavesTheSlotAsItWas) {
    QDir(site.path()).mkdir("sub");
    for (const QString& path : {folder() + "missing.htm", folder() + "sub"}) {
        SCOPED_TRACE(path.toStdString());
        w.prompts.expectFile("Open File", {path});
        w.prompts.expectMessagePrefix("The file could not be opened:\n" + path + "\n\n");
        w.run("mnuFileOpen");
        EXPECT_EQ(w->documents().title(1), "New Page 1");
        EXPECT_EQ(w->documents().folder(1), w.docFolder());
        EXPECT_EQ(w.caption(1), "New Page 1");
    }
}

TEST_F(FileCommandsTest, SaveOfANewPageGoesToSaveAsAndSaveAsThenSaveUsesTheNewFolder) {
    w.select(2);
    edit("x");
    w.prompts.expectFile("Save File As", {});
    w.run("mnuFileSave");
    EXPECT_TRUE(w->documents().changed(2)) << "cancelled: still unsaved";
    EXPECT_EQ(w->documents().title(2), "New Page 2");
    EXPECT_FALSE(w.prompts.last().file.open);
    EXPECT_TRUE(w.prompts.last().file.confirmOverwrite) << "asks before replacing a file";

    w.prompts.expectFile("Save File As", {folder() + "page.htm"});
    w.run("mnuSaveAs");
    EXPECT_EQ(readBytes(folder() + "page.htm"), w->source().text().toUtf8());
    EXPECT_FALSE(w->documents().changed(2));
    EXPECT_EQ(w.caption(2), "page.htm");
    EXPECT_EQ(w->windowTitle(), "File: " + folder() + "page.htm");
    EXPECT_EQ(readBytes(w.previewFile(2, folder())), w->source().text().toUtf8());

    edit("more ");
    w.run("mnuFileSave"); // no dialog, no message
    EXPECT_EQ(readBytes(folder() + "page.htm"), w->source().text().toUtf8());
    EXPECT_FALSE(w->documents().changed(2));
}

// A failed write is never reported as success: the slot stays unsaved and
// named as before, and the old file is kept.
TEST_F(FileCommandsTest, AFailedWriteKeepsTheSlotUnsavedAndTheOldFile) {
    ASSERT_TRUE(writeBytes(folder() + "ro.htm", "old"));
    w.open(folder() + "ro.htm");
    edit("new ");
    QFile::setPermissions(folder() + "ro.htm", QFileDevice::ReadOwner | QFileDevice::ReadUser);
    w.prompts.expectMessage("The file could not be saved:\n" + folder() +
                                "ro.htm\n\nThe file is read-only.",
                            "Markwright");
    w.run("mnuFileSave");
    EXPECT_EQ(readBytes(folder() + "ro.htm"), "old");
    EXPECT_TRUE(w->documents().changed(1));

    // The folder vanishes while the page is open.
    QFile::setPermissions(folder() + "ro.htm", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    w->flushPreviewFiles();
    ASSERT_TRUE(QDir(site.path()).removeRecursively());
    expectSaveAgain(folder() + "ro.htm");
    w.prompts.expectMessagePrefix("The file could not be saved:\n" + folder() + "ro.htm\n\n");
    w.run("mnuFileSave");
    EXPECT_TRUE(w->documents().changed(1));
    EXPECT_EQ(w->documents().title(1), folder() + "ro.htm");
}

// Files keep their bytes: opened and saved without edits, every fixture is
// written back identical, whatever its encoding and line ends.
TEST_F(FileCommandsTest, OpenAndSaveKeepEveryByte) {
    const QStringList fixtures =
        QDir(QStringLiteral(TEST_DATA_DIR "/roundtrip")).entryList(QDir::Files);
    ASSERT_EQ(fixtures.size(), 7);
    for (int i = 0; i < fixtures.size(); ++i) {
        SCOPED_TRACE(fixtures[i].toStdString());
        const QByteArray bytes = testdata::bytes("roundtrip/" + fixtures[i]);
        const QString path = folder() + QStringLiteral("f %1 #%;\u00e9\u4e2d.htm").arg(i);
        ASSERT_TRUE(writeBytes(path, bytes));
        w.open(path);
        EXPECT_EQ(w->documents().title(1), path);
        QFile::remove(path);
        expectSaveAgain(path);
        w.run("mnuFileSave");
        EXPECT_EQ(readBytes(path), bytes);
        EXPECT_FALSE(w->documents().changed(1));
    }
}

TEST_F(FileCommandsTest, EditedLegacyTextKeepsItsEncodingOrFallsBackToUtf8) {
    ASSERT_TRUE(writeBytes(folder() + "old.htm", "caf\xE9\r\n"));
    w.open(folder() + "old.htm");
    const QString preview = w.previewFile(1, folder());
    EXPECT_EQ(readBytes(preview), "caf\xE9\r\n");
    ASSERT_FALSE(w.recording->encodings.isEmpty());
    EXPECT_EQ(w.recording->encodings.last(), "windows-1252");
    edit("\u20ac");
    w.run("mnuFileSave");
    EXPECT_EQ(readBytes(folder() + "old.htm"), "\x80"
                                               "caf\xE9\r\n");

    // A character the encoding cannot hold: the preview is UTF-8, and says so.
    edit("\u4e2d");
    w->refreshPreview();
    EXPECT_EQ(readBytes(preview), QStringLiteral("\u20ac\u4e2dcaf\u00e9\r\n").toUtf8());
    EXPECT_EQ(w.recording->encodings.last(), "utf-8");
    const QString question = "The page holds characters that the windows-1252 encoding of\n" +
                             folder() + "old.htm\ncannot store.\n\nSave it as UTF-8 instead?";
    w.prompts.expectQuestion(question, Prompts::Answer::Cancel);
    w.run("mnuFileSave");
    EXPECT_EQ(readBytes(folder() + "old.htm"), "\x80"
                                               "caf\xE9\r\n")
        << "never a silent '?'";
    EXPECT_TRUE(w->documents().changed(1));
    w.prompts.expectQuestion(question, Prompts::Answer::Yes);
    w.run("mnuFileSave");
    EXPECT_EQ(readBytes(folder() + "old.htm"),
              QStringLiteral("\u20ac\u4e2dcaf\u00e9\r\n").toUtf8());
    EXPECT_FALSE(w->documents().changed(1));
}

TEST_F(FileCommandsTest, NewAsksOnlyForAChangedSlotAndKeepsTheOthersFlags) {
    w.select(3);
    w.run("mnuFileNew"); // unchanged: no question
    edit("x");
    w.select(4);
    edit("y");
    w.prompts.expectQuestion(Prompt + "New Page 4", Prompts::Answer::Cancel);
    w.run("mnuFileNew");
    EXPECT_TRUE(w->source().text().startsWith("y"));

    w.prompts.expectQuestion(Prompt + "New Page 4", Prompts::Answer::Yes);
    w.prompts.expectFile("Save File As", {}); // Save As cancelled: the page stays
    w.run("mnuFileNew");
    EXPECT_TRUE(w->source().text().startsWith("y"));
    EXPECT_TRUE(w->documents().changed(4));

    w.prompts.expectQuestion(Prompt + "New Page 4", Prompts::Answer::No);
    w.run("mnuFileNew");
    EXPECT_EQ(w->source().text(), w->documents().pageTemplate());
    EXPECT_FALSE(w->documents().changed(4));
    EXPECT_TRUE(w->documents().changed(3)) << "other slots keep their unsaved changes";
    EXPECT_EQ(w.caption(4), "New Page 4");
    EXPECT_EQ(w.caption(4, 2), "Page 4");
}

TEST_F(FileCommandsTest, CloseAsksForChangedSlotsInOrderAndStopsAtCancel) {
    w.select(2);
    edit("two");
    w.select(4);
    edit("four");
    w.prompts.expectQuestion(Prompt + "New Page 2", Prompts::Answer::Yes);
    w.prompts.expectFile("Save File As", {folder() + "two.htm"});
    w.prompts.expectQuestion(Prompt + "New Page 4", Prompts::Answer::Cancel);
    w.run("mnuFileClose");
    EXPECT_EQ(w.quits, 0);
    EXPECT_TRUE(readBytes(folder() + "two.htm").startsWith("two"));
    EXPECT_FALSE(w->documents().changed(2));
    EXPECT_TRUE(w->documents().changed(4));

    // The close box runs the same Close and the request itself is refused.
    QCloseEvent event;
    w.prompts.expectQuestion(Prompt + "New Page 4", Prompts::Answer::Cancel);
    QApplication::sendEvent(w.window.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(w.quits, 0);
}

TEST_F(FileCommandsTest, CloseWithNothingChangedDeletesOnlyOurPreviewFilesAndEnds) {
    ASSERT_TRUE(writeBytes(w.docFolder() + "~tmpNotes.html", "user's own file"));
    ASSERT_TRUE(QFile::exists(w.previewFile(3)));
    w.run("mnuExit");
    EXPECT_EQ(w.quits, 1);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_FALSE(QFile::exists(w.previewFile(n)));
    }
    EXPECT_EQ(readBytes(w.docFolder() + "~tmpNotes.html"), "user's own file");
}

// The remembered folder cannot be written: Open still works.
TEST_F(FileCommandsTest, AnUnwritableIniFileDoesNotStopOpen) {
    QFile::remove(w.programDir.filePath("Markwright.ini"));
    QDir(w.programDir.path()).mkdir("Markwright.ini");
    ASSERT_TRUE(writeBytes(folder() + "a.htm", "a"));
    w.prompts.expectMessage("PROBLEM WITH INI FILE");
    w.open(folder() + "a.htm");
    EXPECT_EQ(w->source().text(), "a");
    EXPECT_EQ(w->documents().title(1), folder() + "a.htm");
}

// The pane loads a large file in 4 MB slices: this one takes three, and
// after the 7-byte first line each slice ends inside an "\u00e9".
TEST_F(FileCommandsTest, ALargeFileOpensAndSavesUnchanged) {
    const QByteArray bytes =
        "<html>\n" + QByteArray("<p>line of a large page \xC3\xA9</p>\r\n").repeated(9 << 15);
    ASSERT_EQ(bytes.indexOf("\xC3\xA9", (4 << 20) - 1), (4 << 20) - 1);
    ASSERT_TRUE(writeBytes(folder() + "big.htm", bytes));
    w.open(folder() + "big.htm");
    EXPECT_EQ(w->source().text().size(), QString::fromUtf8(bytes).size());
    QFile::remove(folder() + "big.htm");
    expectSaveAgain(folder() + "big.htm");
    w.run("mnuFileSave");
    EXPECT_TRUE(readBytes(folder() + "big.htm") == bytes);
}

// A page whose Save As fails to write keeps the program running: Close goes
// on after a cancelled dialog, never after a failed write.
TEST_F(FileCommandsTest, CloseStopsWhenAPageCannotBeWritten) {
    w.select(2);
    edit("keep me");
    w.prompts.expectQuestion(Prompt + "New Page 2", Prompts::Answer::Yes);
    w.prompts.expectFile("Save File As", {folder() + "gone/page.htm"});
    w.prompts.expectMessagePrefix("The file could not be saved:\n" + folder() + "gone/page.htm");
    w.run("mnuFileClose");
    EXPECT_EQ(w.quits, 0);
    EXPECT_TRUE(w->documents().changed(2));

    // New does not replace it either.
    w.prompts.expectQuestion(Prompt + "New Page 2", Prompts::Answer::Yes);
    w.prompts.expectFile("Save File As", {folder() + "gone/page.htm"});
    w.prompts.expectMessagePrefix("The file could not be saved:");
    w.run("mnuFileNew");
    EXPECT_TRUE(w->source().text().startsWith("keep me"));
}
