#pragma once

#include <QtGlobal>

#include <QString>
#include <QStringList>

namespace markwright {

// What the documents ask of the preview: show the active page again, and
// the preview files it writes.
class PreviewControl {
  public:
    PreviewControl() = default;
    virtual ~PreviewControl() = default;
    Q_DISABLE_COPY(PreviewControl)

    virtual void refresh() = 0;
    // Returns once every preview file being written is on disk.
    virtual void waitForCopies() = 0;
    // Every folder preview files were written to, each ending in '/'.
    virtual QStringList previewFolders() const = 0;
    // Writes the active slot n's text to `path` as the preview does; false
    // when it cannot be written.
    virtual bool writeText(int n, const QString& path) = 0;
};

} // namespace markwright
