// StringToArray of arbitrary text and separators: a table of cells or the control's error
// report, never a crash. The input is split into the column separator, the row separator and
// the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "control/headless_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Separators longer than this find nothing in most inputs.
    constexpr size_t kLongestSeparator = 4;
    FuzzedDataProvider input(data, size);
    const std::string columnSeparator = input.ConsumeRandomLengthString(kLongestSeparator);
    const std::string rowSeparator = input.ConsumeRandomLengthString(kLongestSeparator);
    const std::string text = input.ConsumeRemainingBytesAsString();

    jex::HeadlessServices host;
    jex::JEXPODiscussionsXML control(host.services());
    const jex::Value cells = control.StringToArray(text, columnSeparator, rowSeparator);
    // A table or a report, not both and not neither for a text that is more than blanks.
    const bool reported = !host.messageBox.shown().empty();
    if (cells.isArray() == reported && text.find_first_not_of(" ") != std::string::npos)
        std::abort();
    return 0;
}
