// Nothing the user typed is lost: too large and unusual files are refused,
// and unsaved pages survive a crash. (Refused saves, rich-text files and
// files changed by other programs are among the file-command scenarios.)
#include "recovery/CrashJournal.h"
#include "documents/FileCommands.h"
#include "recovery/Recovery.h"
#include "support/TestWindow.h"

#include <QSet>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

// New starts a UTF-8 page; a file too large, a pipe (which would hold the
// program until something writes to it) or a device (which would feed it
// without end) is refused with its reason.
TEST(WorkSafety, NewStartsAUtf8PageAndOnlyRegularFilesOfAFairSizeOpen) {
    QTemporaryDir site;
    TestWindow w;
    const QString folder = site.path() + "/";
    ASSERT_TRUE(writeBytes(folder + "legacy.htm", "caf\xE9"));
    w.open(folder + "legacy.htm");
    EXPECT_EQ(w->documents().encoding(1), TextEncoding::Windows1252);
    w.run("mnuFileNew");
    EXPECT_EQ(w->documents().encoding(1), TextEncoding::Utf8);

    const QString big = folder + "big.htm", fifo = folder + "x.htm";
    const QString device = folder + "zero.htm";
    ASSERT_TRUE(QFile(big).open(QIODevice::WriteOnly) && QFile(big).resize(qint64(513) << 20));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", device));
    const std::pair<QString, const char*> refused[] = {
        {big, "too-large"}, {fifo, "not-regular"}, {device, "not-regular"}};
    for (const auto& [path, reason] : refused) {
        w.prompts.expectFile("Open File", {path});
        w.prompts.expectMessage(testdata::prompt(reason, path), "Markwright");
        w.run("mnuFileOpen");
        EXPECT_EQ(w->source().text(), w->documents().pageTemplate());
    }
}

TEST(CrashJournal, UnsavedPagesOfAProgramThatDidNotEndAreOfferedBack) {
    QTemporaryDir journal;
    const auto start = [&journal] {
        return std::make_unique<TestWindow>(TestWindow::Ini::WithOpenPath, false, QString(),
                                            journal.path());
    };
    {
        auto crashed = start();
        (*crashed)->source().replaceSelection("one ");
        crashed->select(3);
        (*crashed)->source().replaceSelection("three ");
        crashed->select(1);
        (*crashed)->recovery().journalNow();
        (*crashed)->recovery().flush();
    } // gone without Close: its copies stay

    auto again = start();
    again->prompts.expectChoice(Recovery::QuestionText, 0);
    (*again)->offerRestore();
    EXPECT_TRUE((*again)->source().text().startsWith("one <html>"));
    EXPECT_TRUE((*again)->documents().text(3).startsWith("three <html>"));
    EXPECT_EQ(again->changed(), "13");
    // Asked once: a third start finds only this running program's copies.
    (*start())->offerRestore();
    // A clean end leaves nothing behind.
    again->prompts.expectQuestion("Do you want to save changes to New Page 1", Prompts::Answer::No);
    again->prompts.expectQuestion("Do you want to save changes to New Page 3", Prompts::Answer::No);
    again->run("mnuExit");
    EXPECT_EQ(again->quits, 1);
    EXPECT_TRUE(QDir(journal.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// Each edit puts the pause back, but not the longest wait: typing that never
// pauses is still journalled within that wait.
TEST(CrashJournal, TypingWithoutAPauseIsStillJournalled) {
    QTemporaryDir journal;
    TestWindow w(TestWindow::Ini::WithOpenPath, false, QString(), journal.path());
    auto* pause = w->recovery().findChild<QTimer*>("journalPause");
    auto* longest = w->recovery().findChild<QTimer*>("journalLongestWait");
    ASSERT_TRUE(pause != nullptr && longest != nullptr);
    w->source().replaceSelection("a");
    ASSERT_TRUE(longest->isActive());
    for (int key = 0; key < 6; ++key) {
        QTest::qWait(50);
        w->source().replaceSelection("a");
    }
    EXPECT_GT(pause->remainingTime(), Recovery::PauseMs - 100);
    EXPECT_LT(longest->remainingTime(), Recovery::LongestWaitMs - 250);
}

TEST(CrashJournal, APageRoundTripsEveryTextAndCutFilesAreRefused) {
    CrashJournal::Page page;
    page.slot = 4;
    page.text =
        QString::fromUtf16(u"a\0b\r\n\u00e9\U0001F600", 8) + QChar(0xD800); // lone surrogate
    page.title = QStringLiteral("/x/100% caf\u00e9\n=.htm");
    page.folder = QStringLiteral("/x/");
    page.encoding = TextEncoding::Utf16BE;
    page.richText = true;
    page.file = QStringLiteral("/x/a|b.rtf");
    page.known = {true, 12, 1700000000123};
    const QByteArray bytes = CrashJournal::encode(page);
    const std::optional<CrashJournal::Page> back = CrashJournal::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text, page.text);
    EXPECT_EQ(back->title, page.title);
    EXPECT_EQ(back->folder, page.folder);
    EXPECT_EQ(back->encoding, page.encoding);
    EXPECT_EQ(back->slot, 4);
    EXPECT_TRUE(back->richText);
    EXPECT_EQ(back->file, page.file);
    EXPECT_EQ(back->known, page.known);
    // A page journalled before files were stamped: its title's file, with
    // nothing known of it.
    QByteArray older = bytes;
    for (const char* key : {"richtext=", "file=", "stamp="}) {
        const qsizetype at = older.indexOf(key);
        older.remove(at, older.indexOf('\n', at) - at + 1);
    }
    const std::optional<CrashJournal::Page> old = CrashJournal::decode(older);
    ASSERT_TRUE(old);
    EXPECT_FALSE(old->richText);
    EXPECT_EQ(old->file, page.title);
    EXPECT_EQ(old->known, DiskWatch::Stamp());
    for (const QByteArray& broken : {bytes.chopped(1), bytes + "x", bytes.mid(1), QByteArray()}) {
        EXPECT_FALSE(CrashJournal::decode(broken));
    }
}

namespace {
// A program that crashed with `pages` (slot, typed text) unsaved.
void crashWith(const QString& journal, const std::vector<std::pair<int, QString>>& pages,
               const QStringList& files = {}) {
    TestWindow w(TestWindow::Ini::WithOpenPath, false, QString(), journal);
    for (const auto& [n, typed] : pages) {
        w.select(n);
        if (n <= files.size()) {
            w.open(files[n - 1]);
        }
        w->source().replaceSelection(typed);
    }
    w->recovery().journalNow();
    w->recovery().flush();
}

std::unique_ptr<TestWindow> restoring(const QString& journal) {
    auto w = std::make_unique<TestWindow>(TestWindow::Ini::WithOpenPath, false, QString(), journal);
    w->prompts.expectChoice(Recovery::QuestionText, 0);
    return w;
}
} // namespace

// A restored page is saved as it would have been before the crash: plain
// text goes over a rich-text file only when asked, and so does the page over
// a file another program changed since.
TEST(CrashJournal, ARestoredPageAsksBeforeSavingAsItsSlotWould) {
    QTemporaryDir journal, site;
    const QString rtf = site.filePath("note.rtf"), htm = site.filePath("page.htm");
    ASSERT_TRUE(writeBytes(rtf, "{\\rtf1\\ansi Hello\\par}") && writeBytes(htm, "<p>ours</p>"));
    crashWith(journal.path(), {{1, "a "}, {2, "b "}}, {rtf, htm});
    ASSERT_TRUE(writeBytes(htm, "<p>theirs, since</p>"));

    auto w = restoring(journal.path());
    (*w)->offerRestore();
    w->prompts.expectQuestion(testdata::prompt("rich-text", rtf), Prompts::Answer::Cancel);
    EXPECT_EQ((*w)->files().save(1), FileCommands::Saved::Cancelled);
    w->prompts.expectQuestion(testdata::prompt("changed-outside", htm), Prompts::Answer::No);
    EXPECT_EQ((*w)->files().save(2), FileCommands::Saved::Cancelled);
    EXPECT_EQ(readBytes(rtf), "{\\rtf1\\ansi Hello\\par}");
    EXPECT_EQ(readBytes(htm), "<p>theirs, since</p>");
}

// Two crashed programs with a page for the same slot: the second page goes
// to a slot no page is headed for, or, with none free, waits on disk for
// the next start.
TEST(CrashJournal, TwoLeftPagesForOneSlotAreBothKept) {
    QTemporaryDir journal;
    const auto starts = [](TestWindow& w, int n) { return w->documents().text(n).left(3); };
    crashWith(journal.path(), {{1, "a1 "}, {2, "a2 "}});
    crashWith(journal.path(), {{1, "b1 "}});
    auto first = restoring(journal.path());
    (*first)->offerRestore();
    EXPECT_EQ(QSet<QString>({starts(*first, 1), starts(*first, 3)}), QSet<QString>({"a1 ", "b1 "}));
    EXPECT_EQ(first->changed(), "123");

    crashWith(journal.path(), {{1, "c1 "}, {2, "c2 "}, {3, "c3 "}, {4, "c4 "}, {5, "c5 "}});
    crashWith(journal.path(), {{4, "d4 "}});
    auto second = restoring(journal.path());
    second->prompts.expectMessage(testdata::prompt("no-free-slot", "New Page 4"), "Markwright");
    (*second)->offerRestore();
    EXPECT_EQ(second->changed(), "12345");
    auto third = restoring(journal.path());
    (*third)->offerRestore();
    EXPECT_EQ(third->changed(), "4");
    EXPECT_EQ(QSet<QString>({starts(*second, 4), starts(*third, 4)}),
              QSet<QString>({"c4 ", "d4 "}));
}
