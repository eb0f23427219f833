#include "files/InPlaceWrite.h"

#include "files/DocumentFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

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

// Overwrites the file's bytes from the start and cuts it to the new length,
// then reads it back. The file is never truncated first.
Result overwrite(const QString& path, const QByteArray& bytes) {
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        result.error = file.errorString();
        return result;
    }
    if (file.write(bytes) != bytes.size() || !file.resize(bytes.size()) || !syncToDisk(file)) {
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
    QFile::remove(copy.note);
    QFile::remove(copy.data);
    return result;
}

QStringList recoverInterrupted(const QString& backupFolder) {
    QStringList restored;
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
        const QString target = QUrl::fromPercentEncoding(lines[0]);
        QFile current(target);
        const bool complete = current.open(QIODevice::ReadOnly) &&
                              current.size() == lines[1].toLongLong() &&
                              digest(current.readAll()) == lines[2];
        current.close();
        if (!complete) {
            QFile oldFile(data);
            if (!oldFile.open(QIODevice::ReadOnly) || !overwrite(target, oldFile.readAll()).ok) {
                continue; // keep the copy for the user
            }
            restored.append(target);
        }
        QFile::remove(noteFile.fileName());
        QFile::remove(data);
    }
    return restored;
}

} // namespace inplace

} // namespace markwright
