#include "preview/PreviewGuard.h"

#include "preview/PreviewScheme.h"

#include <QDir>

#include <QFileInfo>
#include <algorithm>

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
    previewscheme::registerScheme();
    // WebRTC may send nothing but through a proxy, and the only proxy is
    // one no connection can reach (the broadcast address): its STUN and
    // TURN traffic, which no request filter sees, never leaves. Nothing
    // else of the engine's goes out anyway: the guard refuses every network
    // request before it is made.
    const QByteArrayList switches{
        QByteArrayLiteral("--force-webrtc-ip-handling-policy=disable_non_proxied_udp"),
        QByteArrayLiteral("--proxy-server=http://255.255.255.255:9"),
        QByteArrayLiteral("--proxy-bypass-list=<-loopback>")};
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const QByteArray& option : switches) {
        if (!flags.contains(option)) {
            flags += (flags.isEmpty() ? "" : " ") + option;
        }
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

namespace {
// The path with its links and ".." resolved, as far as it exists.
QString resolved(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

// A resolved path through a file or folder whose name starts with a dot:
// where programs keep keys, passwords and settings (~/.ssh, ~/.config...),
// never part of a site.
bool hidden(const QString& real) {
    const QStringList parts = real.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return std::any_of(parts.begin(), parts.end(),
                       [](const QString& part) { return part.startsWith(QLatin1Char('.')); });
}

// Whether the resolved path `real` lies in `folder` or below it.
bool insideFolder(const QString& real, const QString& folder) {
    if (folder.isEmpty()) {
        return false;
    }
    QString root = resolved(folder);
    if (!root.endsWith(QLatin1Char('/'))) {
        root += QLatin1Char('/');
    }
    return real.startsWith(root);
}
} // namespace

PreviewGuard::PreviewGuard(const QString& programFolder, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), m_programFolder(programFolder) {}

bool PreviewGuard::allows(const QUrl& url, Kind kind, const QUrl& page,
                          const QString& programFolder) {
    const QString scheme = url.scheme().toLower();
    // In-page data never leaves the process.
    if (scheme == QLatin1String("data") || scheme == QLatin1String("blob") ||
        scheme == QLatin1String("about")) {
        return kind != Kind::Other;
    }
    const QString path = previewscheme::localPath(url);
    if (path.isEmpty()) {
        return false; // no network host is ever contacted
    }
    // Resolved once: links and ".." cannot lead a request out of a folder.
    const QString real = resolved(path);
    if (hidden(real)) {
        return false;
    }
    switch (kind) {
    case Kind::Document:
        // The page itself, or one the reader went to by a link.
        return true;
    case Kind::Frame:
    case Kind::Subresource:
        // A frame shows a page, never a folder listing. Anything a page
        // loads comes from its own folder tree or the program's pages.
        if (kind == Kind::Frame && QFileInfo(real).isDir()) {
            return false;
        }
        {
            const QString pagePath = previewscheme::localPath(page);
            return (!pagePath.isEmpty() && insideFolder(real, QFileInfo(pagePath).path())) ||
                   insideFolder(real, programFolder);
        }
    case Kind::ScriptRead:
    case Kind::Other:
        break;
    }
    return false;
}

void PreviewGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (!allows(info.requestUrl(), kindOf(info.resourceType()), info.firstPartyUrl(),
                m_programFolder)) {
        info.block(true);
    }
}

} // namespace markwright
