#pragma once

#include <QtGlobal>

namespace markwright {

// Held while a long operation lets the event loop run (a big text going into
// the pane a slice at a time, a long format run, Open waiting for its reader
// thread). Timers and commands that would act on the half-done state (the
// preview refresh, Close, menu commands) check it and wait. Main thread only.
class BusyGate {
  public:
    BusyGate() { ++s_depth; }
    ~BusyGate() { --s_depth; }
    Q_DISABLE_COPY(BusyGate)

    static bool held() { return s_depth > 0; }

  private:
    static inline int s_depth = 0;
};

} // namespace markwright
