#include "app/InputHold.h"

#include "core/BusyGate.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace markwright {

namespace {
bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}
} // namespace

InputHold::InputHold(QWidget* window) : QObject(window), m_window(window) {
    qApp->installEventFilter(this);
    BusyGate::setWorkObserver([this](bool busy) {
        if (busy && !m_cursorSet) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            m_cursorSet = true;
        } else if (!busy && m_cursorSet) {
            QApplication::restoreOverrideCursor();
            m_cursorSet = false;
        }
    });
}

InputHold::~InputHold() {
    BusyGate::setWorkObserver({});
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
    }
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    if (BusyGate::working() && isUserInput(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window) {
        event->ignore();
        return true;
    }
    return false;
}

} // namespace markwright
