#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sql_connection.h"

namespace jex::server {

// The value a C++ value binds as: a null pointer or an empty optional is NULL.
inline SqlValue sqlValue(const char* text) {
    if (text == nullptr) return {};
    return std::string(text);
}
inline SqlValue sqlValue(std::string_view text) { return std::string(text); }
inline SqlValue sqlValue(const std::string& text) { return text; }
template <std::integral Number>
SqlValue sqlValue(Number number) {
    return static_cast<std::int64_t>(number);
}
template <std::integral Number>
SqlValue sqlValue(const std::optional<Number>& number) {
    if (!number) return {};
    return static_cast<std::int64_t>(*number);
}

// The whole number a value read holds: a number, or text that writes one (a fraction is cut
// off, as an int column takes it); nothing for NULL or other text.
std::optional<std::int64_t> wholeNumberOf(const SqlValue& value);

// Binds values to the parameters $1, $2, ... in order. Throws SqlError.
template <class... Values>
void bindAll(SqlStatement& statement, const Values&... values) {
    int index = 0;
    (statement.bind(++index, sqlValue(values)), ...);
}

// Binds values as bindAll does, runs a statement that returns no rows and makes it ready for the
// next run. Throws SqlError.
template <class... Values>
void runWith(SqlStatement& statement, const Values&... values) {
    bindAll(statement, values...);
    statement.step();
    statement.reset();
}

}  // namespace jex::server
