#include "control/jex_po_discussions_xml.h"

// Drawing of the issue list and the selection handler: not built yet, only called.
namespace jex {

void JEXPODiscussionsXML::DisplayDiscussions() {
    trap("DisplayDiscussions", [] {});
}

void JEXPODiscussionsXML::lstDiscussions_Click() {
    trap("lstDiscussions_Click()", [] {});
}

}  // namespace jex

namespace jex {

void JEXPODiscussionsXML::DisplayDiscussionsView(const std::string&) {}
std::string JEXPODiscussionsXML::DiscussionGroupDescription(int16_t) { return {}; }
std::string JEXPODiscussionsXML::DiscussionTypeDescription(int16_t) { return {}; }
ui::ListItemRef JEXPODiscussionsXML::addIssueRow(ui::ListView&) { return {}; }
void JEXPODiscussionsXML::lstDiscussions_KeyUp(int, int) {}
void JEXPODiscussionsXML::lstDiscussions_ColumnClick(int) {}

}  // namespace jex
