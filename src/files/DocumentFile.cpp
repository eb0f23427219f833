#include "files/DocumentFile.h"

#include "files/RtfText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

WriteResult write(const QString& path, const QByteArray& bytes) {
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
    // Where no temporary file may be made beside it (a folder that allows
    // changing files but not adding them), the file is written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.write(bytes) != bytes.size()) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace docfile
