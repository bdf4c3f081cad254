#pragma once

#include <cstdint>

#include "platform/error.h"

namespace jex::test {

// The number of the Error that `call` raises, or 0 when it raises none.
template <class F>
int32_t errorOf(F&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace jex::test
