#pragma once

#include "control/jex_po_discussions_xml.h"

namespace jex {

// The platform services of a control without a display: message boxes recorded and answered
// from a queue, an in-memory event log, a clock fixed until set, no message pump.
struct HeadlessServices {
    HeadlessMessageBox messageBox;
    MemoryEventLog eventLog;
    FixedClock clock{makeDateTime(2026, 12, 6, 9, 30, 0)};
    NullMessagePump messagePump;

    ControlServices services() { return {messageBox, eventLog, clock, messagePump}; }
};

}  // namespace jex
