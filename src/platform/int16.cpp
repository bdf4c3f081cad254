#include "platform/int16.h"

#include <limits>

#include "platform/error.h"

namespace jex {

int16_t toInt16(long long value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        raiseRuntime(err::Overflow);
    return static_cast<int16_t>(value);
}

// The operands are widened first, so the exact result is known before the range check.
int16_t add16(int16_t a, int16_t b) { return toInt16(static_cast<long long>(a) + b); }
int16_t sub16(int16_t a, int16_t b) { return toInt16(static_cast<long long>(a) - b); }
int16_t mul16(int16_t a, int16_t b) { return toInt16(static_cast<long long>(a) * b); }

}  // namespace jex
