#include "app/WebPreview.h"

#include "app/PreviewGuard.h"

#include <QFileInfo>
#include <QUrl>
#include <QWebEngineSettings>

namespace {
// Puts the scroll offset back, and keeps it while the page grows (late images,
// fonts, scripts) for a few seconds, until the reader scrolls by hand.
QString restoreScrollScript(QPointF to) {
    return QStringLiteral(
               "(function(x, y) {"
               "  window.scrollTo(x, y);"
               "  var moved = false;"
               "  var mark = function() { moved = true; };"
               "  ['wheel', 'keydown', 'mousedown', 'touchstart'].forEach(function(e) {"
               "    window.addEventListener(e, mark, {once: true, passive: true, capture: true});"
               "  });"
               "  if (window.ResizeObserver && document.documentElement) {"
               "    var ro = new ResizeObserver(function() { if (!moved) window.scrollTo(x, y); });"
               "    ro.observe(document.documentElement);"
               "    setTimeout(function() { ro.disconnect(); }, 5000);"
               "  }"
               "})(%1, %2);")
        .arg(to.x())
        .arg(to.y());
}
} // namespace

namespace {
QWidget* preparedParent(QWidget* parent) {
    PreviewGuard::prepareEngine(); // before the view starts the engine
    return parent;
}
} // namespace

WebPreview::WebPreview(QWidget* parent) : QWebEngineView(preparedParent(parent)) {
    setObjectName(QStringLiteral("htmlPreview"));
    // Pages that declare no charset are read as UTF-8, the encoding new pages
    // are written in.
    settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    // Local frames need file access; the guard keeps scripts from reading
    // local files with it and from sending anything anywhere.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings()->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    page()->setUrlRequestInterceptor(new PreviewGuard(this));
    settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    connect(this, &QWebEngineView::loadStarted, this, &WebPreview::onLoadStarted);
    connect(this, &QWebEngineView::loadFinished, this, &WebPreview::onLoadFinished);
}

void WebPreview::setDefaultEncoding(const QString& name) {
    settings()->setDefaultTextEncoding(name);
}

void WebPreview::navigate(const QString& localPath) {
    const QString absolute = QFileInfo(localPath).absoluteFilePath();
    const QUrl target = QUrl::fromLocalFile(absolute);
    if (url().isLocalFile() && url().toLocalFile() == absolute) {
        // While an earlier reload is still loading, the page's offset is not
        // the reader's yet: keep the one taken before that reload.
        if (!(m_loading && m_restorePending)) {
            m_restoreTo = page()->scrollPosition();
        }
        m_restorePending = true;
        page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
        return;
    }
    m_restorePending = false;
    load(target);
}

void WebPreview::onLoadStarted() {
    m_loading = true;
}

void WebPreview::onLoadFinished(bool ok) {
    m_loading = false;
    if (!m_restorePending) {
        return;
    }
    m_restorePending = false;
    if (ok && !m_restoreTo.isNull()) {
        page()->runJavaScript(restoreScrollScript(m_restoreTo));
    }
}
