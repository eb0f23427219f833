#pragma once

#include "core/PreviewControl.h"
#include "preview/BackgroundWriter.h"

#include <optional>

namespace markwright {

class DocumentController;
class DocumentSlots;
class SourcePane;
class PreviewPane;
class Clock;

// Writes the current slot's preview file and shows it, on demand and, while
// the continuous preview is on, once typing has paused for over a second.
class PreviewRefresher : public PreviewControl {
  public:
    PreviewRefresher(DocumentController& documents, SourcePane& pane, PreviewPane& preview,
                     const Clock& clock);

    // Writes the pane's text to the current slot's preview file, navigates
    // the preview there, gives the keyboard back to the pane (unless the
    // user is elsewhere: another window, a menu, a dialog), takes away any
    // notice and clears the stale flag; then leaves the same text under all
    // five preview names in slot 1's folder, for the external browsers
    // (written in the background: for a large page they are most of the
    // work). When the slot's file cannot be written the preview says so in
    // its notice, over whatever page it showed before; the stale flag stays
    // set, and the continuous preview tries again after the next edit, not
    // at every tick.
    void refresh() override;

    // Writes the pane's text, in slot n's encoding, to `path`.
    bool writeText(int n, const QString& path) override;

    // Returns once the copies for the external browsers are all written.
    void waitForCopies() override { m_copies.waitForDone(); }

    // One tick of the continuous preview. A page at least as large as one
    // the renderer died on is not loaded: the notice says that F5 shows it,
    // and the next try waits for the next edit.
    void tick(bool continuous);

    // Every folder preview files were written to since the program started,
    // each ending in '/', so Close can take them all away.
    QStringList previewFolders() const override { return m_folders; }

    // Whether the preview was last given slot n's text at `revision`.
    bool wrote(int n, quint64 revision) const {
        return m_wroteSlot == n && m_wroteRevision == revision;
    }

    static constexpr double IdleSeconds = 1.0;
    static constexpr double MaxIdleSeconds = 10.0;
    // How long typing must pause before the continuous preview refreshes:
    // over a second, and twice as long as the last page took to load.
    double pauseNeeded() const;
    // The shortest pause (IdleSeconds unless the user chose another).
    void setIdleSeconds(double seconds) { m_idleSeconds = seconds; }

  private:
    double m_idleSeconds = IdleSeconds;
    struct Encoded {
        QByteArray owned;     // set when the text had to be encoded anew
        QByteArrayView bytes; // the pane's own bytes otherwise
        QString encodingName;
    };
    // The pane's text in slot n's encoding (UTF-8 when that cannot hold it).
    Encoded encodedText(int n) const;
    void noteFolderOf(const QString& path);

    DocumentSlots& m_slots;
    SourcePane& m_pane;
    PreviewPane& m_preview;
    const Clock& m_clock;
    DocumentController& m_documents;
    BackgroundWriter m_copies;
    QStringList m_folders;
    // Set when the continuous preview waits for an edit before it tries
    // again: the time of the last edit when it gave up.
    std::optional<double> m_waitForEditAfter;
    int m_wroteSlot = 0;
    quint64 m_wroteRevision = 0;
};

} // namespace markwright
