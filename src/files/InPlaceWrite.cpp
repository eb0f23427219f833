#include "files/InPlaceWrite.h"

#include "files/DocumentFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <algorithm>
#include <atomic>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace markwright {

namespace inplace {
namespace {

QByteArray digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool syncToDisk(QFile& file) {
    if (!file.flush()) {
        return false;
    }
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

// A write error asked for by a test: how many more overwrites fail, and
// after how many of their bytes.
std::atomic<int> faultsLeft{0};
std::atomic<qint64> faultAfter{0};

// Where the next overwrite stops with a write error; -1 for none.
qint64 takeFault() {
    int left = faultsLeft.load();
    while (left > 0) {
        if (faultsLeft.compare_exchange_weak(left, left - 1)) {
            return faultAfter.load();
        }
    }
    return -1;
}

// Overwrites the file's bytes from the start and cuts it to the new length,
// then reads it back. The file is never truncated first.
Result overwrite(const QString& path, const QByteArray& bytes) {
    constexpr qint64 ChunkBytes = qint64(1) << 20;
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        result.error = file.errorString();
        return result;
    }
    const qint64 stopAt = takeFault();
    for (qint64 written = 0; written < bytes.size();) {
        qint64 chunk = std::min(ChunkBytes, bytes.size() - written);
        if (stopAt >= 0 && written + chunk > stopAt) {
            chunk = stopAt - written;
            if (chunk > 0) {
                file.write(bytes.constData() + written, chunk);
            }
            file.flush();
            result.error = QStringLiteral("Input/output error.");
            return result;
        }
        if (file.write(bytes.constData() + written, chunk) != chunk) {
            result.error = file.errorString();
            return result;
        }
        written += chunk;
    }
    if (!file.resize(bytes.size()) || !syncToDisk(file)) {
        result.error = file.errorString();
        return result;
    }
    file.close();
    QFile check(path);
    if (!check.open(QIODevice::ReadOnly) || check.readAll() != bytes) {
        result.error = QStringLiteral("The file did not read back as written.");
        return result;
    }
    result.ok = true;
    return result;
}

// A name in `folder` no file has yet, made from `base`.
QString freeName(const QDir& folder, const QString& base) {
    QString name = base;
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n) {
        name = QStringLiteral("%1-%2").arg(base).arg(n);
    }
    return folder.filePath(name);
}

struct Copy {
    QString data;
    QString note;
};

Copy copyFor(const QString& backupFolder, const QString& path) {
    const QString id = QString::fromLatin1(digest(QFileInfo(path).absoluteFilePath().toUtf8()));
    const QDir folder(backupFolder);
    return {folder.filePath(id + QStringLiteral(".old")),
            folder.filePath(id + QStringLiteral(".note"))};
}

} // namespace

QString defaultBackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/backups");
}

Result write(const QString& path, const QByteArray& bytes, const QString& backupFolder) {
    Result result;
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly)) {
        result.error = original.errorString();
        return result;
    }
    const QByteArray old = original.readAll();
    original.close();

    // Growing the file needs room on its disk: refuse before touching it.
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (storage.isValid() && bytes.size() > old.size() &&
        storage.bytesAvailable() < bytes.size() - old.size()) {
        result.error = QStringLiteral("No space left on device.");
        return result;
    }

    const Copy copy = copyFor(backupFolder, path);
    const QByteArray note = QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath()) + '\n' +
                            QByteArray::number(bytes.size()) + '\n' + digest(bytes) + '\n';
    if (!QDir().mkpath(backupFolder) || !docfile::writeAtomically(copy.data, old) ||
        !docfile::writeAtomically(copy.note, note)) {
        result.error = QStringLiteral("No safety copy of the old file could be made in %1, so "
                                      "the file was left as it was.")
                           .arg(QDir::toNativeSeparators(backupFolder));
        return result;
    }

    result = overwrite(path, bytes);
    if (!result.ok) {
        if (overwrite(path, old).ok) {
            result.error += QStringLiteral(" The file was put back as it was.");
        } else {
            result.error += QStringLiteral(" The previous version of the file is kept at %1.")
                                .arg(QDir::toNativeSeparators(copy.data));
            return result; // the copy stays
        }
    }
    // The copy before its note: a note without its copy only ever means a
    // write that had ended whole.
    QFile::remove(copy.data);
    QFile::remove(copy.note);
    return result;
}

void injectWriteFault(qint64 afterBytes, int count) {
    faultAfter = afterBytes;
    faultsLeft = count;
}

std::vector<Mended> recoverInterrupted(const QString& backupFolder) {
    std::vector<Mended> mended;
    const QDir folder(backupFolder);
    for (const QString& name : folder.entryList({QStringLiteral("*.note")}, QDir::Files)) {
        QFile noteFile(folder.filePath(name));
        if (!noteFile.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> lines = noteFile.readAll().split('\n');
        noteFile.close();
        const QString data = folder.filePath(name.chopped(5) + QStringLiteral(".old"));
        if (lines.size() < 3) {
            QFile::remove(noteFile.fileName()); // the copy was never finished
            continue;
        }
        if (!QFileInfo::exists(data)) {
            QFile::remove(noteFile.fileName()); // the write had ended, whole
            continue;
        }
        const QString target = QUrl::fromPercentEncoding(lines[0]);
        QFile current(target);
        const bool exists = current.open(QIODevice::ReadOnly);
        const QByteArray found = exists ? current.readAll() : QByteArray();
        current.close();
        const bool complete =
            exists && found.size() == lines[1].toLongLong() && digest(found) == lines[2];
        if (!complete) {
            QFile oldFile(data);
            if (!oldFile.open(QIODevice::ReadOnly)) {
                continue; // keep the note for the user
            }
            const QByteArray old = oldFile.readAll();
            Mended entry{target, QString()};
            if (!exists || found != old) {
                // Half the new bytes, or what the user made of the file with
                // another program since: either way not ours to destroy.
                if (exists) {
                    entry.keptAside =
                        freeName(folder, QStringLiteral("%1.found-%2")
                                             .arg(QFileInfo(target).fileName(),
                                                  QDateTime::currentDateTime().toString(
                                                      QStringLiteral("yyyyMMdd-hhmmss"))));
                    if (!docfile::writeAtomically(entry.keptAside, found)) {
                        continue; // the file is left as it is, the copy kept
                    }
                }
                if (!overwrite(target, old).ok) {
                    continue; // keep the copy for the user
                }
            }
            mended.push_back(entry);
        }
        QFile::remove(data);
        QFile::remove(noteFile.fileName());
    }
    return mended;
}

} // namespace inplace

} // namespace markwright
