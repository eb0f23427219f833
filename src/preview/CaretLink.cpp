#include "preview/CaretLink.h"

#include "core/AppState.h"
#include "core/BusyGate.h"
#include "core/DocumentSlots.h"
#include "documents/DocumentController.h"
#include "editor/SourcePane.h"
#include "html/HtmlModel.h"
#include "preview/PageWatch.h"
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
                     const PreviewRefresher& refresher, PageWatch& watch, QObject* parent)
    : QObject(parent), m_documents(documents), m_pane(pane), m_preview(preview),
      m_refresher(refresher), m_caretTimer(pause(this, CaretPauseMs)) {
    m_caretTimer->setObjectName(QStringLiteral("caretPause"));
    connect(m_caretTimer, &QTimer::timeout, this, [this] { light(false); });
    connect(&watch, &PageWatch::modelReady, this, [this] { light(true); });
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
