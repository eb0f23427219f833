#include "app/PreviewRefresher.h"

#include "app/Clock.h"
#include "app/DocumentSlots.h"
#include "app/PreviewPane.h"
#include "editor/SourcePane.h"

PreviewRefresher::PreviewRefresher(DocumentSlots& docs, SourcePane& pane, PreviewPane& preview,
                                   const Clock& clock, std::function<int()> currentSlot)
    : m_slots(docs), m_pane(pane), m_preview(preview), m_clock(clock),
      m_currentSlot(std::move(currentSlot)) {}

void PreviewRefresher::refresh() {
    const int n = m_currentSlot();
    if (!DocumentSlots::valid(n)) {
        return;
    }
    const QString path = m_slots.previewPath(n);
    if (!m_pane.saveAsPlainText(path)) {
        return;
    }
    m_preview.navigate(path);
    m_pane.giveFocus();
    m_slots.setPreviewStale(false);
    for (int k = 1; k <= DocumentSlots::Count; ++k) {
        const QString copy = m_slots.folder(1) + DocumentSlots::previewFileName(k);
        if (copy != path) {
            m_pane.saveAsPlainText(copy);
        }
    }
}

void PreviewRefresher::tick(bool continuous) {
    if (continuous && m_slots.previewStale() &&
        m_clock.now() - m_slots.lastEditTime() > IdleSeconds) {
        refresh();
    }
}
