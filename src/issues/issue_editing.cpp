#include "control/jex_po_discussions_xml.h"

namespace jex {

void JEXPODiscussionsXML::cmdAddDiscussion_Click() {}
void JEXPODiscussionsXML::cmdEditDiscussion_Click() {}
void JEXPODiscussionsXML::cmdCloseDiscussion_Click() {}
void JEXPODiscussionsXML::cmdCancelResolution_Click() {}
void JEXPODiscussionsXML::cmdDeleteDiscussion_Click() {}
void JEXPODiscussionsXML::txtDiscussionDescription_KeyPress(int&) {}
void JEXPODiscussionsXML::txtDiscussionResolution_KeyPress(int&) {}
void JEXPODiscussionsXML::cboDiscussionGroup_LostFocus() {}
void JEXPODiscussionsXML::lstDiscussions_MouseUp(int, int, double, double) {}
void JEXPODiscussionsXML::mnuPriorityMenu_Click(int) {}

}  // namespace jex
