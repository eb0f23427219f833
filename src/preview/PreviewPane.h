#pragma once

#include <QtGlobal>

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace markwright {

// The preview seam: an HTML renderer that is navigated to a local file and
// steps through its own history. The real one is the embedded web engine;
// widget tests use a recording double.
class PreviewPane {
  public:
    PreviewPane() = default;
    virtual ~PreviewPane() = default;
    Q_DISABLE_COPY(PreviewPane)
    virtual QWidget* widget() = 0;
    virtual void navigate(const QString& localPath) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    // The encoding pages that declare none are read in ("utf-8",
    // "windows-1252"...); a page's own charset still wins.
    virtual void setDefaultEncoding(const QString& name) { (void)name; }
    // How long the last page took to load, in seconds (0: not known).
    virtual double lastLoadSeconds() const { return 0; }
    // Shows `text` over the pane, in place of the page (why it is not the
    // page being written); an empty text takes it away.
    virtual void showNotice(const QString& text) { (void)text; }
    // The size in bytes of the smallest page the renderer died on since a
    // page that large last loaded; 0 when none. Pages this large are left to
    // an explicit refresh.
    virtual qint64 failedPageBytes() const { return 0; }
    // The local file the page on show was read from; empty for none.
    virtual QString shownFile() const { return QString(); }

    // An element of the page on show, as the page's own tree reaches it:
    // the child-element indices from <html> down, and the names along the
    // way (<html>'s first).
    struct ElementPath {
        std::vector<int> indices;
        std::vector<QByteArray> names;
    };
    // Outlines the element at `path` over the page, scrolling it into view
    // when none of it is in view; nothing is outlined when the page has no
    // such element (or another name on the way). A path without names takes
    // the outline away.
    virtual void highlight(const ElementPath& path) { (void)path; }
    // Called when the reader asks for the source of an element of the page.
    virtual void onSourceWanted(std::function<void(const ElementPath&)> wanted) { (void)wanted; }
    // Called when the page on show holds the latest text navigated to.
    virtual void onRefreshed(std::function<void()> refreshed) { (void)refreshed; }
};

} // namespace markwright
