#include "control/jex_po_discussions_xml.h"

namespace jex {

void JEXPODiscussionsXML::cmdAddComment_Click() {}
void JEXPODiscussionsXML::cmdCancelComment_Click() {}
void JEXPODiscussionsXML::cmdDeleteComment_Click() {}
void JEXPODiscussionsXML::txtCommentDescription_KeyPress(int&) {}
std::string JEXPODiscussionsXML::NewCommentSequence() { return {}; }
void JEXPODiscussionsXML::lstComments_MouseDown(int, int, double, double) {}
void JEXPODiscussionsXML::lstComments_MouseMove(int, int, double, double) {}
void JEXPODiscussionsXML::lstDiscussions_DragOver(ui::Widget&, double, double, int) {}
void JEXPODiscussionsXML::lstDiscussions_DragDrop(ui::Widget&, double, double) {}

}  // namespace jex
