#include "control/jex_po_discussions_xml.h"

// Drawing of the comment lists: not built yet, only called.
namespace jex {

void JEXPODiscussionsXML::DisplayComments() {
    trap("DisplayComments", [] {});
}

}  // namespace jex
