#include "app/PreviewRefresher.h"

#include "app/Clock.h"
#include "app/DocumentSlots.h"
#include "app/PreviewPane.h"
#include "editor/SourcePane.h"
#include "files/TextEncoding.h"

#include <QFile>

namespace {
bool writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush();
}
} // namespace

PreviewRefresher::PreviewRefresher(DocumentSlots& docs, SourcePane& pane, PreviewPane& preview,
                                   const Clock& clock, std::function<int()> currentSlot)
    : m_slots(docs), m_pane(pane), m_preview(preview), m_clock(clock),
      m_currentSlot(std::move(currentSlot)) {}

void PreviewRefresher::refresh() {
    const int n = m_currentSlot();
    if (!DocumentSlots::valid(n)) {
        return;
    }
    // The preview file is written in the document's own encoding, so a page
    // that names its charset is read the way its saved file will be.
    TextEncoding encoding = m_slots.encoding(n);
    QByteArray encoded;
    QByteArrayView bytes = m_pane.bytes();
    if (encoding != TextEncoding::Utf8) {
        const std::optional<QByteArray> inEncoding = encodeText(m_pane.text(), encoding);
        encoded = inEncoding ? *inEncoding : m_pane.text().toUtf8();
        encoding = inEncoding ? encoding : TextEncoding::Utf8;
        bytes = encoded;
    }
    const QString path = m_slots.previewPath(n);
    // A copy still being written from an earlier refresh must not land on
    // this page's file after it.
    m_copies.waitForDone();
    if (!writeFile(path, bytes)) {
        return;
    }
    m_preview.setDefaultEncoding(encodingName(encoding));
    m_preview.navigate(path);
    m_pane.giveFocus();
    m_slots.setPreviewStale(false);
    QStringList copies;
    for (int k = 1; k <= DocumentSlots::Count; ++k) {
        const QString copy = m_slots.folder(1) + DocumentSlots::previewFileName(k);
        if (copy != path) {
            copies.append(copy);
        }
    }
    m_copies.write(copies, encoded.isNull() ? QByteArray(bytes.data(), bytes.size()) : encoded);
}

void PreviewRefresher::tick(bool continuous) {
    if (continuous && m_slots.previewStale() &&
        m_clock.now() - m_slots.lastEditTime() > IdleSeconds) {
        refresh();
    }
}
