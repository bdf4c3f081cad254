#include "control/jex_po_discussions_xml.h"

namespace jex {

void JEXPODiscussionsXML::cboDiscussionGroup_Click() {}

}  // namespace jex
