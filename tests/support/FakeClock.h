#pragma once

#include "core/Clock.h"
#include "support/ProjectNames.h"

// A clock the test moves by hand.
class FakeClock : public Clock {
  public:
    double now() const override { return m_now; }
    void advance(double seconds) { m_now += seconds; }
    void set(double seconds) { m_now = seconds; }

  private:
    double m_now = 1000.0;
};
