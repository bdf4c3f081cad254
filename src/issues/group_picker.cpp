#include "control/follow_up_choice.h"
#include "control/jex_po_discussions_xml.h"
#include "platform/text.h"

namespace jex {

// A chosen group narrows the types to its own, none of them chosen yet, and proposes a
// follow-up date for an issue being added; an existing issue keeps its date.
void JEXPODiscussionsXML::cboDiscussionGroup_Click() {
    trap("cboDiscussionGroup_Click()", [&] {
        DisplayDiscussionTypes();
        cboDiscussionType.setListIndex(-1);
        const DateTime now = m_services.clock.now();
        const DateTime proposed =
            proposedFollowUp(DiscussionGroupList, cboDiscussionGroup.text(), now);
        if (!IsNewIssue) return;
        showFollowUp(screen(), proposed, now);
    });
}

// Leaving the picker settles whether the follow-up date may be chosen for the group now shown.
void JEXPODiscussionsXML::cboDiscussionGroup_LostFocus() {
    trap("cboDiscussionGroup_LostFocus", [&] {
        allowFollowUpChoice(
            screen(), mayChooseFollowUp(trimBlanks(cboDiscussionGroup.text()), CorporateLevel));
        setPickerFromText(DTPckrFollowUpDate, txtFollowUp.text(), m_services.clock.now());
    });
}

}  // namespace jex
