#include <algorithm>

#include "control/jex_po_discussions_xml.h"
#include "data/sequence.h"
#include "platform/int16.h"

// The placeholder issue of an order without issues: resolved from the start, so that order
// comments that are no problem have an issue to belong to, and marked for saving at once.
namespace jex {
namespace {

constexpr const char* kPlaceholderDescription = "Miscellaneous order comments (not a problem)";
constexpr const char* kPlaceholderResolution =
    "This is a placeholder issue for non-problem order comments (and therefore doesn't need to "
    "be resolved)";
constexpr int kPlaceholderGroupEntry = 3;
constexpr int kFollowUpDays = 14;

// The fourth group of the picker; with fewer groups the last one, and "" without any.
std::string placeholderGroup(const ui::ComboBox& groups) {
    if (groups.listCount() == 0) return {};
    return groups.list(std::min(kPlaceholderGroupEntry, groups.listCount() - 1));
}

// The description of the type with code 0; without one the first type, and "" without any.
// Raises Type mismatch (13) for a code that is not a number.
std::string placeholderType(const LookupList& types) {
    for (const LookupEntry& type : types) {
        if (Value(type[0]).toDouble() == 0) return type[1];
    }
    return types.empty() ? std::string() : types.front()[1];
}

}  // namespace

void JEXPODiscussionsXML::SetDefaultIssue() {
    trap("SetDefaultIssue", [&] {
        const ui::ListItemRef row = lstDiscussions.add(placeholderGroup(cboDiscussionGroup));
        RecordTable& table = *DiscussionTable;
        table.addNew();

        const std::string type = placeholderType(DiscussionTypeList);
        row->setSubItem(1, type);
        table.setField("Type", Value(TypeIndex(type, true)));
        row->setSubItem(2, "Closed");
        // The last priority of the document.
        const std::string priority = mnuPriority.item(mnuPriority.upperBound()).caption;
        row->setSubItem(3, priority);
        table.setField("Priority", Value(PriorityIndex(priority)));
        row->setSubItem(4, CurrentUserName);
        table.setField("EnteredBy", Value(CurrentUserName));

        const std::string entered = formatDate(m_services.clock.now(), DatePattern::TimeStamp);
        row->setSubItem(5, entered);
        table.setField("IssueDate", Value(entered));
        row->setSubItem(6, CurrentUserName);
        table.setField("ResolvedBy", Value(CurrentUserName));
        row->setSubItem(7, entered);
        table.setField("ResolvedDate", Value(entered));
        row->setSubItem(8, kPlaceholderDescription);
        table.setField("IssueDescription", Value(kPlaceholderDescription));
        row->setSubItem(9, kPlaceholderResolution);
        table.setField("Resolution", Value(kPlaceholderResolution));

        const std::string sequence = NewIssueSequence();
        row->setSubItem(10, sequence);
        table.setField("IssueSequence", Value(sequence));
        const std::string updated = formatDate(m_services.clock.now(), DatePattern::TimeStamp);
        row->setSubItem(11, updated);
        table.setField("RecordLastUpdated", Value(updated));

        const DateTime followUp = addDays(dateOnly(m_services.clock.now()), kFollowUpDays);
        txtFollowUp.setText(formatDate(followUp, DatePattern::TimeStamp));
        row->setSubItem(12, txtFollowUp.text());
        table.setField("IssueFollowUp", Value(txtFollowUp.text()));
        table.setField("IsUpdated", Value(true));
    });
}

std::string JEXPODiscussionsXML::NewIssueSequence() {
    std::string sequence = padSequence(std::to_string(NextIssueSequence)) + "N";
    NextIssueSequence = add16(NextIssueSequence, 1);
    return sequence;
}

}  // namespace jex
