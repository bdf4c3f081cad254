#include "control/jex_po_discussions_xml.h"

// Comment editing: not built yet. The Edit/Cancel command exists so that the lists'
// double-clicks already reach it.
namespace jex {

void JEXPODiscussionsXML::cmdCancelComment_Click() {
    trap("cmdCancelComment_Click()", [] {});
}

}  // namespace jex
