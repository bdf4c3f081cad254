#pragma once

#include <string_view>

#include "platform/error.h"

namespace jex {

// The error the trap is handling, as the current-error object holds it: an Error as it was
// raised, anything else thrown inside the control as an internal error of the library.
// Call only inside a catch block.
Error currentError();

// The one error trap of the control: runs `body`; when it raises, hands the error and the
// procedure's name to `report`, then runs `onTrap` (a procedure's extra clean-up) and returns
// normally, never resuming the body. An error raised by `report` itself goes to the caller.
template <class Report, class Body, class OnTrap>
void runTrapped(Report&& report, std::string_view procedure, Body&& body, OnTrap&& onTrap) {
    try {
        body();
        return;
    } catch (...) {
        report(currentError(), procedure);
    }
    onTrap();
}

}  // namespace jex
