// Saving where no temporary file may be made: the old bytes are never lost,
// whether the write fails, the disk is full or the process is killed.
#include "files/InPlaceWrite.h"
#include "files/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray filled(char c, qsizetype size) {
    return QByteArray(size, c);
}

// A small file system of its own, so a full disk can be tested; skipped
// where mounting is not allowed.
class SmallDisk {
  public:
    explicit SmallDisk(const char* size) {
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", QString("size=") + size, "tmpfs",
                                              dir.path()}) == 0;
    }
    ~SmallDisk() {
        if (mounted) {
            QProcess::execute("umount", {dir.path()});
        }
    }
    QTemporaryDir dir;
    bool mounted = false;
};
} // namespace

TEST(InPlaceWrite, ReplacesTheBytesAndKeepsNoCopy) {
    QTemporaryDir site, backups;
    const QString path = site.filePath("page.htm");
    for (const QByteArray& next : {filled('n', 5000), filled('s', 10), QByteArray()}) {
        writeFile(path, filled('o', 1000));
        const inplace::Result result = inplace::write(path, next, backups.path());
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(readFile(path), next);
        EXPECT_TRUE(QDir(backups.path()).isEmpty());
    }
}

// Killed at any point of a 50 MB rewrite, the file ends up whole: the old
// bytes or the new ones, never a mixture, once the next start has run.
TEST(InPlaceWrite, AKilledWriteIsMendedAtTheNextStart) {
    QTemporaryDir site, backups;
    const QString path = site.filePath("big.htm");
    const QByteArray old = filled('o', 50 << 20);
    const QByteArray next = filled('n', 40 << 20);
    int cut = 0;
    for (int delayMs : {0, 5, 20, 60, 150}) {
        writeFile(path, old);
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
        const QByteArray left = readFile(path);
        cut += (left != old && left != next) ? 1 : 0;
        inplace::recoverInterrupted(backups.path());
        const QByteArray mended = readFile(path);
        EXPECT_TRUE(mended == old || mended == next) << "delay " << delayMs;
        EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files).isEmpty());
    }
    std::printf("[ info ] %d of 5 kills left a cut file before the mend\n", cut);
}

TEST(InPlaceWrite, AFullDiskIsToldAndTheOldFileKept) {
    SmallDisk disk("1m");
    if (!disk.mounted) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    QTemporaryDir backups;
    const QString path = disk.dir.filePath("page.htm");
    const QByteArray old = filled('o', 600 << 10);
    writeFile(path, old);

    // Through a temporary file: both copies do not fit.
    docfile::WriteResult saved = docfile::write(path, filled('n', 700 << 10), backups.path());
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.error, "No space left on device.");
    EXPECT_EQ(readFile(path), old);

    // In place: refused before the file is touched.
    const inplace::Result result = inplace::write(path, filled('n', 2 << 20), backups.path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No space left on device.");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(disk.dir.path()).entryList(QDir::Files), QStringList{"page.htm"});
}

// A folder with no room for one more file: Save rewrites the file in place.
TEST(InPlaceWrite, SaveRewritesInPlaceWhereNoFileCanBeAdded) {
    SmallDisk disk("1m,nr_inodes=2"); // the folder and one file
    if (!disk.mounted) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    QTemporaryDir backups;
    const QString path = disk.dir.filePath("page.htm");
    writeFile(path, filled('o', 1000));
    ASSERT_FALSE(QFile(disk.dir.filePath("other")).open(QIODevice::WriteOnly));
    const docfile::WriteResult saved = docfile::write(path, "<p>new</p>", backups.path());
    EXPECT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_EQ(readFile(path), "<p>new</p>");
    EXPECT_TRUE(QDir(backups.path()).isEmpty());
}
