#include "preview/PreviewRefresher.h"

#include "core/BusyGate.h"
#include "core/Clock.h"
#include "core/DocumentSlots.h"
#include "core/TextEncoding.h"
#include "documents/DocumentController.h"
#include "documents/DocumentView.h"
#include "editor/SourcePane.h"
#include "files/PreviewFile.h"
#include "preview/PreviewPane.h"

#include <QDir>
#include <QFileInfo>

namespace markwright {

PreviewRefresher::PreviewRefresher(DocumentController& documents, SourcePane& pane,
                                   PreviewPane& preview, const Clock& clock)
    : m_slots(documents.documents()), m_pane(pane), m_preview(preview), m_clock(clock),
      m_documents(documents) {}

PreviewRefresher::Encoded PreviewRefresher::encodedText(int n) const {
    // Preview files are written in the document's own encoding, so a page
    // that names its charset is read the way its saved file will be.
    Encoded out;
    TextEncoding encoding = m_slots.encoding(n);
    out.bytes = m_pane.bytes();
    if (encoding != TextEncoding::Utf8) {
        const std::optional<QByteArray> inEncoding =
            encodeText(m_pane.text(), encoding, m_slots.charset(n));
        out.owned = inEncoding ? *inEncoding : out.bytes.toByteArray();
        encoding = inEncoding ? encoding : TextEncoding::Utf8;
        out.bytes = out.owned;
    }
    out.encodingName = encodingName(encoding, m_slots.charset(n));
    return out;
}

void PreviewRefresher::noteFolderOf(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    if (!m_folders.contains(folder)) {
        m_folders.append(folder);
    }
}

bool PreviewRefresher::writeText(int n, const QString& path) {
    m_copies.waitForDone();
    noteFolderOf(path);
    return DocumentSlots::valid(n) &&
           previewfile::write(path, encodedText(n).bytes,
                              previewfile::permissionsFor(m_slots.title(n)));
}

void PreviewRefresher::refresh() {
    const int n = m_documents.currentSlot();
    // Half a text loaded, or a format under way: the stale flag stays and a
    // later tick (or F5) shows the whole text.
    if (!DocumentSlots::valid(n) || BusyGate::held()) {
        m_slots.setPreviewStale(true);
        return;
    }
    const Encoded text = encodedText(n);
    const QString path = m_slots.previewPath(n);
    // A copy still being written from an earlier refresh must not land on
    // this page's file after it.
    m_copies.waitForDone();
    const QFileDevice::Permissions permissions = previewfile::permissionsFor(m_slots.title(n));
    noteFolderOf(path);
    if (!previewfile::write(path, text.bytes, permissions)) {
        // Without it the pane would go on showing its last page (another
        // slot's, maybe) under this slot's title.
        m_preview.showNotice(
            QStringLiteral("The preview file could not be written:\n%1\n\nThe preview tries "
                           "again after your next edit; F5 tries at once.")
                .arg(QDir::toNativeSeparators(path)));
        m_waitForEditAfter = m_slots.lastEditTime();
        return;
    }
    m_waitForEditAfter.reset();
    m_preview.showNotice(QString());
    m_preview.setDefaultEncoding(text.encodingName);
    m_preview.navigate(path);
    m_wroteSlot = n;
    m_wroteRevision = m_slots.revision(n);
    if (m_documents.view().mayTakeKeyboard()) {
        m_pane.giveFocus();
    }
    m_slots.setPreviewStale(false);
    QStringList copies;
    for (int k = 1; k <= DocumentSlots::Count; ++k) {
        const QString copy = m_slots.folder(1) + DocumentSlots::previewFileName(k);
        if (copy != path) {
            copies.append(copy);
        }
    }
    noteFolderOf(m_slots.folder(1) + DocumentSlots::previewFileName(1));
    m_copies.write(
        copies, text.owned.isNull() ? QByteArray(text.bytes.data(), text.bytes.size()) : text.owned,
        permissions);
}

double PreviewRefresher::pauseNeeded() const {
    // A page that takes long to render waits for a longer pause, so typing
    // on a huge page does not keep the renderer busy with pages already
    // out of date; the preview still follows once the typing stops.
    return qBound(m_idleSeconds, 2 * m_preview.lastLoadSeconds(),
                  std::max(m_idleSeconds, MaxIdleSeconds));
}

void PreviewRefresher::tick(bool continuous) {
    if (!continuous || !m_slots.previewStale() ||
        m_clock.now() - m_slots.lastEditTime() <= pauseNeeded() ||
        m_waitForEditAfter == m_slots.lastEditTime()) {
        return;
    }
    // Loading such a page again would most likely kill the renderer again,
    // at every pause in typing.
    const qint64 failed = m_preview.failedPageBytes();
    if (failed > 0 && m_pane.bytes().size() >= failed) {
        m_preview.showNotice(
            QStringLiteral("This page is too large for the preview to follow your typing: its "
                           "renderer stopped on a page of this size.\nPress F5 to show it."));
        m_waitForEditAfter = m_slots.lastEditTime(); // told once, not at every tick
        return;
    }
    refresh();
}

} // namespace markwright
