#include "preview/PageWatch.h"

#include "core/AppState.h"
#include "core/DocumentSlots.h"
#include "documents/DocumentController.h"
#include "editor/SourcePane.h"
#include "html/ModelKeeper.h"
#include "preview/PreviewRefresher.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

namespace markwright {

PageWatch::PageWatch(DocumentController& documents, SourcePane& pane,
                     const PreviewRefresher& refresher, QObject* parent)
    : QObject(parent), m_documents(documents), m_pane(pane), m_refresher(refresher),
      m_keeper(new html::ModelKeeper(this)), m_parseTimer(new QTimer(this)) {
    m_parseTimer->setObjectName(QStringLiteral("modelPause"));
    m_parseTimer->setSingleShot(true);
    connect(m_parseTimer, &QTimer::timeout, this, [this] { parseNow(false); });
    connect(m_keeper, &html::ModelKeeper::ready, this, &PageWatch::ready);
    // Made again after the same pause as the preview's refresh: a page too
    // large to parse often is slow to show too.
    connect(&m_pane, &SourcePane::changed, m_parseTimer, [this] {
        m_parseTimer->start(qMax(ParsePauseMs, static_cast<int>(m_refresher.pauseNeeded() * 1000)));
    });
    // A text just loaded is parsed at once: no typing to wait for. The
    // problems of the text shown before are no longer this text's.
    connect(&m_pane, &SourcePane::textReplaced, this, [this] {
        if (m_problems != nullptr) {
            m_problems.reset();
            emit problemsChanged();
        }
        m_parseTimer->start(0);
    });
}

PageWatch::~PageWatch() = default;

void PageWatch::setObsoleteHints(bool on) {
    if (on == m_obsoleteHints) {
        return;
    }
    m_obsoleteHints = on;
    parseNow(true);
}

void PageWatch::setChecks(bool on) {
    if (on == m_checks) {
        return;
    }
    m_checks = on;
    parseNow(true);
}

void PageWatch::obsoleteHintsSwitch(QAction* action, AppState& state) {
    if (action == nullptr) {
        return;
    }
    action->setCheckable(true);
    action->setChecked(state.switchOn(QStringLiteral("ObsoleteHints"), false));
    setObsoleteHints(action->isChecked());
    connect(action, &QAction::toggled, this, [this, &state](bool on) {
        state.setSwitch(QStringLiteral("ObsoleteHints"), on);
        setObsoleteHints(on);
    });
}

void PageWatch::parseNow(bool force) {
    const int n = m_documents.currentSlot();
    const DocumentSlots& docs = m_documents.documents();
    if ((m_pane.pageModel() != nullptr && !force) || n != docs.paneSlot()) {
        return;
    }
    html::CheckOptions options;
    options.obsoleteHints = m_obsoleteHints;
    // Links are looked up beside the page's file; a page never saved has
    // none to be beside.
    const bool saved = docs.title(n) != DocumentSlots::initialTitle(n);
    if (saved && !docs.folder(n).isEmpty()) {
        options.folder = QFileInfo(docs.folder(n)).absoluteFilePath();
    }
    // A file of another kind open in the editor (a stylesheet, the
    // snippets) is no page to check.
    static const QStringList pages{"html", "htm", "xhtml", "shtml"};
    options.isPage =
        m_checks && (!saved || pages.contains(QFileInfo(docs.title(n)).suffix().toLower()));
    m_keeper->request(n, docs.revision(n), m_pane.bytes().toByteArray(), options);
}

void PageWatch::ready(int slot, quint64 revision) {
    // Only what was made of the text in the pane right now is worth having
    // (an edit whose change is yet to be reported counts already).
    const DocumentSlots& docs = m_documents.documents();
    if (slot != m_documents.currentSlot() || slot != docs.paneSlot() ||
        revision != docs.revision(slot) || m_pane.changePending()) {
        return;
    }
    m_pane.setPageModel(m_keeper->model(slot, revision));
    m_problems = m_keeper->problems(slot, revision);
    emit modelReady();
    emit problemsChanged();
}

} // namespace markwright
