#pragma once

#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>

namespace markwright {

// Held while work is under way that the program must finish before anything
// else acts on the pages: a file being read and made ready for the pane, a
// format running on a worker, a dialog waiting for its answer. Nothing runs
// an event loop from inside a command except a dialog, so what arrives
// meanwhile (a second start handing over files, dropped files, Close, the
// crash journal's timers) waits with `whenIdle` and runs, in the order it
// came, once the last gate is gone. Main thread only.
class BusyGate {
  public:
    enum class Kind {
        Work,  // the window takes no input meanwhile (see setWorkObserver)
        Dialog // a modal dialog: it has the input itself
    };
    explicit BusyGate(Kind kind = Kind::Work);
    ~BusyGate();
    Q_DISABLE_COPY(BusyGate)

    static bool held() { return s_work > 0 || s_dialogs > 0; }
    static bool working() { return s_work > 0; }
    // Something waits to run once the gate is free.
    static bool waiting() { return !s_waiting.empty(); }

    // Runs `action` now when nothing is under way, else from the event loop
    // once everything under way is done, after what was waiting before it;
    // not at all once `context` is gone.
    static void whenIdle(QObject* context, std::function<void()> action);

    // Told true when work starts and false when the last of it ends.
    static void setWorkObserver(std::function<void(bool)> observer);

  private:
    static void drainSoon();
    static void drain();

    Kind m_kind;
    static inline int s_work = 0;
    static inline int s_dialogs = 0;
    static inline bool s_drainQueued = false;
    struct Waiting {
        QPointer<QObject> context;
        std::function<void()> action;
    };
    static inline std::deque<Waiting> s_waiting;
    static inline std::function<void(bool)> s_observer;
};

} // namespace markwright
