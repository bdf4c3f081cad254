#pragma once

#include <cstdint>

namespace jex {

// Counters, indices and codes of the control are 16-bit; leaving -32768..32767 raises
// Overflow (6), as the classic runtime does.
int16_t toInt16(long long value);
int16_t add16(int16_t a, int16_t b);
int16_t sub16(int16_t a, int16_t b);
int16_t mul16(int16_t a, int16_t b);

}  // namespace jex
