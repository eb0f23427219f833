#include "app/FileDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace markwright {

namespace {
QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data != nullptr && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                files.append(url.toLocalFile());
            }
        }
    }
    return files;
}
} // namespace

FileDrops::FileDrops(QWidget* window, std::function<void(const QStringList&)> open)
    : QObject(window), m_open(std::move(open)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!localFiles(enter->mimeData()).isEmpty()) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, files] { m_open(files); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace markwright
