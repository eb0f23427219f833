#include "files/DocumentFile.h"

#include "files/InPlaceWrite.h"
#include "files/RtfText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace docfile {

ReadResult read(const QString& path) {
    ReadResult result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = QStringLiteral("It is a folder, not a file.");
        return result;
    }
    if (info.exists() && info.size() > MaxFileSize) {
        result.error = QStringLiteral("The file is too large to open (%1 MB; the limit is %2 MB).")
                           .arg(info.size() >> 20)
                           .arg(MaxFileSize >> 20);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
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
