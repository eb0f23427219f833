#include "preview/PreviewScheme.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace markwright {

const char* const previewscheme::Name = "markwright-page";

void previewscheme::registerScheme() {
    if (QWebEngineUrlScheme::schemeByName(Name).name() == Name) {
        return;
    }
    QWebEngineUrlScheme scheme(Name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Opaque origins; treated as secure as file: is; a page's own fonts and
    // module scripts (fetched in CORS mode) still load.
    scheme.setFlags(QWebEngineUrlScheme::NoAccessAllowed | QWebEngineUrlScheme::SecureScheme |
                    QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl previewscheme::urlFor(const QString& path) {
    QUrl url = QUrl::fromLocalFile(path);
    url.setScheme(QLatin1String(Name));
    return url;
}

QString previewscheme::localPath(const QUrl& url) {
    if (url.isLocalFile()) {
        return url.toLocalFile();
    }
    if (url.scheme() != QLatin1String(Name)) {
        return QString();
    }
    // Pages written for Windows name files with backslashes (the frames
    // wizard's pages among them); the engine leaves them in this scheme.
    QString path = url.path();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

void PreviewFiles::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString path = previewscheme::localPath(job->requestUrl());
    if (job->requestMethod() != "GET" || path.isEmpty()) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    static const QMimeDatabase types;
    job->reply(types.mimeTypeForFile(info, QMimeDatabase::MatchExtension).name().toLatin1(), file);
}

} // namespace markwright
