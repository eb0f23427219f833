#pragma once

#include "core/PreviewPane.h"

#include <QPointF>
#include <QWebEngineView>

// The preview pane on Qt WebEngine. Pages are loaded from their files, so
// relative links, images, frames and scripts behave as in a browser.
//
// A refresh of the page already shown reloads it in place: no new history
// entry, and the reader keeps their place (the scroll offset is put back once
// the page has loaded, and again while late content grows the page, until the
// reader scrolls by hand). Navigating to another page starts at its top.
class WebPreview : public QWebEngineView, public PreviewPane {
    Q_OBJECT

  public:
    explicit WebPreview(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void navigate(const QString& localPath) override;
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void setDefaultEncoding(const QString& name) override;

  private:
    void onLoadStarted();
    void onLoadFinished(bool ok);

    bool m_loading = false;
    bool m_restorePending = false;
    QPointF m_restoreTo;
};
