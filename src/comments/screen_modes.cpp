#include "control/jex_po_discussions_xml.h"

namespace jex {

void JEXPODiscussionsXML::SetTabIndex(bool secondTabWanted) {
    trap("SetTabIndex", [&] {
        tabPODiscussion.clear();
        tabPODiscussion.add("Discussion Issues");
        if (secondTabWanted) tabPODiscussion.add("Discussion Comments");
    });
}

// The start state of the screen after a reload: not built yet, only called.
void JEXPODiscussionsXML::ReinititateControls() {
    trap("ReinititateControls", [] {});
}

}  // namespace jex

namespace jex {

void JEXPODiscussionsXML::tabPODiscussion_Click() {}

}  // namespace jex
