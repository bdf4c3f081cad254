#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/value.h"

namespace jex {

// Sequences identify issues and comments. A stored row holds its number, padded to three
// digits for issues (007); a row made in the control holds a counter followed by "N" (004N).

// True when the sequence was made in the control and is not stored yet.
bool isNewSequence(std::string_view sequence);

// The value of the sequence's leading digits after optional blanks and sign (004N gives 4,
// "abc" gives 0). Raises Overflow (6) beyond the 16-bit range.
int16_t sequenceNumber(std::string_view sequence);

// As above for a table field; a field without a value (Empty or Null) raises Invalid use of
// Null (94), since no number can be taken from it.
int16_t sequenceNumber(const Value& field);

// A number with at least three digits, leading zeros filling (1 gives 001, 1234 stays 1234).
// Text that is not a number is returned unchanged.
std::string padSequence(std::string_view text);

}  // namespace jex
