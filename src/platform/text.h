#pragma once

#include <string>
#include <string_view>

namespace jex {

// The text without the spaces at both ends, as the classic Trim does (tabs and line breaks
// stay). Never fails.
inline std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace jex
