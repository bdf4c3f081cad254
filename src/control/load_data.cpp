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
            DiscussionDocument = std::make_unique<XmlDocument>();
            // Encoded as the save's fields are: an order identifier may hold blanks, "&" or "#".
            DiscussionDocument->load(ServerName +
                                     "/PODiscussion.asp?OrderID=" + urlEncode(OrderID));
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

}  // namespace jex
