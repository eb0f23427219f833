#pragma once

#include <QtGlobal>

#include <QElapsedTimer>

namespace markwright {

// Elapsed seconds for edit stamps and the continuous preview. A monotonic
// clock: an edit just before midnight and a check just after it compare
// correctly, and changes of the system time do not matter.
class Clock {
  public:
    Clock() = default;
    virtual ~Clock() = default;
    Q_DISABLE_COPY(Clock)
    virtual double now() const = 0;
};

class SteadyClock : public Clock {
  public:
    SteadyClock() { m_timer.start(); }
    double now() const override { return static_cast<double>(m_timer.nsecsElapsed()) / 1e9; }

  private:
    QElapsedTimer m_timer;
};

} // namespace markwright
