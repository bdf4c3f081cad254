#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// The small text rules every layer shares, the server's included. None of them fails.
namespace jex {

// The text without any of `blanks` at both ends.
inline std::string_view trimmedOf(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The text without the spaces at both ends, as the classic Trim does (tabs and line breaks
// stay).
inline std::string_view trimBlanks(std::string_view text) { return trimmedOf(text, " "); }

// The text without the spaces and tabs at both ends: what a number or a True/False word may
// carry around it.
inline std::string_view trimSpacesAndTabs(std::string_view text) { return trimmedOf(text, " \t"); }

// ASCII letters only: every other byte, those of UTF-8 sequences included, stays as it is.
inline char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) { return lowerAscii(c); });
    return lower;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

inline bool endsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           equalsIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

}  // namespace jex
