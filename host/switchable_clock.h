#pragma once

#include <optional>

#include "platform/dates.h"

namespace jex::host {

// The system's local time until a script fixes it; from then on the fixed time, so that what
// the control stamps is known in advance.
class SwitchableClock final : public Clock {
  public:
    DateTime now() const override { return m_fixed ? *m_fixed : m_system.now(); }
    // Stands the clock still at `t`. Never fails.
    void fix(DateTime t) { m_fixed = t; }

  private:
    SystemClock m_system;
    std::optional<DateTime> m_fixed;
};

}  // namespace jex::host
