#pragma once

#include "html/PageCheck.h"

#include <QObject>
#include <memory>
#include <vector>

class QAction;
class QTimer;

namespace markwright {

class AppState;
class DocumentController;
class PreviewRefresher;
class SourcePane;

namespace html {
class ModelKeeper;
}

// Keeps the HTML model and the problems of the page on show: both are made
// again on a worker after each pause in typing (as long as the preview's,
// and never shorter than ParsePauseMs) and at once after a load or a switch
// of slots. The model goes to the source pane, which keeps it while its text
// is the one it was made from; the problems stay until the next check.
class PageWatch : public QObject {
    Q_OBJECT

  public:
    PageWatch(DocumentController& documents, SourcePane& pane, const PreviewRefresher& refresher,
              QObject* parent = nullptr);
    ~PageWatch() override;

    // Whether obsolete markup is pointed out too (off by default); the
    // page is checked again at once.
    void setObsoleteHints(bool on);
    bool obsoleteHints() const { return m_obsoleteHints; }
    // Whether pages are checked at all (on by default).
    void setChecks(bool on);
    // Makes `action`'s check mark the switch, kept per user in `state`.
    void obsoleteHintsSwitch(QAction* action, AppState& state);

    // The problems of the page on show as last checked (its text may have
    // changed since); null before the first check of this slot's text.
    const std::shared_ptr<const std::vector<html::Problem>>& problems() const { return m_problems; }

    static constexpr int ParsePauseMs = 300;

  signals:
    // The pane has the model of its text now.
    void modelReady();
    // problems() changed: a new check, or none after a switch of slots.
    void problemsChanged();

  private:
    void parseNow(bool force);
    void ready(int slot, quint64 revision);

    DocumentController& m_documents;
    SourcePane& m_pane;
    const PreviewRefresher& m_refresher;
    html::ModelKeeper* m_keeper;
    QTimer* m_parseTimer;
    bool m_obsoleteHints = false;
    bool m_checks = true;
    std::shared_ptr<const std::vector<html::Problem>> m_problems;
};

} // namespace markwright
