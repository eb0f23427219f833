#include "files/PreviewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace markwright {

namespace previewfile {

bool write(const QString& path, QByteArrayView bytes, QFileDevice::Permissions permissions) {
    const QFileInfo info(path);
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.~mkwr-XXXXXX"));
    if (!file.open()) {
        return false;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        !file.setPermissions(permissions)) {
        return false;
    }
    file.close();
    // rename() replaces the name itself: a link at `path` is not followed.
    const QByteArray from = QFile::encodeName(file.fileName());
    const QByteArray to = QFile::encodeName(info.absoluteFilePath());
#ifdef Q_OS_WIN
    QFile::remove(info.absoluteFilePath());
#endif
    if (std::rename(from.constData(), to.constData()) != 0) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

QFileDevice::Permissions permissionsFor(const QString& documentPath) {
    constexpr QFileDevice::Permissions ReadWrite =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
        QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QFileInfo info(documentPath);
    if (documentPath.isEmpty() || !info.isFile()) {
        return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
               QFileDevice::WriteUser;
    }
    // Always writable by its owner, or the next refresh could not replace it.
    return (info.permissions() & ReadWrite) | QFileDevice::WriteOwner | QFileDevice::WriteUser |
           QFileDevice::ReadOwner | QFileDevice::ReadUser;
}

} // namespace previewfile

} // namespace markwright
