#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <array>

namespace markwright {

// Notices when another program changes, replaces or deletes the file of a
// document slot. Each slot remembers what its file looked like when it was
// last opened or saved here; the slot's file "changed on disk" when it no
// longer looks like that. Our own saves re-remember the file, so they never
// count as a change.
//
// The folders of the files are watched too (a deleted file may be created
// again). Other files come and go there, the program's own preview files at
// every refresh: a change of a folder is looked into only when one of the
// slots' files in it no longer looks as it did when last looked at.
class DiskWatch : public QObject {
    Q_OBJECT

  public:
    static constexpr int Slots = 5;

    // What a file looks like from outside: enough to tell a rewrite or a
    // replacement from the same file.
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Stamp& other) const;
        bool operator!=(const Stamp& other) const { return !(*this == other); }
    };
    static Stamp stampOf(const QString& path);

    explicit DiskWatch(QObject* parent = nullptr);

    // Slot n's text is now in step with the file at `path`.
    void remember(int n, const QString& path);
    // Slot n's text was last in step with the file at `path` when it looked
    // like `known` (a page restored after a crash): a file that looks
    // otherwise now counts as changed by another program.
    void rememberAs(int n, const QString& path, const Stamp& known);
    // Slot n has no file any more (a new page).
    void forget(int n);
    QString path(int n) const;
    // How slot n's file looked when it was last opened or saved here.
    Stamp known(int n) const { return at(n).known; }

    // The slot's file changed or vanished since it was remembered.
    bool changedOnDisk(int n) const;
    bool vanished(int n) const;
    // Changed on disk, and this state of the file has not yet been offered
    // to the user.
    bool needsOffer(int n) const;
    // The user has been told about the file as it is now.
    void markOffered(int n);

  signals:
    // Slot n's file changed on disk (emitted once per change noticed).
    void outsideChange(int n);

  private:
    struct Entry {
        QString path;
        Stamp known;   // as opened or saved here
        Stamp offered; // as last offered to the user
        Stamp seen;    // as last looked at
    };
    void onPathChanged(const QString& path);
    void onFolderChanged(const QString& folder);
    void rewatch();
    Entry& at(int n) { return m_entries[static_cast<std::size_t>(n - 1)]; }
    const Entry& at(int n) const { return m_entries[static_cast<std::size_t>(n - 1)]; }

    QFileSystemWatcher m_watcher;
    std::array<Entry, Slots> m_entries;
};

} // namespace markwright
