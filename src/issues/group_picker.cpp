#include "control/jex_po_discussions_xml.h"

namespace jex {
namespace {

// The follow-up delay in days of the group with that description; 0 when no group has it.
// Raises Type mismatch (13) or Overflow (6) for a delay that is not a 16-bit number.
int16_t followUpDelay(const LookupList& groups, const std::string& description) {
    for (const LookupEntry& group : groups) {
        if (group[1] == description) return Value(group[2]).toInteger();
    }
    return 0;
}

}  // namespace

// A chosen group narrows the types to its own, none of them chosen yet, and proposes a
// follow-up date for an issue being added; an existing issue keeps its date.
void JEXPODiscussionsXML::cboDiscussionGroup_Click() {
    trap("cboDiscussionGroup_Click()", [&] {
        DisplayDiscussionTypes();
        cboDiscussionType.setListIndex(-1);
        const int16_t delay = followUpDelay(DiscussionGroupList, cboDiscussionGroup.text());
        const DateTime proposed = addDays(dateOnly(m_services.clock.now()), delay);
        if (!IsNewIssue) return;

        const std::string followUp = formatDate(proposed, DatePattern::Date);
        txtFollowUp.setText(followUp);
        DTPckrFollowUpDate.setValueFromText(followUp);
    });
}

}  // namespace jex
