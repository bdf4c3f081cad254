#include "control/jex_po_discussions_xml.h"

// The vocabulary loaders. For now each takes its section of the document, so that a document
// without it is reported under the loader's name; filling the lists and pickers comes with
// the display work.
namespace jex {

void JEXPODiscussionsXML::DiscussionTypes() {
    trap("DiscussionTypes", [&] { section(0); });
}

void JEXPODiscussionsXML::DiscussionGroups() {
    trap("DiscussionGroups", [&] { section(1); });
}

void JEXPODiscussionsXML::DiscussionPriorities() {
    trap("DiscussionPriorities", [&] { section(2); });
}

void JEXPODiscussionsXML::CommentTypes() {
    trap("CommentTypes", [&] { section(3); });
}

}  // namespace jex

namespace jex {

void JEXPODiscussionsXML::DisplayDiscussionTypes() {}
int16_t JEXPODiscussionsXML::GroupIndex(const std::string&) { return 0; }
int16_t JEXPODiscussionsXML::TypeIndex(const std::string&, bool) { return 0; }
int16_t JEXPODiscussionsXML::PriorityIndex(const std::string&) { return 0; }

}  // namespace jex
