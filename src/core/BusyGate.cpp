#include "core/BusyGate.h"

#include <QCoreApplication>
#include <QTimer>

namespace markwright {

BusyGate::BusyGate(Kind kind) : m_kind(kind) {
    if (kind == Kind::Dialog) {
        ++s_dialogs;
    } else if (s_work++ == 0 && s_observer) {
        s_observer(true);
    }
}

BusyGate::~BusyGate() {
    if (m_kind == Kind::Dialog) {
        --s_dialogs;
    } else if (--s_work == 0 && s_observer) {
        s_observer(false);
    }
    if (!held() && !s_waiting.empty()) {
        drainSoon();
    }
}

void BusyGate::whenIdle(QObject* context, std::function<void()> action) {
    if (!held() && s_waiting.empty()) {
        action();
        return;
    }
    s_waiting.push_back({context, std::move(action)});
    if (!held()) {
        drainSoon();
    }
}

void BusyGate::setWorkObserver(std::function<void(bool)> observer) {
    s_observer = std::move(observer);
}

void BusyGate::drainSoon() {
    QCoreApplication* const app = QCoreApplication::instance();
    if (s_drainQueued || app == nullptr) {
        return;
    }
    s_drainQueued = true;
    // From the event loop, never from inside the code that let the gate go.
    QTimer::singleShot(0, app, [] {
        s_drainQueued = false;
        drain();
    });
}

void BusyGate::drain() {
    // An action that starts work of its own holds the rest back until that
    // work is done.
    while (!held() && !s_waiting.empty()) {
        Waiting next = std::move(s_waiting.front());
        s_waiting.pop_front();
        if (next.context != nullptr) {
            next.action();
        }
    }
}

} // namespace markwright
