#include "control/jex_po_discussions_xml.h"

// Export of rows as delimited text: not built yet. The members exist so that hosts bind to
// the whole interface.
namespace jex {

std::string JEXPODiscussionsXML::GetDiscussions(const std::string&, const std::string&) {
    std::string result;
    trap("GetDiscussions", [] {});
    return result;
}

std::string JEXPODiscussionsXML::GetComments(const std::string&, const std::string&) {
    std::string result;
    trap("GetComments", [] {});
    return result;
}

Value JEXPODiscussionsXML::StringToArray(const std::string&, const std::string&,
                                         const std::string&) {
    Value result;
    trap("StringToArray", [] {});
    return result;
}

}  // namespace jex
