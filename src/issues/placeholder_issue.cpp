#include <algorithm>

#include "control/jex_po_discussions_xml.h"
#include "data/issue_schema.h"
#include "data/row_writer.h"
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

        RowWriter write(*row, table, kIssueColumns);

        const std::string type = placeholderType(DiscussionTypeList);
        write.code(issue_row::Type, type, TypeIndex(type, true));
        write.cell(issue_row::Status, "Closed");
        // The last priority of the document.
        const std::string priority = mnuPriority.item(mnuPriority.upperBound()).caption;
        write.code(issue_row::Priority, priority, PriorityIndex(priority));
        write.text(issue_row::EnteredBy, CurrentUserName);

        const std::string entered = formatDate(m_services.clock.now(), DatePattern::TimeStamp);
        write.text(issue_row::EnteredDate, entered);
        write.text(issue_row::ResolvedBy, CurrentUserName);
        write.text(issue_row::ResolvedDate, entered);
        write.text(issue_row::Description, kPlaceholderDescription);
        write.text(issue_row::Resolution, kPlaceholderResolution);

        write.text(issue_row::Sequence, NewIssueSequence());
        write.text(issue_row::LastUpdated,
                   formatDate(m_services.clock.now(), DatePattern::TimeStamp));

        const DateTime followUp = addDays(dateOnly(m_services.clock.now()), kFollowUpDays);
        txtFollowUp.setText(formatDate(followUp, DatePattern::TimeStamp));
        write.nullable(issue_row::FollowUp, txtFollowUp.text(), txtFollowUp.text());
        table.setField(issue_field::IsUpdated, Value(true));
    });
}

std::string JEXPODiscussionsXML::NewIssueSequence() {
    std::string sequence = padSequence(std::to_string(NextIssueSequence)) + "N";
    NextIssueSequence = add16(NextIssueSequence, 1);
    return sequence;
}

}  // namespace jex
