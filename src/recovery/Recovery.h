#pragma once

#include "recovery/CrashJournal.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>

namespace markwright {

class DiskWatch;
class DocumentController;
class Prompts;

// Copies every slot with unsaved changes into the crash journal shortly
// after typing pauses, and offers those copies back at the next start when
// the program did not close properly.
class Recovery : public QObject {
    Q_OBJECT

  public:
    static const char* const QuestionText;
    // How long typing must pause before the journal is written, and the
    // longest it waits for that pause once a change is waiting.
    static constexpr int PauseMs = 1500;
    static constexpr int LongestWaitMs = 10000;

    // `journalFolder` empty: nothing is journalled. `backupFolder`: where
    // in-place saves keep their safety copies (empty: none are looked for).
    // `watch` knows how each slot's file looked when the slot was last in
    // step with it; a restored page takes that knowledge back, so Save
    // notices a file changed since.
    Recovery(DocumentController& controller, Prompts& prompts, DiskWatch& watch,
             const QString& journalFolder, const QString& backupFolder);
    ~Recovery() override;

    // Slot n's text changed.
    void noteEdit(int n);
    // Copies the changed slots now (the timer does this after a pause).
    void journalNow();
    // Slot n no longer needs a copy: it was saved, or replaced by a page
    // that has nothing unsaved.
    void settled(int n);
    // Puts back files whose in-place save was cut short, then asks whether
    // to restore the pages a crashed program left, and does so. A page
    // whose slot an earlier page took goes into a slot with nothing unsaved
    // that no left page names; with none free it stays on disk for the next
    // start, and the user is told.
    void offerRestore();
    // Drops every copy: the user has answered for every page.
    void cleanEnd();
    // Returns once every copy asked for is on disk.
    void flush() { m_journal.flush(); }

    CrashJournal& journal() { return m_journal; }

  private:
    void restore(const CrashJournal::Page& page, int n);
    void putBackCutSaves();

    DocumentController& m_controller;
    Prompts& m_prompts;
    DiskWatch& m_watch;
    CrashJournal m_journal;
    QString m_backupFolder;
    QTimer m_pause{this};
    QTimer m_longestWait{this};
    std::array<bool, 5> m_dirty{};
    std::array<bool, 5> m_stored{};
};

} // namespace markwright
