#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace markwright {

// The preview files the program writes beside a page. Each write makes a new
// file and puts it in place of whatever had that name, so a symbolic or hard
// link planted under the name is replaced, never written through. A preview
// file is readable by no one who could not read the page's own file.
namespace previewfile {

bool write(const QString& path, QByteArrayView bytes, QFileDevice::Permissions permissions);

// The permissions for the preview files of the page saved at
// `documentPath`: its own read and write bits, or owner-only for a page
// that has no file yet.
QFileDevice::Permissions permissionsFor(const QString& documentPath);

} // namespace previewfile

} // namespace markwright
