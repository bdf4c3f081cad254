#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace jex {

// The byte of `codePoint` in the Western European single-byte code page (Windows-1252), as the
// platform converts text for the server; nullopt when the code page has no such character.
std::optional<uint8_t> toWindows1252(char32_t codePoint);

// The character that byte `code` of the Western European code page stands for. Never fails:
// the five codes the code page leaves undefined stand for the control characters of their
// value, as the platform's own conversion has it.
char32_t fromWindows1252(uint8_t code);

// The UTF-8 `text` in the Western European code page, one byte a character. A character the
// code page lacks, and each byte of a malformed sequence, becomes "?". Never fails.
std::string utf8ToWindows1252(std::string_view text);

// True when the code page holds every character of the UTF-8 `text`, so that converting it loses
// nothing but the bytes of malformed sequences (which no encoding keeps). Never fails.
bool fitsWindows1252(std::string_view text);

// True when `text` is well-formed UTF-8 (shortest forms, no surrogates, nothing beyond U+10FFFF).
bool isValidUtf8(std::string_view text);

// Bytes of the Western European code page as UTF-8 text. Never fails (see fromWindows1252).
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace jex
