#include "files/DocumentFile.h"

#include "files/InPlaceWrite.h"
#include "files/RtfText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace markwright {

namespace docfile {

namespace {
QString tooLarge(qint64 size) {
    return QStringLiteral("The file is too large to open (%1 MB; the limit is %2 MB).")
        .arg(size >> 20)
        .arg(MaxFileSize >> 20);
}

// Opens only a regular file, without ever waiting: a pipe or a device under
// a page's name would otherwise hold the program until something writes to
// it, or feed it without end.
bool openRegularFile(QFile& file, const QString& path, QString& error) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        error = S_ISDIR(status.st_mode)
                    ? QStringLiteral("It is a folder, not a file.")
                    : QStringLiteral("It is not a regular file (a device, pipe or socket), so it "
                                     "cannot be opened as a page.");
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
        return false;
    }
    return true;
#else
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("It is a folder, not a file.");
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return true;
#endif
}
} // namespace

ReadResult read(const QString& path) {
    ReadResult result;
    QFile file;
    if (!openRegularFile(file, path, result.error)) {
        return result;
    }
    if (file.size() > MaxFileSize) {
        result.error = tooLarge(file.size());
        return result;
    }
    // The limit counts what is really read: a file may grow while it is read.
    QByteArray bytes;
    bytes.reserve(file.size());
    constexpr qint64 Chunk = qint64(4) << 20;
    while (true) {
        const QByteArray chunk = file.read(Chunk);
        if (chunk.isEmpty()) {
            break;
        }
        if (bytes.size() + chunk.size() > MaxFileSize) {
            result.error = tooLarge(bytes.size() + chunk.size());
            return result;
        }
        bytes.append(chunk);
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (looksLikeRtf(bytes)) {
        result.text = rtfPlainText(bytes);
        result.encoding = TextEncoding::Utf8;
        result.richText = true;
    } else {
        DecodedText decoded = decodeText(bytes);
        result.text = std::move(decoded.text);
        result.encoding = decoded.encoding;
        result.charset = std::move(decoded.charset);
    }
    result.ok = true;
    return result;
}

namespace {
// The system's reason, or a plain one where it gave none: a full disk says
// so rather than "Unknown error".
QString reasonFor(const QFileDevice& file, const QString& path, qint64 needed) {
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() < needed) {
        return QStringLiteral("No space left on device.");
    }
    const QString reason = file.errorString();
    return reason.isEmpty() || reason == QLatin1String("Unknown error")
               ? QStringLiteral("The system gave no reason.")
               : reason;
}
} // namespace

bool writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

WriteResult write(const QString& path, const QByteArray& bytes, const QString& backupFolder) {
    WriteResult result;
    const QFileInfo info(path);
    // Marked read-only for its owner or for this user: the mark is the
    // user's, even where the system would let the file be replaced.
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    if (info.exists() &&
        (!(permissions & QFileDevice::WriteOwner) || !(permissions & QFileDevice::WriteUser))) {
        result.error = QStringLiteral("The file is read-only.");
        return result;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file may be made beside it (a folder that allows
        // changing files but not adding them): rewrite the file in place,
        // with its old bytes kept safe elsewhere until the new ones are in.
        if (info.isFile() && info.isWritable()) {
            const inplace::Result inPlace = inplace::write(
                path, bytes,
                backupFolder.isEmpty() ? inplace::defaultBackupFolder() : backupFolder);
            result.ok = inPlace.ok;
            result.error = inPlace.error;
            return result;
        }
        result.error = reasonFor(file, path, 0);
        return result;
    }
    if (file.write(bytes) != bytes.size()) {
        result.error = reasonFor(file, path, bytes.size());
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = reasonFor(file, path, bytes.size());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace docfile

} // namespace markwright
