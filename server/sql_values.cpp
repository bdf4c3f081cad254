#include "sql_values.h"

#include <charconv>
#include <cmath>

namespace jex::server {

namespace {

std::optional<std::int64_t> wholeNumberIn(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const char* end = text.data() + text.size();
    std::int64_t whole = 0;
    auto [wholeEnd, wholeError] = std::from_chars(text.data(), end, whole);
    if (wholeError == std::errc() && wholeEnd == end) return whole;
    double number = 0;
    auto [numberEnd, numberError] = std::from_chars(text.data(), end, number);
    // The range check keeps the cut from overflowing.
    if (numberError != std::errc() || numberEnd != end || !(std::abs(number) < 9.2e18)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(number);
}

}  // namespace

std::optional<std::int64_t> wholeNumberOf(const SqlValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    if (const auto* text = std::get_if<std::string>(&value)) return wholeNumberIn(*text);
    return std::nullopt;
}

}  // namespace jex::server
