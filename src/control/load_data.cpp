#include "control/jex_po_discussions_xml.h"

namespace jex {

void JEXPODiscussionsXML::LoadData(const std::string& ptServerName, const std::string& ptOrderID) {
    trap(
        "LoadData",
        [&] {
            setMousePointer(MousePointer::Default);
            setMousePointer(MousePointer::Hourglass);
            ServerName = ptServerName;
            OrderID = ptOrderID;
            ++m_loads;
            DiscussionDocument = std::make_unique<XmlDocument>();
            DiscussionDocument->load(discussionAddress());
            DiscussionTypes();
            DiscussionGroups();
            DiscussionPriorities();
            CommentTypes();
            LetDiscussions();
            LetComments();
            setMousePointer(MousePointer::Default);
        },
        [&] { setMousePointer(MousePointer::Default); });
}

// Encoded as the save's fields are: an order identifier may hold blanks, "&" or "#".
std::string JEXPODiscussionsXML::discussionAddress() {
    return ServerName + "/PODiscussion.asp?OrderID=" + urlEncode(OrderID);
}

}  // namespace jex
