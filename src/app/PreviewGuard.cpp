#include "app/PreviewGuard.h"

#include <QFileInfo>

namespace markwright {

namespace {
PreviewGuard::Kind kindOf(QWebEngineUrlRequestInfo::ResourceType type) {
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
        return PreviewGuard::Kind::Document;
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
        return PreviewGuard::Kind::Frame;
    case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
    case QWebEngineUrlRequestInfo::ResourceTypeScript:
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
    case QWebEngineUrlRequestInfo::ResourceTypeWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeSharedWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeSubResource:
        return PreviewGuard::Kind::Subresource;
    case QWebEngineUrlRequestInfo::ResourceTypeXhr:
        return PreviewGuard::Kind::ScriptRead;
    default:
        // Pings, reports, prefetches, service workers, plugin requests...
        return PreviewGuard::Kind::Other;
    }
}
} // namespace

void PreviewGuard::prepareEngine() {
    static const QByteArray Switch =
        QByteArrayLiteral("--force-webrtc-ip-handling-policy=disable_non_proxied_udp");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains(Switch)) {
        flags += (flags.isEmpty() ? "" : " ") + Switch;
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
}

bool PreviewGuard::allows(const QUrl& url, Kind kind) {
    const QString scheme = url.scheme().toLower();
    // In-page data never leaves the process.
    if (scheme == QLatin1String("data") || scheme == QLatin1String("blob") ||
        scheme == QLatin1String("about")) {
        return kind != Kind::Other;
    }
    if (scheme != QLatin1String("file")) {
        return false; // no network host is ever contacted
    }
    switch (kind) {
    case Kind::Document:
    case Kind::Subresource:
        return true;
    case Kind::Frame:
        // A frame shows a page, never a folder listing, which a script of
        // the page could read through the frame.
        return !QFileInfo(url.toLocalFile()).isDir();
    case Kind::ScriptRead:
    case Kind::Other:
        break;
    }
    return false;
}

void PreviewGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (!allows(info.requestUrl(), kindOf(info.resourceType()))) {
        info.block(true);
    }
}

} // namespace markwright
