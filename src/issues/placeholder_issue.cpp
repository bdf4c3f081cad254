#include "control/jex_po_discussions_xml.h"

// The placeholder issue of an order without issues: not built yet, only called.
namespace jex {

void JEXPODiscussionsXML::SetDefaultIssue() {
    trap("SetDefaultIssue", [] {});
}

}  // namespace jex

namespace jex {

std::string JEXPODiscussionsXML::NewIssueSequence() { return {}; }

}  // namespace jex
