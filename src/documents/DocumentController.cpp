#include "documents/DocumentController.h"

#include "core/Clock.h"
#include "core/PaneTitles.h"
#include "core/PreviewControl.h"
#include "core/SourceText.h"
#include "documents/DocumentView.h"

#include <QDir>

namespace markwright {

DocumentController::DocumentController(SourceText& pane, DocumentView& view, const Clock& clock)
    : m_pane(pane), m_view(view), m_clock(clock), m_slots([this] { return m_pane.text(); }) {
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        m_captions[static_cast<std::size_t>(n - 1)] = DocumentSlots::initialTitle(n);
    }
}

QString DocumentController::tabCaption(int n) const {
    return DocumentSlots::valid(n) ? m_captions[static_cast<std::size_t>(n - 1)] : QString();
}

void DocumentController::setTabCaptions(int n, const QString& sourceTab,
                                        const QString& previewTab) {
    if (!DocumentSlots::valid(n)) {
        return;
    }
    m_captions[static_cast<std::size_t>(n - 1)] = sourceTab;
    // The whole path where the caption has only the file's name.
    m_view.showTabCaptions(n, sourceTab, previewTab, QDir::toNativeSeparators(m_slots.title(n)));
}

void DocumentController::switchTo(int n) {
    if (DocumentSlots::valid(n)) {
        m_current = n;
        const QString text = m_slots.text(n);
        m_slots.handOverPane(n);
        m_pane.showSlot(n, text);
        m_view.setWindowCaption(m_slots.title(n));
        // The pane now holds `text`: no need to read it back.
        if (text == m_slots.pageTemplate()) {
            m_slots.setChanged(n, false);
        }
        refreshPreview();
        if (m_shown) {
            m_shown(n);
        }
    }
    showUnsavedMarks();
    updatePaneTitles();
}

void DocumentController::paneEdited() {
    const int n = m_current;
    if (n != m_slots.paneSlot()) {
        return;
    }
    m_slots.recordEdit(n, m_clock.now());
    if (m_edited) {
        m_edited(n);
    }
    m_lineEndsStale = true;
    if (!m_markedUnsaved[static_cast<std::size_t>(n - 1)]) {
        showUnsavedMarks();
    }
}

void DocumentController::slotSettled(int n) {
    if (m_settled) {
        m_settled(n);
    }
    showUnsavedMarks();
}

void DocumentController::showUnsavedMarks() {
    // A colour, not a character: the captions are quoted in the save
    // questions and must stay as they are.
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        const bool changed = m_slots.changed(n);
        bool& marked = m_markedUnsaved[static_cast<std::size_t>(n - 1)];
        if (changed != marked) {
            marked = changed;
            m_view.markUnsaved(n, changed);
        }
    }
}

void DocumentController::updatePaneTitles() {
    const QString caption = tabCaption(m_current);
    m_view.setPaneTitles(sourcePaneTitle(caption), previewPaneTitle(caption));
}

QString DocumentController::documentFacts() {
    const int n = m_current;
    // One pass over the text: once when it is loaded, and again after an
    // edit only while the page is small (the status bar asks four times a
    // second).
    const QByteArrayView bytes = m_pane.bytes();
    if (!m_lineEndsCounted || (m_lineEndsStale && bytes.size() < LineEndScanLimit)) {
        m_lineEnds = lineends::overall(bytes);
        m_lineEndsCounted = true;
        m_lineEndsStale = false;
    }
    static const char* const names[] = {"UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE",
                                        "Windows-1252"};
    const TextEncoding encoding = m_slots.encoding(n);
    const QString name = encoding == TextEncoding::Declared
                             ? m_slots.charset(n)
                             : QLatin1String(names[static_cast<int>(encoding)]);
    return name + QStringLiteral("   ") + lineends::name(m_lineEnds);
}

void DocumentController::refreshPreview() {
    if (m_preview != nullptr) {
        m_preview->refresh();
    }
}

void DocumentController::flushPreviewFiles() {
    if (m_preview != nullptr) {
        m_preview->waitForCopies();
    }
}

QStringList DocumentController::previewFolders() const {
    return m_preview != nullptr ? m_preview->previewFolders() : QStringList();
}

bool DocumentController::writeActiveText(const QString& path) {
    return m_preview != nullptr && m_preview->writeText(m_current, path);
}

void DocumentController::endProgram() {
    m_ended = true;
    m_view.endProgram();
}

} // namespace markwright
