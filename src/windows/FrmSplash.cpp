#include "windows/FrmSplash.h"

#include "windows/ProductPicture.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace markwright {

FrmSplash::FrmSplash(std::function<void()> done, int intervalMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_done(std::move(done)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(productPicture());
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(image);
    setFixedSize(451, 351);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &FrmSplash::finish);
    m_timer->start();
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        finish();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSplash::finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_timer->stop();
    // The main window is shown before the splash closes: with no window
    // left on screen for a moment, the application would end.
    if (m_done) {
        m_done();
    }
    close();
}

} // namespace markwright
