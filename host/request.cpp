#include "request.h"

#include <limits>
#include <sstream>

namespace jex::host {
namespace {

// The time `text` stands for in exactly `format` (of `length` characters), or nullopt.
std::optional<DateTime> parseExactly(const std::string& text, const char* format, size_t length) {
    if (text.size() != length) return std::nullopt;
    std::istringstream in(text);
    DateTime t;
    in >> date::parse(format, t);
    if (in.fail() || in.peek() != std::char_traits<char>::eof()) return std::nullopt;
    return t;
}

}  // namespace

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

Request::Request(const Json& object) : m_object(object) {
    if (!object.is_object()) throw RequestError("a request is a JSON object");
    m_op = text("op");
}

bool Request::has(std::string_view field) const { return m_object.contains(field); }

const Json& Request::any(std::string_view field) const {
    auto it = m_object.find(field);
    if (it == m_object.end()) throw RequestError("missing field " + inQuotes(field));
    return *it;
}

void Request::wrongType(std::string_view field, std::string_view expected) const {
    throw RequestError("field " + inQuotes(field) + " must be " + std::string(expected));
}

std::string Request::text(std::string_view field) const {
    const Json& value = any(field);
    if (!value.is_string()) wrongType(field, "a text");
    return value.get<std::string>();
}

int Request::integer(std::string_view field) const {
    const Json& value = any(field);
    if (!value.is_number_integer()) wrongType(field, "a whole number");
    if (value.is_number_unsigned() && value.get<uint64_t>() > std::numeric_limits<int>::max()) {
        wrongType(field, "a whole number within the range of int");
    }
    const int64_t n = value.get<int64_t>();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) {
        wrongType(field, "a whole number within the range of int");
    }
    return static_cast<int>(n);
}

bool Request::flag(std::string_view field, bool fallback) const {
    if (!has(field)) return fallback;
    const Json& value = any(field);
    if (!value.is_boolean()) wrongType(field, "true or false");
    return value.get<bool>();
}

const Json& Request::list(std::string_view field) const {
    const Json& value = any(field);
    if (!value.is_array()) wrongType(field, "a list");
    return value;
}

const Json& Request::object(std::string_view field) const {
    const Json& value = any(field);
    if (!value.is_object()) wrongType(field, "an object");
    return value;
}

DateTime Request::date(std::string_view field) const {
    const auto t = parseExactly(text(field), "%Y-%m-%d", 10);
    if (!t) wrongType(field, "a date \"yyyy-mm-dd\"");
    return *t;
}

DateTime Request::dateTime(std::string_view field) const {
    const auto t = parseExactly(text(field), "%Y-%m-%dT%H:%M:%S", 19);
    if (!t) wrongType(field, "a date and time \"yyyy-mm-ddThh:mm:ss\"");
    return *t;
}

}  // namespace jex::host
