#include "control/jex_po_discussions_xml.h"

// Saving: not built yet. The members exist so that hosts bind to the whole interface.
namespace jex {

void JEXPODiscussionsXML::SaveData() {
    trap("SaveData", [] {});
}

std::string JEXPODiscussionsXML::SaveDataToIIS(const std::string&) {
    std::string result;
    trap("SaveDataToIIS", [] {});
    return result;
}

std::string JEXPODiscussionsXML::urlEncode(const std::string&) {
    std::string result;
    trap("urlEncode", [] {});
    return result;
}

}  // namespace jex
