// urlEncode of arbitrary text: every byte of the answer is one the form encoding leaves as it
// is, a '+' for a space or an escape of two upper-case hex digits, and decoding the answer gives
// back the text's bytes in the Western European code page.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "control/headless_services.h"
#include "platform/windows1252.h"

namespace {

bool isUnreserved(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
           ch == '*' || ch == '-' || ch == '.' || ch == '_';
}

std::optional<int> upperHexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return std::nullopt;
}

// The bytes a form decoder reads from `encoded`; nothing when a byte is out of place.
std::optional<std::string> formDecoded(std::string_view encoded) {
    std::string bytes;
    for (size_t at = 0; at < encoded.size(); ++at) {
        const char ch = encoded[at];
        if (ch == '+') {
            bytes += ' ';
        } else if (isUnreserved(ch)) {
            bytes += ch;
        } else if (ch != '%' || at + 2 >= encoded.size()) {
            return std::nullopt;
        } else {
            const auto high = upperHexDigit(encoded[at + 1]);
            const auto low = upperHexDigit(encoded[at + 2]);
            if (!high || !low) return std::nullopt;
            bytes += static_cast<char>(*high * 16 + *low);
            at += 2;
        }
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    jex::HeadlessServices host;
    jex::JEXPODiscussionsXML control(host.services());
    const std::optional<std::string> decoded = formDecoded(control.urlEncode(text));
    if (!decoded || *decoded != jex::utf8ToWindows1252(text)) std::abort();
    if (!host.messageBox.shown().empty()) std::abort();
    return 0;
}
