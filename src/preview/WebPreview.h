#pragma once

#include "preview/PreviewPane.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointF>
#include <QWebEngineView>

class QLabel;
class QWebEngineProfile;

namespace markwright {

class OutlineBox;

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
// A large page whose new text differs from the one on show inside a single
// element of its body gets that element replaced in place (see PagePatch):
// no reload, so the cost follows the size of the edit rather than of the page.
//
// A refresh whose large page holds the very bytes on show loads nothing: the
// pane only tells it is refreshed.
//
// When the page's renderer dies (out of memory on a huge page, say), the
// pane says so and the next refresh starts a new one. It remembers the size
// of the page it died on, so the continuous preview leaves pages that large
// to F5 instead of killing each new renderer again.
class WebPreview : public QWebEngineView, public PreviewPane {
    Q_OBJECT

  public:
    // `programFolder`: where the program keeps the pages a page in the
    // preview may also load (the frames wizard's samples).
    explicit WebPreview(QWidget* parent = nullptr, const QString& programFolder = QString());
    ~WebPreview() override;

    QWidget* widget() override { return this; }
    void navigate(const QString& localPath) override;
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void setDefaultEncoding(const QString& name) override;
    double lastLoadSeconds() const override { return m_lastLoadSeconds; }
    void showNotice(const QString& text) override;
    qint64 failedPageBytes() const override { return m_failedBytes; }
    void highlight(const ElementPath& path) override;
    void onSourceWanted(std::function<void(const ElementPath&)> wanted) override {
        m_sourceWanted = std::move(wanted);
    }
    void onRefreshed(std::function<void()> refreshed) override {
        m_refreshed = std::move(refreshed);
    }
    // "Show Source": asks for the source of the element the context menu
    // was last opened on.
    void showSourceOfContext();
    // The element's box the outline is drawn around, in the view's pixels;
    // empty when nothing is outlined.
    QRect outlinedBox() const;

    QString shownFile() const override;

    // The text shown over the pane (after the renderer died, say); empty
    // when none is.
    QString notice() const;

    // Pages of at least this many bytes are patched in place where they can
    // be (on by default; off, every refresh loads the page, as for comparison).
    static constexpr qsizetype PatchFromBytes = qsizetype(256) << 10;
    void setPatchInPlace(bool on) { m_patchInPlace = on; }

  signals:
    // The page on show holds the latest text navigated to: loaded, or patched.
    void refreshed();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void onRendererGone(QWebEnginePage::RenderProcessTerminationStatus status);
    // The script that puts the reader's place back before the first paint
    // of every page loaded from now on (none for the top of a page).
    void restoreBeforePaint(QPointF to);
    // Loads the page on show again, keeping the reader's place.
    void reloadInPlace(const QString& path);
    // Starts replacing the one element of the page on show that differs from
    // the file at `path` (loading the page instead where no such element is
    // found); false where a load is needed at once.
    bool patchInPlace(const QString& path);
    // Runs the patch planned for navigation `navigation` (`script`, empty
    // when there is none) unless a later navigation has taken over.
    void applyPatch(const QString& path, int navigation, const QByteArray& now,
                    const QString& script);
    // Where the reader has the page on show.
    QPointF readersPlace() const;
    // The file's bytes if it is large enough to be patched later; else none.
    static QByteArray patchableBytes(const QString& path);

    bool m_loading = false;
    bool m_restorePending = false;
    bool m_rendererGone = false;
    bool m_patchInPlace = true;
    bool m_patching = false;
    // Set while a load this pane asked for has yet to start: any other
    // (a link followed, Back, Forward) shows a page the bytes below are not.
    bool m_ownLoad = false;
    int m_navigations = 0;
    qint64 m_pageBytes = 0;   // the size of the file last navigated to
    qint64 m_failedBytes = 0; // see failedPageBytes()
    QByteArray m_shownBytes;
    QPointF m_restoreTo;
    QHash<QString, QPointF> m_places;
    // The page last put back at a place, until the widget hears of a scroll.
    QString m_placedFile;
    QPointF m_placedAt;
    QElapsedTimer m_loadClock;
    double m_lastLoadSeconds = 0;
    QLabel* m_notice = nullptr;
    QWebEngineProfile* m_profile = nullptr;
    QWebEnginePage* m_page = nullptr;
    // What a page's Ctrl+click report starts with.
    QString m_linkToken;
    OutlineBox* m_outline = nullptr;
    int m_lights = 0; // counts light requests: only the latest answer is shown
    std::function<void(const ElementPath&)> m_sourceWanted;
    std::function<void()> m_refreshed;
};

} // namespace markwright
