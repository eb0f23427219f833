#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace markwright {

// The classic INI profile format, as pure functions over a file's bytes:
// section and key looked up case-insensitively, values stored raw (no
// escaping), every other line of the file kept exactly as it is.
namespace ini {

// The value of `key` in `section`, or nullopt when the section or key is not
// there. The whole value is returned, however long.
std::optional<QString> readValue(const QByteArray& contents, const QString& section,
                                 const QString& key);

// The file's bytes with `key` in `section` set to `value`: the first existing
// key line is replaced, or the key is added at the end of the section, or the
// section is added at the end of the file. Other lines are kept byte for byte.
QByteArray writeValue(const QByteArray& contents, const QString& section, const QString& key,
                      const QString& value);

} // namespace ini

} // namespace markwright
