#pragma once

#include "core/TextEncoding.h"

#include <QString>

namespace markwright {

// Reading and writing whole documents. A failure carries a reason to show
// the user; a failed write leaves the old file as it was.
namespace docfile {

struct ReadResult {
    bool ok = false;
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    QString charset; // for TextEncoding::Declared
    // The file was rich text; `text` is its plain text.
    bool richText = false;
    QString error;
};

// Reads the file whole. Rich-text files give their plain text (and are
// written back as plain UTF-8 text).
ReadResult read(const QString& path);

struct WriteResult {
    bool ok = false;
    QString error;
};

// Writes through a temporary file that replaces the old one only once every
// byte is on disk. A file marked read-only is not replaced. Where no
// temporary file may be made beside it, the file is rewritten in place with
// a safety copy of its old bytes in `backupFolder` (empty: the program's).
WriteResult write(const QString& path, const QByteArray& bytes,
                  const QString& backupFolder = QString());

// Writes `bytes` through a temporary file that takes the name only once it
// is whole; false on any failure (the old file, if any, is then untouched).
// For the program's own files; documents go through write().
bool writeAtomically(const QString& path, const QByteArray& bytes);

// Files larger than this are refused rather than read: an 8-bit file can
// triple in size as the pane's UTF-8, which must stay under 2 GB.
constexpr qint64 MaxFileSize = qint64(512) << 20;

} // namespace docfile

} // namespace markwright
