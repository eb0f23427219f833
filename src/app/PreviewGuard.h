#pragma once

#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace markwright {

// Keeps a page in the preview to what a hand-written page needs: its
// documents, frames, style sheets, scripts, images, fonts and media from
// local files. Scripts cannot read local files (XMLHttpRequest, fetch,
// EventSource), and nothing at all goes out to a network host.
class PreviewGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

  public:
    enum class Kind { Document, Frame, Subresource, ScriptRead, Other };
    // The decision itself, without the web engine.
    static bool allows(const QUrl& url, Kind kind);

    // Engine-wide switches the guard needs: WebRTC may not send UDP packets
    // (its STUN requests bypass every request filter). Takes effect only
    // before the web engine starts; later calls do nothing.
    static void prepareEngine();

    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

} // namespace markwright
