#pragma once

#include "app/BackgroundWriter.h"

namespace markwright {

class DocumentHost;
class DocumentSlots;
class SourcePane;
class PreviewPane;
class Clock;

// Writes the current slot's preview file and shows it, on demand and, while
// the continuous preview is on, once typing has paused for over a second.
class PreviewRefresher {
  public:
    PreviewRefresher(DocumentHost& host, PreviewPane& preview, const Clock& clock);

    // Writes the pane's text to the current slot's preview file, navigates
    // the preview there, gives the keyboard back to the pane (unless the
    // user is elsewhere: another window, a menu, a dialog) and clears the
    // stale flag; then leaves the same text under all five preview names in
    // slot 1's folder, for the external browsers (written in the background:
    // for a large page they are most of the work). When the slot's file cannot
    // be written it stops there, silently: the preview keeps what it shows
    // and the stale flag stays set, so the next tick tries again.
    void refresh();

    // Writes the pane's text, in slot n's encoding, to `path`.
    bool writeText(int n, const QString& path);

    // Returns once the copies for the external browsers are all written.
    void waitForCopies() { m_copies.waitForDone(); }

    // One tick of the continuous preview.
    void tick(bool continuous);

    static constexpr double IdleSeconds = 1.0;
    static constexpr double MaxIdleSeconds = 10.0;
    // How long typing must pause before the continuous preview refreshes:
    // over a second, and twice as long as the last page took to load.
    double pauseNeeded() const;

  private:
    struct Encoded {
        QByteArray owned;     // set when the text had to be encoded anew
        QByteArrayView bytes; // the pane's own bytes otherwise
        QString encodingName;
    };
    // The pane's text in slot n's encoding (UTF-8 when that cannot hold it).
    Encoded encodedText(int n) const;

    DocumentSlots& m_slots;
    SourcePane& m_pane;
    PreviewPane& m_preview;
    const Clock& m_clock;
    DocumentHost& m_host;
    BackgroundWriter m_copies;
};

} // namespace markwright
