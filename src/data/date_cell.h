#pragma once

#include <string>

#include "platform/value.h"

namespace jex {

// The list cell of a stored date: its text as it stands when it reads as a date, otherwise
// (null included) nothing. Never fails.
std::string dateCell(const Value& field);

}  // namespace jex
