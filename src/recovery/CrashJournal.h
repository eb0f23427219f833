#pragma once

#include "core/TextEncoding.h"
#include "files/DiskWatch.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <optional>
#include <vector>

namespace markwright {

// Keeps a copy of every page with unsaved changes on disk, so that a crash
// or a killed process loses nothing. Each running program owns a session
// folder under the journal folder, held by a lock file; a session folder
// whose lock is no longer held belongs to a program that ended without
// closing properly, and its pages can be restored.
class CrashJournal {
  public:
    struct Page {
        int slot = 0;
        QString text;
        // Instead of `text`: the pane's raw UTF-8, decoded by the writer.
        QByteArray paneBytes;
        QString title;
        QString folder;
        TextEncoding encoding = TextEncoding::Utf8;
        QString charset; // for TextEncoding::Declared
        bool changed = true;
        // The slot's file is rich text shown as plain text.
        bool richText = false;
        // The file the slot is in step with (empty: none), and how it looked
        // then: a file that no longer looks so was changed since. A page
        // journalled before stamps were kept names its title's file with
        // nothing known of it, so any file there counts as changed.
        QString file;
        DiskWatch::Stamp known;
        // Where `leftPages` read the page from; not part of the file form.
        QString origin;
    };

    // The file form of a page: a short header of key=value lines, a blank
    // line, then the text as UTF-16 (every QString survives, NUL included).
    static QByteArray encode(const Page& page);
    // nullopt for anything that is not a whole page (a cut or foreign file).
    static std::optional<Page> decode(const QByteArray& bytes);

    // `folder` holds the session folders; it is made when missing.
    explicit CrashJournal(const QString& folder);
    ~CrashJournal();
    CrashJournal(const CrashJournal&) = delete;
    CrashJournal& operator=(const CrashJournal&) = delete;

    // False when the journal folder cannot be used; every call is then a
    // no-op.
    bool active() const { return m_lock != nullptr; }

    // Writes the page in the background (atomically: the previous copy
    // stays until the new one is whole). Later calls for the same slot win.
    void store(const Page& page);
    // Drops slot n's copy (its text is saved, or was deliberately left).
    void remove(int slot);
    // Returns once every write asked for so far is on disk.
    void flush();
    // A clean end: drops this session's copies and its folder.
    void finish();

    // Pages left by programs that did not close properly, oldest session
    // first. Their sessions stay claimed by this program until `discardLeft`.
    std::vector<Page> leftPages();
    // Drops the claimed sessions, all but the pages in `keep`: those stay on
    // disk and are left pages again at the next start.
    void discardLeft(const std::vector<Page>& keep = {});

    QString sessionFolder() const { return m_session; }

  private:
    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    QThreadPool m_pool;
    struct Claimed {
        QString folder;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Claimed> m_claimed;
};

} // namespace markwright
