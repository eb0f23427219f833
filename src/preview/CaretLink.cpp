#include "preview/CaretLink.h"

#include "core/AppState.h"
#include "core/BusyGate.h"
#include "core/DocumentSlots.h"
#include "documents/DocumentController.h"
#include "editor/SourcePane.h"
#include "html/HtmlModel.h"
#include "html/ModelKeeper.h"
#include "preview/PreviewRefresher.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

namespace markwright {

namespace {
QTimer* pause(QObject* parent, int ms) {
    auto* timer = new QTimer(parent);
    timer->setSingleShot(true);
    timer->setInterval(ms);
    return timer;
}
} // namespace

CaretLink::CaretLink(DocumentController& documents, SourcePane& pane, PreviewPane& preview,
                     const PreviewRefresher& refresher, QObject* parent)
    : QObject(parent), m_documents(documents), m_pane(pane), m_preview(preview),
      m_refresher(refresher), m_keeper(new html::ModelKeeper(this)),
      m_parseTimer(pause(this, ParsePauseMs)), m_caretTimer(pause(this, CaretPauseMs)) {
    m_parseTimer->setObjectName(QStringLiteral("modelPause"));
    m_caretTimer->setObjectName(QStringLiteral("caretPause"));
    connect(m_parseTimer, &QTimer::timeout, this, &CaretLink::parseNow);
    connect(m_caretTimer, &QTimer::timeout, this, [this] { light(false); });
    connect(m_keeper, &html::ModelKeeper::ready, this, &CaretLink::modelReady);
    // Made again after the same pause as the preview's refresh: the outline
    // needs both, and a page too large to parse often is slow to show too.
    connect(&m_pane, &SourcePane::changed, m_parseTimer, [this] {
        m_parseTimer->start(qMax(ParsePauseMs, static_cast<int>(m_refresher.pauseNeeded() * 1000)));
    });
    // A text just loaded is parsed at once: no typing to wait for.
    connect(&m_pane, &SourcePane::textReplaced, m_parseTimer, [this] { m_parseTimer->start(0); });
    connect(&m_pane, &SourcePane::cursorPositionChanged, m_caretTimer, qOverload<>(&QTimer::start));
    m_preview.onRefreshed([this] { light(true); });
    m_preview.onSourceWanted([this](const PreviewPane::ElementPath& path) { showSource(path); });
}

CaretLink::~CaretLink() {
    m_preview.onRefreshed(nullptr);
    m_preview.onSourceWanted(nullptr);
}

void CaretLink::setFollow(bool on) {
    m_follow = on;
    light(true);
}

void CaretLink::followSwitch(QAction* action, AppState& state) {
    if (action == nullptr) {
        return;
    }
    action->setChecked(state.switchOn(QStringLiteral("FollowCaret"), true));
    setFollow(action->isChecked());
    connect(action, &QAction::toggled, this, [this, &state](bool on) {
        state.setSwitch(QStringLiteral("FollowCaret"), on);
        setFollow(on);
    });
}

void CaretLink::parseNow() {
    const int n = m_documents.currentSlot();
    if (m_pane.pageModel() != nullptr || n != m_documents.documents().paneSlot()) {
        return;
    }
    m_keeper->request(n, m_documents.documents().revision(n), m_pane.bytes().toByteArray());
}

void CaretLink::modelReady(int slot, quint64 revision) {
    // Only the model of the text in the pane right now is worth having (an
    // edit whose change is yet to be reported counts already).
    if (slot != m_documents.currentSlot() || slot != m_documents.documents().paneSlot() ||
        revision != m_documents.documents().revision(slot) || m_pane.changePending()) {
        return;
    }
    m_pane.setPageModel(m_keeper->model(slot, revision));
    light(true);
}

bool CaretLink::previewShowsModel() const {
    // Never a wrong element: the preview must show the very text the model
    // was made from, in this slot's own preview file.
    const int n = m_documents.currentSlot();
    const DocumentSlots& docs = m_documents.documents();
    return m_pane.pageModel() != nullptr && m_refresher.wrote(n, docs.revision(n)) &&
           m_preview.shownFile() == QFileInfo(docs.previewPath(n)).absoluteFilePath();
}

void CaretLink::light(bool again) {
    const std::shared_ptr<const html::HtmlModel>& model = m_pane.pageModel();
    PreviewPane::ElementPath path;
    if (m_follow && previewShowsModel()) {
        const long caret = m_pane.caretByte();
        int element = model->innermostAt(caret);
        if (element < 0 && caret > 0) {
            element = model->innermostAt(caret - 1); // at the very end of the page
        }
        if (element >= 0) {
            path.indices = model->path(element);
            path.names = model->pathNames(element);
        }
    }
    if (!again && path.indices == m_lit.indices && path.names == m_lit.names) {
        return;
    }
    if (path.names.empty() && m_lit.names.empty() && !again) {
        return;
    }
    m_lit = path;
    m_preview.highlight(path);
}

bool CaretLink::showSource(const PreviewPane::ElementPath& path) {
    // Not while a page is read in or a format runs: the pane is theirs.
    if (BusyGate::held()) {
        return false;
    }
    // The path is of the page on show: it leads to the right element only
    // in the model of that very text.
    if (!previewShowsModel()) {
        return false;
    }
    const std::shared_ptr<const html::HtmlModel>& model = m_pane.pageModel();
    const int found = model->atPath(path.indices, path.names);
    const int element = found < 0 ? -1 : model->withStartTag(found);
    if (element < 0) {
        return false;
    }
    const html::Range tag = model->at(element).startTag;
    m_pane.selectBytes(static_cast<long>(tag.start), static_cast<long>(tag.end));
    m_pane.giveFocus();
    return true;
}

} // namespace markwright
