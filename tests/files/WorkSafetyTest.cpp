// Nothing the user typed is lost: failed and refused saves keep the page,
// rich-text files and files changed by other programs are not overwritten
// unasked, and unsaved pages survive a crash.
#include "core/DocumentSlots.h"
#include "editor/SourcePane.h"
#include "files/CrashJournal.h"
#include "files/FileCommands.h"
#include "files/Recovery.h"
#include "support/TestWindow.h"

#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QString Prompt = QStringLiteral("Do you want to save changes to ");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class WorkSafety : public ::testing::Test {
  protected:
    void select(TestWindow& window, int n) {
        window->findChild<QTabBar*>("TabStrip1")->setCurrentIndex(n - 1);
    }
    void run(const char* command) { ASSERT_TRUE(w->commands().run(command)) << command; }
    void open(const QString& path) {
        w.prompts.expectFile("Open File", {path});
        run("mnuFileOpen");
    }
    QString folder() const { return site.path() + "/"; }

    QTemporaryDir site;
    TestWindow w;
};
} // namespace

TEST_F(WorkSafety, OpenStopsWhenTheChangedPageCannotBeSaved) {
    writeFile(folder() + "ro.htm", "old");
    open(folder() + "ro.htm");
    w->source().replaceSelection("mine ");
    QFile::setPermissions(folder() + "ro.htm", QFileDevice::ReadOwner | QFileDevice::ReadUser);
    w.prompts.expectQuestion(Prompt + "ro.htm", Prompts::Answer::Yes);
    w.prompts.expectMessage("The file could not be saved:\n" + folder() +
                                "ro.htm\n\nThe file is read-only.",
                            "Markwright");
    run("mnuFileOpen"); // no file dialog follows
    EXPECT_EQ(w->source().text(), "mine old");
    EXPECT_TRUE(w->documents().changed(1));
}

TEST_F(WorkSafety, NewStartsAUtf8PageAndTooLargeFilesAreRefused) {
    writeFile(folder() + "legacy.htm", "caf\xE9");
    open(folder() + "legacy.htm");
    EXPECT_EQ(w->documents().encoding(1), TextEncoding::Windows1252);
    run("mnuFileNew");
    EXPECT_EQ(w->documents().encoding(1), TextEncoding::Utf8);

    {
        QFile big(folder() + "big.htm");
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(qint64(513) << 20)); // sparse: no disk used
    }
    w.prompts.expectFile("Open File", {folder() + "big.htm"});
    w.prompts.expectMessage("The file could not be opened:\n" + folder() +
                                "big.htm\n\nThe file is too large to open (513 MB; the limit "
                                "is 512 MB).",
                            "Markwright");
    run("mnuFileOpen");
    EXPECT_EQ(w->source().text(), w->documents().pageTemplate());
}

TEST_F(WorkSafety, ARichTextFileIsOnlyOverwrittenWhenTheUserSaysSo) {
    const QByteArray rtf = "{\\rtf1\\ansi Hello \\b bold\\b0\\par}";
    writeFile(folder() + "note.rtf", rtf);
    open(folder() + "note.rtf");
    EXPECT_TRUE(w->source().text().startsWith("Hello bold"));
    const QString question = folder() +
                             "note.rtf\nis a rich-text (RTF) file. Saving it here writes plain "
                             "text over it, and its formatting is lost.\n\nOverwrite it with "
                             "plain text? (No saves the page under another name.)";
    w.prompts.expectQuestion(question, Prompts::Answer::No);
    w.prompts.expectFile("Save File As", {});
    run("mnuFileSave");
    EXPECT_EQ(readFile(folder() + "note.rtf"), rtf);
    w.prompts.expectQuestion(question, Prompts::Answer::Yes);
    run("mnuFileSave");
    EXPECT_TRUE(readFile(folder() + "note.rtf").startsWith("Hello bold"));
    run("mnuFileSave"); // plain text now: no question
}

TEST_F(WorkSafety, ChangesByAnotherProgramAreNeverOverwrittenOrLoadedUnasked) {
    const QString path = folder() + "page.htm";
    writeFile(path, "<p>ours</p>");
    open(path);
    w->source().replaceSelection("edit ");
    run("mnuFileSave");
    QTest::qWait(50); // our own save is not someone else's change
    w->files().offerReload(1);

    QTest::qWait(20); // a later modification time than our save
    writeFile(path, "<p>theirs</p>");
    w->source().replaceSelection("more ");
    w.prompts.expectQuestion(path + "\nwas changed by another program. Overwrite it?",
                             Prompts::Answer::No);
    run("mnuFileSave");
    EXPECT_EQ(readFile(path), "<p>theirs</p>");
    EXPECT_TRUE(w->documents().changed(1));

    // Coming back to the slot offers the file as it is now, once.
    w.prompts.expectQuestion(path + "\nwas changed by another program.\n\nReload it and lose "
                                    "the changes made here? (Undo brings them back.)",
                             Prompts::Answer::Yes);
    select(w, 2);
    select(w, 1);
    QTest::qWait(0);
    ASSERT_TRUE(w.prompts.allShown());
    EXPECT_EQ(w->source().text(), "<p>theirs</p>");
    EXPECT_FALSE(w->documents().changed(1));
    w->source().undoOnce();
    EXPECT_EQ(w->source().text(), "edit more <p>ours</p>");
    run("mnuFileSave"); // in step with the file again: no question

    QFile::remove(path);
    w.prompts.expectMessage(path + "\nwas deleted or moved by another program.\n\nThe page is "
                                   "still open here; save it to keep it.",
                            "Markwright");
    w->files().offerReload(1);
    EXPECT_TRUE(w->documents().changed(1)) << "Close must offer the page";
}

TEST_F(WorkSafety, UnsavedPagesOfAProgramThatDidNotEndAreOfferedBack) {
    QTemporaryDir journal;
    {
        TestWindow crashed(TestWindow::Ini::WithOpenPath, false, QString(), journal.path());
        crashed->source().replaceSelection("one ");
        select(crashed, 3);
        crashed->source().replaceSelection("three ");
        select(crashed, 1);
        crashed->recovery().journalNow();
        crashed->recovery().flush();
    } // gone without Close: its copies stay

    TestWindow again(TestWindow::Ini::WithOpenPath, false, QString(), journal.path());
    again.prompts.expectChoice(Recovery::QuestionText, 0);
    again->offerRestore();
    EXPECT_TRUE(again->source().text().startsWith("one <html>"));
    EXPECT_TRUE(again->documents().text(3).startsWith("three <html>"));
    EXPECT_TRUE(again->documents().changed(1));
    EXPECT_TRUE(again->documents().changed(3));
    EXPECT_FALSE(again->documents().changed(2));

    // Asked once: a third start finds only this running program's copies.
    {
        TestWindow third(TestWindow::Ini::WithOpenPath, false, QString(), journal.path());
        third->offerRestore();
    }
    // A clean end leaves nothing behind.
    again.prompts.expectQuestion(Prompt + "New Page 1", Prompts::Answer::No);
    again.prompts.expectQuestion(Prompt + "New Page 3", Prompts::Answer::No);
    ASSERT_TRUE(again->commands().run("mnuExit"));
    EXPECT_EQ(again.quits, 1);
    EXPECT_TRUE(QDir(journal.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(CrashJournalPage, RoundTripsEveryTextAndRefusesCutFiles) {
    CrashJournal::Page page;
    page.slot = 4;
    page.text =
        QString::fromUtf16(u"a\0b\r\n\u00e9\U0001F600", 8) + QChar(0xD800); // lone surrogate
    page.title = QStringLiteral("/x/100% caf\u00e9\n=.htm");
    page.folder = QStringLiteral("/x/");
    page.encoding = TextEncoding::Utf16BE;
    const QByteArray bytes = CrashJournal::encode(page);
    const std::optional<CrashJournal::Page> back = CrashJournal::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text, page.text);
    EXPECT_EQ(back->title, page.title);
    EXPECT_EQ(back->folder, page.folder);
    EXPECT_EQ(back->encoding, page.encoding);
    EXPECT_EQ(back->slot, 4);
    for (const QByteArray& broken : {bytes.chopped(1), bytes + "x", bytes.mid(1), QByteArray()}) {
        EXPECT_FALSE(CrashJournal::decode(broken));
    }
}

// Only regular files open: a pipe would hold the program until something
// writes to it, a device would feed it without end.
TEST_F(WorkSafety, OpenRefusesWhatIsNotARegularFileAndTakesOddNames) {
    const QString fifo = folder() + "x.htm";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString device = folder() + "zero.htm";
    ASSERT_TRUE(QFile::link("/dev/zero", device));
    for (const QString& path : {fifo, device}) {
        w.prompts.expectFile("Open File", {path});
        w.prompts.expectMessage("The file could not be opened:\n" + path +
                                    "\n\nIt is not a regular file (a device, pipe or socket), so "
                                    "it cannot be opened as a page.",
                                "Markwright");
        run("mnuFileOpen");
        EXPECT_EQ(w->source().text(), w->documents().pageTemplate());
    }
    for (const QString name : {"it's \"quoted\".htm", "two\nlines.htm"}) {
        writeFile(folder() + name, "<p>odd</p>");
        open(folder() + name);
        EXPECT_EQ(w->source().text(), "<p>odd</p>");
        EXPECT_EQ(w->documents().title(1), folder() + name);
    }
}
