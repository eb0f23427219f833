#pragma once

#include "core/PreviewPane.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointF>
#include <QWebEngineView>

class QLabel;

// The preview pane on Qt WebEngine. Pages are loaded from their files, so
// relative links, images, frames and scripts behave as in a browser.
//
// A refresh of the page already shown reloads it in place: no new history
// entry, and the reader keeps their place. The place is put back before the
// new page is first painted (the page stays hidden until then, while the
// engine keeps showing the old one), then kept while late content grows the
// page, until the reader scrolls by hand. Each page remembers its place, so
// going back to a slot shows it where the reader left it.
//
// When the page's renderer dies (out of memory on a huge page, say), the
// pane says so and the next refresh starts a new one.
class WebPreview : public QWebEngineView, public PreviewPane {
    Q_OBJECT

  public:
    explicit WebPreview(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void navigate(const QString& localPath) override;
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void setDefaultEncoding(const QString& name) override;
    double lastLoadSeconds() const override { return m_lastLoadSeconds; }

    // The text shown over the pane after the renderer died; empty otherwise.
    QString notice() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void onRendererGone(QWebEnginePage::RenderProcessTerminationStatus status);
    // The script that puts the reader's place back before the first paint
    // of every page loaded from now on (none for the top of a page).
    void restoreBeforePaint(QPointF to);

    bool m_loading = false;
    bool m_restorePending = false;
    bool m_rendererGone = false;
    QPointF m_restoreTo;
    QHash<QString, QPointF> m_places;
    QElapsedTimer m_loadClock;
    double m_lastLoadSeconds = 0;
    QLabel* m_notice = nullptr;
};
