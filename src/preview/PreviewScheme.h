#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace markwright {

// The preview shows local pages through an address scheme of its own rather
// than file:, so that every document it shows is an origin of its own (an
// opaque one): a page can show its frames, pictures and style sheets but
// cannot read what they hold, nor any other file. Relative links, pictures,
// frames and scripts still resolve as they do among files.
namespace previewscheme {

extern const char* const Name;

// Makes the scheme known to the web engine; before the engine starts.
void registerScheme();

// The address of the local file at `path` (absolute), and back. A file:
// address gives its local path too; any other gives an empty string.
QUrl urlFor(const QString& path);
QString localPath(const QUrl& url);

} // namespace previewscheme

// Answers the scheme's requests with the files they name, read as they are on
// disk. What may be asked for at all is the request guard's decision.
class PreviewFiles : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

} // namespace markwright
