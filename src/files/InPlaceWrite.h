#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace markwright {

// Rewriting a file in place, for folders where no temporary file may be made
// beside it (the file may be changed, but nothing added). The only copy of
// the old bytes is never at risk: they are first copied into `backupFolder`
// together with a note of what is being written, and the copy is removed
// only once the new bytes have been read back from the file. A write that
// fails puts the old bytes back; one cut short by a crash or a kill is
// mended at the next start by `recoverInterrupted`.
namespace inplace {

struct Result {
    bool ok = false;
    QString error;
};

Result write(const QString& path, const QByteArray& bytes, const QString& backupFolder);

// Finishes what interrupted in-place writes left in `backupFolder`: a file
// that holds the whole new text keeps it, any other gets its old bytes back.
// Returns the paths of the files that were put back.
QStringList recoverInterrupted(const QString& backupFolder);

// The folder the program keeps its copies in.
QString defaultBackupFolder();

} // namespace inplace

} // namespace markwright
