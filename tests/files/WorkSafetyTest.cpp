// Nothing the user typed is lost: too large and unusual files are refused,
// and unsaved pages survive a crash. (Refused saves, rich-text files and
// files changed by other programs are among the file-command scenarios.)
#include "files/CrashJournal.h"
#include "files/Recovery.h"
#include "support/TestWindow.h"

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
