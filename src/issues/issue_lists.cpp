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
