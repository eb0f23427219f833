#pragma once

#include "core/DocumentSlots.h"
#include "editor/LineEnds.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace markwright {

class Clock;
class DocumentView;
class PreviewControl;
class SourceText;

// The five document slots and the one source pane they share: which slot is
// on show, its captions and unsaved marks, what an edit or a switch does,
// and the preview files written for them. Commands talk to it; it tells the
// window what to show through DocumentView.
class DocumentController {
  public:
    DocumentController(SourceText& pane, DocumentView& view, const Clock& clock);

    DocumentSlots& documents() { return m_slots; }
    const DocumentSlots& documents() const { return m_slots; }
    SourceText& source() { return m_pane; }
    DocumentView& view() { return m_view; }

    void setPreview(PreviewControl& preview) { m_preview = &preview; }
    // Called with the slot after each edit of the page on show, and when a
    // slot's text has nothing unsaved left that a crash could lose.
    void onEdited(std::function<void(int)> edited) { m_edited = std::move(edited); }
    void onSettled(std::function<void(int)> settled) { m_settled = std::move(settled); }
    // Called after a slot has been put on show.
    void onShown(std::function<void(int)> shown) { m_shown = std::move(shown); }

    // The slot on show (1 to 5).
    int currentSlot() const { return m_current; }
    // The caption of slot n's tab on the source strip.
    QString tabCaption(int n) const;
    void setTabCaptions(int n, const QString& sourceTab, const QString& previewTab);

    // Puts slot n on show (its tab has been selected).
    void switchTo(int n);
    // The pane's text changed.
    void paneEdited();
    // The pane's whole text was replaced (loaded).
    void paneReplaced() { m_lineEndsCounted = false; }
    // Slot n's text now has nothing unsaved that a crash could lose.
    void slotSettled(int n);
    // Brings the tabs' unsaved marks up to date.
    void showUnsavedMarks();
    // The pane titles for the slot on show.
    void updatePaneTitles();
    // "UTF-8   CR LF": the page's encoding and line ends.
    QString documentFacts();

    void refreshPreview();
    // Returns once every preview file being written is on disk.
    void flushPreviewFiles();
    QStringList previewFolders() const;
    // Writes the active slot's text to `path` as the preview does.
    bool writeActiveText(const QString& path);

    // Ends the program; afterwards nothing new is started.
    void endProgram();
    // Marks the program as ending without telling the window.
    void setEnded() { m_ended = true; }
    bool ended() const { return m_ended; }

  private:
    SourceText& m_pane;
    DocumentView& m_view;
    const Clock& m_clock;
    DocumentSlots m_slots;
    PreviewControl* m_preview = nullptr;
    std::function<void(int)> m_edited;
    std::function<void(int)> m_settled;
    std::function<void(int)> m_shown;
    int m_current = 1;
    bool m_ended = false;
    std::array<QString, DocumentSlots::Count> m_captions;
    std::array<bool, DocumentSlots::Count> m_markedUnsaved{};

    static constexpr long LineEndScanLimit = 1 << 20;
    bool m_lineEndsCounted = false; // since the pane's text was last replaced
    bool m_lineEndsStale = true;    // edited since the last count
    lineends::Style m_lineEnds = lineends::Style::None;
};

} // namespace markwright
