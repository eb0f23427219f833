#include "files/DiskWatch.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

namespace markwright {

bool DiskWatch::Stamp::operator==(const Stamp& other) const {
    return exists == other.exists && size == other.size && modified == other.modified;
}

DiskWatch::Stamp DiskWatch::stampOf(const QString& path) {
    Stamp stamp;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = info.size();
    // Not the inode change time: a change of permissions alone leaves the
    // text as it was.
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    return stamp;
}

DiskWatch::DiskWatch(QObject* parent) : QObject(parent) {
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::onPathChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::onFolderChanged);
}

void DiskWatch::remember(int n, const QString& path) {
    Entry& entry = at(n);
    entry.path = QFileInfo(path).absoluteFilePath();
    entry.known = stampOf(entry.path);
    entry.offered = entry.known;
    entry.seen = entry.known;
    rewatch();
}

void DiskWatch::rememberAs(int n, const QString& path, const Stamp& known) {
    Entry& entry = at(n);
    entry.path = QFileInfo(path).absoluteFilePath();
    entry.known = known;
    entry.offered = known;
    entry.seen = known;
    rewatch();
}

void DiskWatch::forget(int n) {
    at(n) = Entry();
    rewatch();
}

QString DiskWatch::path(int n) const {
    return at(n).path;
}

bool DiskWatch::changedOnDisk(int n) const {
    const Entry& entry = at(n);
    return !entry.path.isEmpty() && stampOf(entry.path) != entry.known;
}

bool DiskWatch::vanished(int n) const {
    const Entry& entry = at(n);
    return !entry.path.isEmpty() && !QFileInfo::exists(entry.path);
}

bool DiskWatch::needsOffer(int n) const {
    const Entry& entry = at(n);
    if (entry.path.isEmpty()) {
        return false;
    }
    const Stamp now = stampOf(entry.path);
    return now != entry.known && now != entry.offered;
}

void DiskWatch::markOffered(int n) {
    Entry& entry = at(n);
    entry.offered = stampOf(entry.path);
}

void DiskWatch::onFolderChanged(const QString& folder) {
    // Only the slots' files in this folder matter here; any other name in it
    // (a preview file written, another program's file) changes nothing.
    const QString watched = QFileInfo(folder).absoluteFilePath();
    for (const Entry& entry : m_entries) {
        if (!entry.path.isEmpty() && QFileInfo(entry.path).absolutePath() == watched &&
            stampOf(entry.path) != entry.seen) {
            onPathChanged(folder);
            return;
        }
    }
}

void DiskWatch::onPathChanged(const QString& path) {
    // A file replaced by renaming another over it drops out of the watch;
    // a deleted one may come back. Watch again whatever is there now.
    m_watcher.removePath(path);
    rewatch();
    for (Entry& entry : m_entries) {
        if (!entry.path.isEmpty()) {
            entry.seen = stampOf(entry.path);
        }
    }
    for (int n = 1; n <= Slots; ++n) {
        if (needsOffer(n)) {
            emit outsideChange(n);
        }
    }
}

void DiskWatch::rewatch() {
    QSet<QString> wanted;
    for (const Entry& entry : m_entries) {
        if (entry.path.isEmpty()) {
            continue;
        }
        // The folder too: it tells when a deleted file is created again.
        wanted.insert(QFileInfo(entry.path).absolutePath());
        if (QFileInfo::exists(entry.path)) {
            wanted.insert(entry.path);
        }
    }
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    const QSet<QString> current(watched.begin(), watched.end());
    if (const QStringList stale = (current - wanted).values(); !stale.isEmpty()) {
        m_watcher.removePaths(stale);
    }
    if (const QStringList added = (wanted - current).values(); !added.isEmpty()) {
        m_watcher.addPaths(added);
    }
}

} // namespace markwright
