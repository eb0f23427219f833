#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

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

// A file whose interrupted write was undone.
struct Mended {
    QString path;
    // Where the bytes the file held before they were put back are kept: set
    // when they were neither the old bytes nor the new ones (a cut write, or
    // the user's own later work on the file, which are told apart by no
    // one), empty otherwise.
    QString keptAside;
};

// Finishes what interrupted in-place writes left in `backupFolder`: a file
// that holds the whole new text keeps it, any other gets its old bytes back.
// Bytes found in the file are never destroyed: unless they are the old
// bytes, they are first copied into `backupFolder`.
std::vector<Mended> recoverInterrupted(const QString& backupFolder);

// For tests: the next `count` overwrites fail with a write error once
// `afterBytes` of their bytes are written, as a failing disk would.
void injectWriteFault(qint64 afterBytes, int count = 1);

// The folder the program keeps its copies in.
QString defaultBackupFolder();

} // namespace inplace

} // namespace markwright
