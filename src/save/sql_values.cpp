#include "save/sql_values.h"

#include <algorithm>

#include "data/sequence.h"

namespace jex::sql {
namespace {

bool isEmptyField(const Value& v) {
    return v.isEmpty() || (v.type() == ValueType::Text && v.toText().empty());
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Only such a text may stand in a statement without quotes.
bool isWholeNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    return !text.empty() && std::ranges::all_of(text, isDigit);
}

std::string betweenQuotes(std::string_view text) { return "'" + doubledQuotes(text) + "'"; }

}  // namespace

std::string doubledQuotes(std::string_view text) {
    std::string doubled;
    doubled.reserve(text.size());
    for (char c : text) {
        doubled += c;
        if (c == '\'') doubled += c;
    }
    return doubled;
}

std::string plain(const Value& v) { return v.toText(); }

std::string quoted(const Value& v) { return v.isNull() ? "''" : quotedDoubled(v); }

std::string quotedDoubled(const Value& v) { return betweenQuotes(v.toText()); }

std::string emptyIsNull(const Value& v) { return isEmptyField(v) ? "Null" : quoted(v); }

// A null is written as Null too: an edit that empties the follow-up box stores null, and the
// save of that edit must not fail on it.
std::string emptyIsNullDoubled(const Value& v) {
    return v.isNull() || isEmptyField(v) ? "Null" : quotedDoubled(v);
}

std::string emptyIsBlank(const Value& v) { return isEmptyField(v) ? "''" : quoted(v); }

std::string emptyIsBlankPlain(const Value& v) {
    if (v.isNull() || isEmptyField(v)) return "''";
    const std::string text = v.toText();
    return isWholeNumber(text) ? text : betweenQuotes(text);
}

std::string typeNumber(const Value& v) {
    if (v.isNull() || isEmptyField(v)) return "0";
    return std::to_string(v.toInteger());
}

std::string nullIsNull(const Value& v) { return v.isNull() ? "Null" : quoted(v); }

std::string flag(const Value& v) {
    const bool set = !v.isNull() && v.toBoolean();
    return set ? "-1" : "0";
}

std::string sequenceNumberText(const Value& v) {
    return std::to_string(sequenceNumber(std::string_view(v.toText())));
}

}  // namespace jex::sql
