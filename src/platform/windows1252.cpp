#include "platform/windows1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace jex {

namespace {

constexpr uint8_t kFirstSpecial = 0x80;
constexpr uint8_t kLastSpecial = 0x9F;
constexpr char kUnknown = '?';

// Codes 0x80 to 0x9F, where the code page departs from Latin-1; the undefined ones keep their
// own value.
constexpr std::array<char32_t, 32> kSpecials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

bool isSpecialCode(char32_t code) { return code >= kFirstSpecial && code <= kLastSpecial; }

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point starting at `pos` and its length in bytes; nullopt for a malformed sequence,
// which then counts as one byte.
std::pair<std::optional<char32_t>, size_t> decodeAt(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length > text.size()) return {std::nullopt, 1};
    char32_t codePoint = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) return {std::nullopt, 1};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kShortest[length] || codePoint > 0x10FFFF) return {std::nullopt, 1};
    return {codePoint, length};
}

}  // namespace

std::optional<uint8_t> toWindows1252(char32_t codePoint) {
    if (codePoint <= 0xFF && !isSpecialCode(codePoint)) return static_cast<uint8_t>(codePoint);
    const auto found = std::find(kSpecials.begin(), kSpecials.end(), codePoint);
    if (found == kSpecials.end()) return std::nullopt;
    return static_cast<uint8_t>(kFirstSpecial + (found - kSpecials.begin()));
}

char32_t fromWindows1252(uint8_t code) {
    if (isSpecialCode(code)) return kSpecials[code - kFirstSpecial];
    return code;
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const auto [codePoint, length] = decodeAt(text, pos);
        const auto code = codePoint ? toWindows1252(*codePoint) : std::nullopt;
        converted += code ? static_cast<char>(*code) : kUnknown;
        pos += length;
    }
    return converted;
}

bool fitsWindows1252(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const auto [codePoint, length] = decodeAt(text, pos);
        if (codePoint && !toWindows1252(*codePoint)) return false;
        pos += length;
    }
    return true;
}

bool isValidUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const auto [codePoint, length] = decodeAt(text, pos);
        const bool surrogate = codePoint && *codePoint >= 0xD800 && *codePoint <= 0xDFFF;
        if (!codePoint || surrogate) return false;
        pos += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        // Every character of the code page lies below U+10000: three bytes at most.
        const char32_t c = fromWindows1252(static_cast<uint8_t>(byte));
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

}  // namespace jex
