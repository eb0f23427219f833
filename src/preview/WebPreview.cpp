#include "preview/WebPreview.h"

#include "preview/ElementLink.h"
#include "preview/OutlineBox.h"
#include "preview/PagePatch.h"
#include "preview/PreviewGuard.h"
#include "preview/PreviewScheme.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QUrl>
#include <QUuid>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QtConcurrent/QtConcurrentRun>

namespace markwright {

namespace {
// A script body run with the place as x and y. The offsets are written out
// in full: six significant digits would put a long page a few pixels off.
QString callWithPlace(const QString& body, QPointF to) {
    return QStringLiteral("(function(x, y) {%1})(%2, %3);")
        .arg(body)
        .arg(to.x(), 0, 'f', 1)
        .arg(to.y(), 0, 'f', 1);
}

// Before the first paint of the new page: the page stays hidden (the engine
// keeps showing the old one meanwhile) until its parsed content reaches the
// reader's place or the document is complete, then it is scrolled there and
// shown. The reader never sees it at its top.
QString placeBeforePaintScript(QPointF to) {
    return callWithPlace(
        QStringLiteral(
            "  if ('scrollRestoration' in history) history.scrollRestoration = 'manual';"
            "  var root = null, shown = false;"
            "  function show() {"
            "    if (shown || !root) return;"
            "    shown = true;"
            "    window.scrollTo(x, y);"
            "    root.style.removeProperty('visibility');"
            "  }"
            "  function tallEnough() {"
            "    return root.scrollHeight >= y + window.innerHeight &&"
            "           root.scrollWidth >= x + window.innerWidth;"
            "  }"
            "  function check() {"
            "    if (shown) return;"
            "    if (document.readyState !== 'loading' || tallEnough()) { show(); return; }"
            "    requestAnimationFrame(check);"
            "  }"
            "  function hide() {"
            "    root = document.documentElement;"
            "    root.style.setProperty('visibility', 'hidden', 'important');"
            "    check();"
            "  }"
            // The root element is made just after this runs: hide it the
            // moment it exists, which is before anything is painted.
            "  if (document.documentElement) { hide(); } else {"
            "    var watch = new MutationObserver(function() {"
            "      if (document.documentElement) { watch.disconnect(); hide(); }"
            "    });"
            "    watch.observe(document, {childList: true});"
            "  }"
            "  document.addEventListener('DOMContentLoaded', show);"),
        to);
}

// Puts the scroll offset back, and keeps it while the page grows (late images,
// fonts, scripts) for a few seconds, until the reader scrolls by hand.
QString restoreScrollScript(QPointF to) {
    return callWithPlace(
        QStringLiteral(
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
            "  }"),
        to);
}

// A script run as each document (of the top frame, or of every frame) is made.
QWebEngineScript atCreation(const QString& name, quint32 world, bool subFrames,
                            const QString& source) {
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(world);
    script.setRunsOnSubFrames(subFrames);
    script.setSourceCode(source);
    return script;
}

QWidget* preparedParent(QWidget* parent) {
    PreviewGuard::prepareEngine(); // before the view starts the engine
    return parent;
}
} // namespace

namespace {
// Follows links and history to local pages and in-page data only: a page
// can never hand an address to the desktop (mail, other programs) nor go to
// a network host.
class PreviewPage : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;
    // Called with the messages the page writes to its console.
    std::function<void(const QString&)> console;

  protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override {
        if (console) {
            console(message);
        }
    }

    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        const QString scheme = url.scheme().toLower();
        if (scheme == QLatin1String("file")) {
            // A link to a local page: shown through the preview's own
            // scheme, where a page cannot read other files.
            if (isMainFrame) {
                const QUrl shown = previewscheme::urlFor(url.toLocalFile());
                QMetaObject::invokeMethod(
                    this, [this, shown] { setUrl(shown); }, Qt::QueuedConnection);
            }
            return false;
        }
        return scheme == QLatin1String(previewscheme::Name) || scheme == QLatin1String("about") ||
               scheme == QLatin1String("data") || scheme == QLatin1String("blob");
    }
};

// Pages in the preview cannot open WebRTC connections: a TURN server over
// TCP would reach any host past the request guard. The constructors are
// gone before any script of the page runs, in every frame.
const char* const NoWebRtcScript =
    "(function() {"
    "  ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel',"
    "   'RTCSessionDescription', 'RTCIceCandidate'].forEach(function(name) {"
    "    try { delete window[name]; } catch (e) {}"
    "    try { Object.defineProperty(window, name, {value: undefined, configurable: false,"
    "                                              writable: false}); } catch (e) {}"
    "  });"
    "})();";
} // namespace

WebPreview::WebPreview(QWidget* parent, const QString& programFolder)
    : QWebEngineView(preparedParent(parent)) {
    setObjectName(QStringLiteral("htmlPreview"));
    // A profile of its own, kept in memory only: no cookies, storage or cache
    // on disk, and the guard sees every request, workers' included.
    m_profile = new QWebEngineProfile(this);
    m_profile->setUrlRequestInterceptor(new PreviewGuard(programFolder, m_profile));
    m_profile->installUrlSchemeHandler(previewscheme::Name, new PreviewFiles(m_profile));
    auto* previewPage = new PreviewPage(m_profile, this);
    m_page = previewPage;
    setPage(m_page);
    m_linkToken = QStringLiteral("markwright-source:%1:")
                      .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    previewPage->console = [this](const QString& message) {
        // Only the script of the link writes this; anything else the page
        // logs is left alone.
        if (message.startsWith(m_linkToken) && m_sourceWanted) {
            if (const auto path = elementlink::pathFrom(message.mid(m_linkToken.size()))) {
                m_sourceWanted(*path);
            }
        }
    };
    QWebEngineSettings* const options = m_page->settings();
    // Pages that declare no charset are read as UTF-8, the encoding new pages
    // are written in.
    options->setDefaultTextEncoding(QStringLiteral("utf-8"));
    // Pages come through the preview's own scheme, each document an origin
    // of its own; file: addresses load nothing (they would share one origin,
    // and a page could read any file through a frame of it).
    options->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    options->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    options->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    options->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    options->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    m_page->scripts().insert(atCreation(QStringLiteral("markwright-no-webrtc"),
                                        QWebEngineScript::MainWorld, true,
                                        QLatin1String(NoWebRtcScript)));
    m_page->scripts().insert(atCreation(QStringLiteral("markwright-link"),
                                        QWebEngineScript::ApplicationWorld, false,
                                        elementlink::script(m_linkToken)));
    connect(this, &WebPreview::refreshed, this, [this] {
        if (m_refreshed) {
            m_refreshed();
        }
    });
    m_outline = new OutlineBox(this);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("previewNotice"));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setAutoFillBackground(true);
    m_notice->setMargin(12);
    m_notice->hide();
    connect(this, &QWebEngineView::loadStarted, this, &WebPreview::onLoadStarted);
    connect(m_page, &QWebEnginePage::scrollPositionChanged, this, [this](QPointF place) {
        if (!place.isNull()) {
            m_placedFile.clear(); // the widget knows the page's place now
        }
        m_outline->follow(place);
    });
    connect(this, &QWebEngineView::loadFinished, this, &WebPreview::onLoadFinished);
    connect(page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                onRendererGone(status);
            });
}

WebPreview::~WebPreview() {
    // The page goes before the profile it was made with.
    delete m_page;
    m_page = nullptr;
}

void WebPreview::setDefaultEncoding(const QString& name) {
    settings()->setDefaultTextEncoding(name);
}

QPointF WebPreview::readersPlace() const {
    // The engine tells the widget of a scroll a little later: a place just
    // put back may not have reached it yet.
    const QPointF place = page()->scrollPosition();
    return place.isNull() && !m_placedFile.isEmpty() && m_placedFile == shownFile() ? m_placedAt
                                                                                    : place;
}

QString WebPreview::shownFile() const {
    return previewscheme::localPath(url());
}

void WebPreview::showNotice(const QString& text) {
    if (text.isEmpty()) {
        m_notice->hide();
        return;
    }
    m_notice->setText(text);
    m_notice->setGeometry(rect());
    m_notice->show();
    m_notice->raise();
}

QString WebPreview::notice() const {
    return m_notice->isVisible() ? m_notice->text() : QString();
}

void WebPreview::resizeEvent(QResizeEvent* event) {
    QWebEngineView::resizeEvent(event);
    m_notice->setGeometry(rect());
}

void WebPreview::highlight(const ElementPath& path) {
    const int request = ++m_lights;
    if (path.names.empty() || m_rendererGone) {
        m_outline->clear();
    }
    if (m_rendererGone) {
        return;
    }
    const QPointer<WebPreview> self(this);
    page()->runJavaScript(elementlink::lightCall(path), QWebEngineScript::ApplicationWorld,
                          [self, request](const QVariant& answer) {
                              if (self == nullptr || request != self->m_lights) {
                                  return; // a later request has taken over
                              }
                              const auto found = elementlink::foundFrom(answer);
                              // An element with no box (not shown, as in
                              // <head>) has nothing to outline.
                              if (!found || (found->box.width() <= 0 && found->box.height() <= 0)) {
                                  self->m_outline->clear();
                                  return;
                              }
                              self->m_outline->outline(found->box, found->name, found->scroll,
                                                       self->zoomFactor());
                          });
}

QRect WebPreview::outlinedBox() const {
    return m_outline->isVisible() ? m_outline->shownBox() : QRect();
}

void WebPreview::showSourceOfContext() {
    const QPointer<WebPreview> self(this);
    page()->runJavaScript(elementlink::contextCall(), QWebEngineScript::ApplicationWorld,
                          [self](const QVariant& answer) {
                              if (self == nullptr || !self->m_sourceWanted) {
                                  return;
                              }
                              if (const auto path = elementlink::pathFrom(answer)) {
                                  self->m_sourceWanted(*path);
                              }
                          });
}

void WebPreview::contextMenuEvent(QContextMenuEvent* event) {
    // Not run as a nested loop: the menu stays open while the program goes on.
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* showSource = menu->addAction(tr("Show Source"));
    showSource->setObjectName(QStringLiteral("previewShowSource"));
    connect(showSource, &QAction::triggered, this, &WebPreview::showSourceOfContext);
    menu->popup(event->globalPos());
}

void WebPreview::restoreBeforePaint(QPointF to) {
    QWebEngineScriptCollection& scripts = page()->scripts();
    for (const QWebEngineScript& old : scripts.find(QStringLiteral("markwright-place"))) {
        scripts.remove(old);
    }
    if (to.isNull()) {
        return;
    }
    scripts.insert(atCreation(QStringLiteral("markwright-place"),
                              QWebEngineScript::ApplicationWorld, false,
                              placeBeforePaintScript(to)));
}

void WebPreview::navigate(const QString& localPath) {
    const QString absolute = QFileInfo(localPath).absoluteFilePath();
    const QUrl target = previewscheme::urlFor(absolute);
    const QString shown = shownFile();
    const bool samePage = !shown.isEmpty() && shown == absolute;
    if (!shown.isEmpty() && !m_loading && !m_rendererGone) {
        m_places.insert(shown, readersPlace());
    }
    ++m_navigations;
    m_loadClock.start();
    m_pageBytes = QFileInfo(absolute).size();
    if (samePage && !m_rendererGone) {
        if (m_patchInPlace && !m_loading && !m_patching && patchInPlace(absolute)) {
            return;
        }
        reloadInPlace(absolute);
        return;
    }
    // Another page (another slot): where the reader left it, or its top.
    m_restoreTo = m_places.value(absolute);
    m_restorePending = !m_restoreTo.isNull();
    restoreBeforePaint(m_restoreTo);
    m_rendererGone = false;
    m_shownBytes = patchableBytes(absolute);
    m_ownLoad = true;
    m_loading = true;
    load(target);
}

void WebPreview::reloadInPlace(const QString& path) {
    // While an earlier reload is still loading, the page's offset is not the
    // reader's yet: keep the one taken before that reload.
    if (!(m_loading && m_restorePending)) {
        m_restoreTo = readersPlace();
    }
    m_restorePending = !m_restoreTo.isNull();
    restoreBeforePaint(m_restoreTo);
    m_shownBytes = patchableBytes(path);
    m_ownLoad = true;
    m_loading = true;
    page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

QByteArray WebPreview::patchableBytes(const QString& path) {
    QFile file(path);
    if (file.size() < PatchFromBytes || !file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

bool WebPreview::patchInPlace(const QString& path) {
    if (m_shownBytes.isEmpty()) {
        return false;
    }
    QByteArray now = patchableBytes(path);
    if (now.isEmpty()) {
        return false;
    }
    if (now == m_shownBytes) {
        // The page on show already (F5, a Save As): loading it again would
        // cost as much as any load of a page this large, for nothing.
        const int navigation = m_navigations;
        QMetaObject::invokeMethod(
            this,
            [this, navigation] {
                if (navigation == m_navigations && !m_rendererGone) {
                    emit refreshed();
                }
            },
            Qt::QueuedConnection);
        return true;
    }
    // Planning reads both versions of the page whole (about half a second at
    // 50 MB), so it runs on a worker thread; the window goes on meanwhile.
    m_patching = true;
    const int navigation = m_navigations;
    struct Planned {
        QByteArray now;
        QString script;
    };
    // The watcher is the pane's: the answer reaches the pane on the main
    // thread, or nobody once the pane is gone.
    auto* watcher = new QFutureWatcher<Planned>(this);
    connect(watcher, &QFutureWatcher<Planned>::finished, this, [this, watcher, path, navigation] {
        watcher->deleteLater();
        const Planned planned = watcher->result();
        applyPatch(path, navigation, planned.now, planned.script);
    });
    watcher->setFuture(QtConcurrent::run([before = m_shownBytes, now = std::move(now)] {
        std::optional<pagepatch::Plan> plan = pagepatch::plan(before, now);
        if (!plan) {
            // A page written by hand, whose elements the browser closes.
            plan = pagepatch::planFromModels(before, now);
        }
        const QString script =
            plan ? pagepatch::script(
                       *plan, QByteArrayView(now).sliced(plan->start, plan->end - plan->start))
                 : QString();
        return Planned{now, script};
    }));
    return true;
}

void WebPreview::applyPatch(const QString& path, int navigation, const QByteArray& now,
                            const QString& script) {
    if (navigation != m_navigations || m_rendererGone) {
        m_patching = false;
        return; // a later refresh, or a dead renderer, has taken over
    }
    if (script.isEmpty()) {
        m_patching = false;
        reloadInPlace(path);
        return;
    }
    m_shownBytes = now;
    const QPointer<WebPreview> self(this);
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, path, navigation](const QVariant& applied) {
                              if (self == nullptr) {
                                  return;
                              }
                              self->m_patching = false;
                              if (navigation != self->m_navigations || self->m_rendererGone) {
                                  return;
                              }
                              if (applied.toBool()) {
                                  self->m_lastLoadSeconds = self->m_loadClock.elapsed() / 1000.0;
                                  emit self->refreshed();
                              } else {
                                  self->reloadInPlace(path);
                              }
                          });
}

void WebPreview::onLoadStarted() {
    m_loading = true;
    m_outline->clear();
    if (!m_ownLoad) {
        // A page the reader went to (a link, Back, Forward): patches planned
        // for the page before it no longer apply, nor does the place kept
        // for it (the new page opens at its top or at its #fragment).
        m_shownBytes.clear();
        m_pageBytes = 0; // not a page this pane wrote: its size is not known
        ++m_navigations;
        restoreBeforePaint(QPointF());
        m_restorePending = false;
    }
    m_ownLoad = false;
    m_notice->hide();
}

void WebPreview::onLoadFinished(bool ok) {
    m_loading = false;
    // The place was for this load only.
    restoreBeforePaint(QPointF());
    m_lastLoadSeconds = m_loadClock.isValid() ? m_loadClock.elapsed() / 1000.0 : 0;
    if (ok) {
        if (m_failedBytes > 0 && m_pageBytes >= m_failedBytes) {
            m_failedBytes = 0; // a new renderer held a page that large
        }
        emit refreshed();
    }
    if (!m_restorePending) {
        return;
    }
    m_restorePending = false;
    if (ok && !m_restoreTo.isNull()) {
        page()->runJavaScript(restoreScrollScript(m_restoreTo));
        m_placedFile = shownFile();
        m_placedAt = m_restoreTo;
    }
}

void WebPreview::onRendererGone(QWebEnginePage::RenderProcessTerminationStatus status) {
    m_loading = false;
    m_outline->clear();
    m_patching = false;
    m_shownBytes.clear();
    m_restorePending = false;
    m_rendererGone = true;
    if (status == QWebEnginePage::NormalTerminationStatus) {
        return;
    }
    if (m_pageBytes > 0 && (m_failedBytes == 0 || m_pageBytes < m_failedBytes)) {
        m_failedBytes = m_pageBytes;
    }
    showNotice(
        status == QWebEnginePage::KilledTerminationStatus
            ? tr("The preview stopped: its renderer was ended (perhaps for lack of memory on a "
                 "very large page).\nPress F5 to try again.")
            : tr("The preview stopped: its renderer crashed or ran out of memory.\nPress F5 to "
                 "try again."));
}

} // namespace markwright
