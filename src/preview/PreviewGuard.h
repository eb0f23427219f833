#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace markwright {

// Keeps a page in the preview to what a hand-written page needs: its
// documents, frames, style sheets, scripts, images, fonts and media, from
// local files in the page's own folder (and below it) or in the program's
// folder, which holds the sample pages of the frames wizard. Scripts cannot
// read local files (XMLHttpRequest, fetch, EventSource), and nothing at all
// goes out to a network host. Set on the preview's own profile, so it also
// sees what workers of every kind ask for.
class PreviewGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

  public:
    enum class Kind { Document, Frame, Subresource, ScriptRead, Other };
    // The decision itself, without the web engine: `url` asked for as
    // `kind` by the page at `page` (the request's first party).
    static bool allows(const QUrl& url, Kind kind, const QUrl& page, const QString& programFolder);

    // Engine-wide switches the guard needs: WebRTC may not send UDP packets
    // (its STUN requests bypass every request filter). Takes effect only
    // before the web engine starts; later calls do nothing.
    static void prepareEngine();

    PreviewGuard(const QString& programFolder, QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

  private:
    QString m_programFolder;
};

} // namespace markwright
