#include "control/jex_po_discussions_xml.h"

// Drawing of the comment lists: not built yet, only called.
namespace jex {

void JEXPODiscussionsXML::DisplayComments() {
    trap("DisplayComments", [] {});
}

}  // namespace jex

namespace jex {

void JEXPODiscussionsXML::DisplayCommentsViews(const std::string&) {}
ui::ListItemRef JEXPODiscussionsXML::addCommentRow(ui::ListView&) { return {}; }
void JEXPODiscussionsXML::lstComments_Click() {}
void JEXPODiscussionsXML::lstComments_KeyUp(int, int) {}
void JEXPODiscussionsXML::lstComments_DblClick() {}
void JEXPODiscussionsXML::lstCommentsView_Click() {}
void JEXPODiscussionsXML::lstCommentsView_KeyUp(int, int) {}
void JEXPODiscussionsXML::lstCommentsView_DblClick() {}
void JEXPODiscussionsXML::lstCommentsView_ColumnClick(int) {}

}  // namespace jex
