#pragma once

#include "preview/PreviewPane.h"

#include <QObject>

class QAction;
class QTimer;

namespace markwright {

class AppState;
class DocumentController;
class PreviewRefresher;
class SourcePane;

class PageWatch;

// Keeps the source pane and the preview pointing at each other through the
// page's HTML model (which PageWatch keeps): when the caret rests, the
// element it is in is outlined in the preview (only while the preview shows
// the text the model was made from); and when the reader asks for an
// element's source in the preview, its start tag is selected in the pane.
class CaretLink : public QObject {
    Q_OBJECT

  public:
    CaretLink(DocumentController& documents, SourcePane& pane, PreviewPane& preview,
              const PreviewRefresher& refresher, PageWatch& watch, QObject* parent = nullptr);
    ~CaretLink() override;

    // Whether the preview follows the caret (on by default).
    void setFollow(bool on);
    bool follow() const { return m_follow; }
    // Makes `action`'s check mark the switch, kept per user in `state`.
    void followSwitch(QAction* action, AppState& state);

    // Selects the start tag of the element at `path` of the page on show
    // (or of the nearest element around it that has one), scrolls the pane
    // to it and gives the pane the keyboard; false when the model knows no
    // such element.
    bool showSource(const PreviewPane::ElementPath& path);

    static constexpr int CaretPauseMs = 150;

  private:
    // Whether the pane has a model and the preview shows the text it was
    // made from, in the slot's own preview file.
    bool previewShowsModel() const;
    // Outlines the element at the caret, or takes the outline away when
    // there is none or the preview does not show the text of the model;
    // `again` outlines it even when it is the one outlined last.
    void light(bool again);

    DocumentController& m_documents;
    SourcePane& m_pane;
    PreviewPane& m_preview;
    const PreviewRefresher& m_refresher;
    QTimer* m_caretTimer;
    bool m_follow = true;
    PreviewPane::ElementPath m_lit;
};

} // namespace markwright
