#pragma once

#include <string>
#include <string_view>

namespace jex::server {

// The UTF-8 text of bytes in the Windows-1252 code page, the one the control encodes its save
// batches from. Every byte has a character, so this never fails: the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, as Windows itself converts them.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace jex::server
