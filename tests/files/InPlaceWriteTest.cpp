// Saving where no temporary file may be made: the old bytes are never lost,
// whether the write fails, the disk is full or the process is killed.
#include "files/InPlaceWrite.h"
#include "files/DocumentFile.h"
#include "support/TestData.h"

#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A small file system of its own, so a full disk can be tested; the test is
// skipped where mounting is not allowed.
struct SmallDisk {
    explicit SmallDisk(const char* size)
        : mounted(QProcess::execute("mount", {"-t", "tmpfs", "-o", QString("size=") + size, "tmpfs",
                                              dir.path()}) == 0) {}
    ~SmallDisk() {
        if (mounted) {
            QProcess::execute("umount", {dir.path()});
        }
    }
    QTemporaryDir dir;
    bool mounted;
};
} // namespace

TEST(InPlaceWrite, ReplacesTheBytesAndKeepsNoCopy) {
    QTemporaryDir site, backups;
    const QString path = site.filePath("page.htm");
    for (const QByteArray& next : {QByteArray(5000, 'n'), QByteArray(10, 's'), QByteArray()}) {
        ASSERT_TRUE(writeBytes(path, QByteArray(1000, 'o')));
        const inplace::Result result = inplace::write(path, next, backups.path());
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(readBytes(path), next);
        EXPECT_TRUE(QDir(backups.path()).isEmpty());
    }
}

// Killed at any point of a 50 MB rewrite, the file ends up whole: the old
// bytes or the new ones, never a mixture, once the next start has run.
TEST(InPlaceWrite, AKilledWriteIsMendedAtTheNextStart) {
    QTemporaryDir site, backups;
    const QString path = site.filePath("big.htm");
    const QByteArray old(50 << 20, 'o');
    const QByteArray next(40 << 20, 'n');
    int cut = 0;
    for (int delayMs : {0, 5, 20, 60, 150}) {
        ASSERT_TRUE(writeBytes(path, old));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            inplace::write(path, next, backups.path());
            _exit(0);
        }
        while (QDir(backups.path()).entryList({"*.note"}, QDir::Files).isEmpty()) {
            if (waitpid(child, nullptr, WNOHANG) == child) {
                break;
            }
            QThread::usleep(200);
        }
        QThread::msleep(static_cast<unsigned long>(delayMs));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray left = readBytes(path);
        const bool wasCut = left != old && left != next;
        cut += wasCut ? 1 : 0;
        const std::vector<inplace::Mended> mended = inplace::recoverInterrupted(backups.path());
        const QByteArray now = readBytes(path);
        EXPECT_TRUE(now == old || now == next) << "delay " << delayMs;
        // A cut file is kept aside: nothing tells it from the user's own work.
        const QString aside = mended.empty() ? QString() : mended[0].keptAside;
        EXPECT_EQ(!aside.isEmpty(), wasCut);
        EXPECT_TRUE(aside.isEmpty() || readBytes(aside) == left);
        if (!aside.isEmpty()) {
            QFile::remove(aside);
        }
        const QStringList kept = QDir(backups.path()).entryList(QDir::Files);
        EXPECT_TRUE(kept.isEmpty()) << kept.join(' ').toStdString();
    }
    std::printf("[ info ] %d of 5 kills left a cut file before the mend\n", cut);
}

// A write that fails part-way puts the old bytes back; when that fails too,
// the copy stays, and the next start puts them back without destroying what
// the file holds by then (the user may have repaired it meanwhile).
TEST(InPlaceWrite, AFailedWriteIsPutBackAndNothingFoundInTheFileIsLost) {
    QTemporaryDir site, backups;
    const QString path = site.filePath("page.htm");
    const QByteArray old(3 << 20, 'o');
    for (const QByteArray& next : {QByteArray(4 << 20, 'n'), QByteArray(2 << 20, 'n')}) {
        ASSERT_TRUE(writeBytes(path, old));
        inplace::injectWriteFault(1 << 20);
        const inplace::Result result = inplace::write(path, next, backups.path());
        EXPECT_EQ(result.error, "Input/output error. The file was put back as it was.");
        EXPECT_TRUE(readBytes(path) == old);
        EXPECT_TRUE(QDir(backups.path()).isEmpty());
    }
    const struct {
        QByteArray found;
        bool putBack, keptAside;
    } cases[] = {{"<p>repaired</p>", true, true}, {old, true, false}, {"new", false, false}};
    for (const auto& c : cases) {
        inplace::injectWriteFault(1, 2);
        EXPECT_FALSE(inplace::write(path, "new", backups.path()).ok);
        ASSERT_TRUE(writeBytes(path, c.found));
        const std::vector<inplace::Mended> mended = inplace::recoverInterrupted(backups.path());
        ASSERT_EQ(mended.size(), c.putBack ? 1u : 0u);
        EXPECT_TRUE(readBytes(path) == (c.putBack ? old : c.found));
        const QStringList left = QDir(backups.path()).entryList(QDir::Files);
        if (c.keptAside) {
            EXPECT_EQ(mended[0].path, path);
            EXPECT_EQ(readBytes(mended[0].keptAside), c.found);
            EXPECT_EQ(left, QStringList{QFileInfo(mended[0].keptAside).fileName()});
            QFile::remove(mended[0].keptAside);
        } else {
            EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
        }
    }
}

// A full disk: through a temporary file, both copies do not fit; in place,
// the write is refused before the file is touched. A folder with no room for
// one more file: Save rewrites the file in place.
TEST(InPlaceWrite, AFullDiskIsToldAndTheOldFileKeptAndAFullFolderIsWrittenInPlace) {
    SmallDisk disk("1m");
    SmallDisk full("1m,nr_inodes=2"); // the folder and one file
    if (!disk.mounted || !full.mounted) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    QTemporaryDir backups;
    const QString path = disk.dir.filePath("page.htm");
    const QByteArray old(600 << 10, 'o');
    ASSERT_TRUE(writeBytes(path, old));
    const docfile::WriteResult saved =
        docfile::write(path, QByteArray(700 << 10, 'n'), backups.path());
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.error, "No space left on device.");
    EXPECT_EQ(readBytes(path), old);
    const inplace::Result result = inplace::write(path, QByteArray(2 << 20, 'n'), backups.path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No space left on device.");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(disk.dir.path()).entryList(QDir::Files), QStringList{"page.htm"});

    const QString page = full.dir.filePath("page.htm");
    ASSERT_TRUE(writeBytes(page, QByteArray(1000, 'o')));
    ASSERT_FALSE(writeBytes(full.dir.filePath("other"), ""));
    const docfile::WriteResult inPlace = docfile::write(page, "<p>new</p>", backups.path());
    EXPECT_TRUE(inPlace.ok) << inPlace.error.toStdString();
    EXPECT_EQ(readBytes(page), "<p>new</p>");
    EXPECT_TRUE(QDir(backups.path()).isEmpty());
}
