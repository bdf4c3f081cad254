#pragma once

#include <string>
#include <string_view>

#include "platform/value.h"

// The forms in which a table field's value is written into a statement of the save batches.
// Every text written between single quotes has its apostrophes doubled, so no text typed into
// the control or given by the host can change a statement. A field is empty when it was never
// written or holds the empty text; null only when null was written into it.
namespace jex::sql {

// The text with every apostrophe doubled. Never fails.
std::string doubledQuotes(std::string_view text);

// The stored text unchanged, numbers in decimal. Raises Invalid use of Null (94) for null.
std::string plain(const Value& v);
// The text between apostrophes; null gives ''. Never fails for a field's value.
std::string quoted(const Value& v);
// The text between apostrophes; it needs text: raises Invalid use of Null (94) for null.
std::string quotedDoubled(const Value& v);
// Null when empty, otherwise quoted.
std::string emptyIsNull(const Value& v);
// Null when empty, otherwise quotedDoubled (so null raises 94).
std::string emptyIsNullDoubled(const Value& v);
// '' when empty, otherwise quoted (so null gives '' too).
std::string emptyIsBlank(const Value& v);
// A person identifier: '' when empty or null, the text itself when it is a whole number (an
// optional sign and digits), otherwise quoted. Never fails.
std::string emptyIsBlankPlain(const Value& v);
// A person type in decimal; 0 when empty or null. Raises the value's conversion errors
// (Type mismatch 13, Overflow 6) for anything but a 16-bit number.
std::string typeNumber(const Value& v);
// Null when null, otherwise quoted (empty gives '').
std::string nullIsNull(const Value& v);
// -1 when the Boolean is true, 0 when false, unset or null. Raises Type mismatch (13) for a
// text that is no Boolean.
std::string flag(const Value& v);
// The number of a sequence's leading digits in decimal (003N and 003 give 3, no digits give 0).
// Raises 94 for null, Overflow (6) beyond the 16-bit range.
std::string sequenceNumberText(const Value& v);

}  // namespace jex::sql
