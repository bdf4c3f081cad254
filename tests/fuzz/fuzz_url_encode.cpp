// urlEncode of arbitrary text: every byte of the answer is one the form encoding leaves as it
// is, a '+' for a space or an escape of two upper-case hex digits, and decoding the answer gives
// back the text's bytes in the Western European code page.
#include <httplib.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "control/headless_services.h"
#include "platform/windows1252.h"

namespace {

// Every byte one the form encoding leaves as it is, a '+' or an escape of two upper-case hex
// digits.
bool wellFormed(std::string_view encoded) {
    for (size_t at = 0; at < encoded.size(); ++at) {
        if (std::isalnum(static_cast<unsigned char>(encoded[at])) ||
            std::string_view("*-._+").find(encoded[at]) != std::string_view::npos)
            continue;
        if (encoded[at] != '%' || encoded.size() - at < 3 ||
            encoded.substr(at + 1, 2).find_first_not_of("0123456789ABCDEF") != std::string::npos)
            return false;
        at += 2;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    jex::HeadlessServices host;
    jex::JEXPODiscussionsXML control(host.services());
    const std::string encoded = control.urlEncode(text);
    if (!wellFormed(encoded) || !host.messageBox.shown().empty() ||
        httplib::detail::decode_url(encoded, true) != jex::utf8ToWindows1252(text))
        std::abort();
    return 0;
}
