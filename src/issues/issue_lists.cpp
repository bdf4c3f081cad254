#include "control/follow_up_choice.h"
#include "control/header_sort.h"
#include "control/jex_po_discussions_xml.h"
#include "control/work_under_way.h"
#include "data/date_cell.h"
#include "data/issue_schema.h"
#include "data/sequence.h"

// The issue lists: the full list of the first tab, the one-issue list of the read-only tab, and
// the selection handling that brings the screen into the state for the selected issue.
namespace jex {
namespace {

// An issue without a resolution text is still open.
std::string statusCell(const Value& resolution) {
    return resolution.textOrEmpty().empty() ? "Open" : "Close";
}

// The first entry whose code (column 0) has the value `code`; raises Invalid procedure call or
// argument (5) when none has, Type mismatch (13) for a code that is not a number.
const LookupEntry& entryWithCode(const LookupList& list, double code) {
    for (const LookupEntry& entry : list) {
        if (Value(entry[0]).toDouble() == code) return entry;
    }
    raiseRuntime(err::InvalidProcedureCall);
}

// Only issues made since the load may be edited in full or deleted, never the placeholder
// (000N).
bool isEditableIssue(const std::string& sequence) {
    return isNewSequence(sequence) && sequenceNumber(std::string_view(sequence)) != 0;
}

}  // namespace

std::string JEXPODiscussionsXML::DiscussionTypeDescription(int16_t typeCode) {
    std::string description;
    trap("DiscussionTypeDescription",
         [&] { description = entryWithCode(DiscussionTypeList, typeCode)[1]; });
    return description;
}

std::string JEXPODiscussionsXML::DiscussionGroupDescription(int16_t typeCode) {
    const LookupEntry& type = entryWithCode(DiscussionTypeList, typeCode);
    const std::string description =
        entryWithCode(DiscussionGroupList, Value(type[2]).toDouble())[1];
    // While an issue is added or edited the picker holds the user's choice: a list filled
    // meanwhile (the second tab's) must not change the group, and with it the types and the
    // proposed follow-up date.
    if (!issueWorkUnderWay(screen())) cboDiscussionGroup.setText(description);
    return description;
}

ui::ListItemRef JEXPODiscussionsXML::addIssueRow(ui::ListView& list) {
    const RecordTable& table = *DiscussionTable;
    const int16_t type = table.field(issue_field::Type).toInteger();
    const ui::ListItemRef row = list.add(DiscussionGroupDescription(type));
    row->setSubItem(issue_row::Type, DiscussionTypeDescription(type));
    row->setSubItem(issue_row::Status, statusCell(table.field(issue_field::Resolution)));
    row->setSubItem(issue_row::Priority,
                    mnuPriority.item(table.field(issue_field::Priority).toInteger()).caption);
    row->setSubItem(issue_row::EnteredBy, table.field(issue_field::EnteredBy).textOrEmpty());
    row->setSubItem(issue_row::EnteredDate, dateCell(table.field(issue_field::IssueDate)));
    row->setSubItem(issue_row::ResolvedBy, table.field(issue_field::ResolvedBy).textOrEmpty());
    row->setSubItem(issue_row::ResolvedDate, dateCell(table.field(issue_field::ResolvedDate)));
    row->setSubItem(issue_row::Description,
                    table.field(issue_field::IssueDescription).textOrEmpty());
    row->setSubItem(issue_row::Resolution, table.field(issue_field::Resolution).textOrEmpty());
    row->setSubItem(issue_row::Sequence, table.field(issue_field::IssueSequence).textOrEmpty());
    row->setSubItem(issue_row::LastUpdated,
                    table.field(issue_field::RecordLastUpdated).textOrEmpty());
    row->setSubItem(issue_row::FollowUp, table.field(issue_field::IssueFollowUp).textOrEmpty());
    return row;
}

void JEXPODiscussionsXML::DisplayDiscussions() {
    trap("DisplayDiscussions", [&] {
        lstDiscussions.clear();
        RecordTable& table = *DiscussionTable;
        for (table.moveFirst(); !table.atEnd(); table.moveNext()) addIssueRow(lstDiscussions);
        lstDiscussions.setSelectedItem(lstDiscussions.item(1));
        lstDiscussions.setSortKey(issue_row::Sequence);
    });
}

void JEXPODiscussionsXML::DisplayDiscussionsView(const std::string& issueSequence) {
    trap("DisplayDiscussionsView", [&] {
        lstDiscussionsView.clear();
        for (ui::TextBox* box :
             {&txtDiscussionGroupView, &txtDiscussionView, &txtDiscussionDescriptionView,
              &txtDiscussionResolutionView, &txtFollowUpView}) {
            box->setText("");
        }
        RecordTable& table = *DiscussionTable;
        table.moveFirst();
        while (!table.atEnd() &&
               table.field(issue_field::IssueSequence).textOrEmpty() != issueSequence) {
            table.moveNext();
        }
        if (table.atEnd()) return;

        const ui::ListItemRef row = addIssueRow(lstDiscussionsView);
        txtDiscussionGroupView.setText(row->column(issue_row::Group));
        txtDiscussionView.setText(row->column(issue_row::Type));
        txtDiscussionDescriptionView.setText(
            table.field(issue_field::IssueDescription).textOrEmpty());
        txtDiscussionResolutionView.setText(table.field(issue_field::Resolution).textOrEmpty());
        txtFollowUpView.setText(row->column(issue_row::FollowUp));
    });
}

void JEXPODiscussionsXML::lstDiscussions_Click() {
    trap("lstDiscussions_Click()", [&] {
        const ui::ListItemRef row = lstDiscussions.selectedItem();
        if (!row) return;
        // While an issue or a comment is worked on, the fields and the commands belong to
        // that work.
        if (workUnderWay(screen())) return;

        txtDiscussionGroup.setText(row->column(issue_row::Group));
        txtDiscussion.setText(row->column(issue_row::Type));
        txtDiscussionDescription.setText(row->column(issue_row::Description));
        txtDiscussionResolution.setText(row->column(issue_row::Resolution));
        txtFollowUp.setText(row->column(issue_row::FollowUp));
        DisplayComments();

        const bool editable = isEditableIssue(SelectedIssueSequence);
        cmdEditDiscussion.setEnabled(editable);
        cmdDeleteDiscussion.setEnabled(editable);
        if (inViewMode()) return;

        // The "Center" group's issues, and every issue for a corporate user, may be resolved
        // and edited; anyone may add.
        cmdAddDiscussion.setEnabled(true);
        cmdAddComment.setEnabled(true);
        if (txtDiscussionGroup.text() == kCenterGroup || CorporateLevel) {
            cmdCloseDiscussion.setEnabled(true);
            cmdEditDiscussion.setEnabled(true);
        } else {
            cmdCloseDiscussion.setEnabled(false);
        }
        if (lstComments.count() >= 1) cmdCancelComment.setEnabled(true);
    });
}

void JEXPODiscussionsXML::lstDiscussions_KeyUp(int keyCode, int) {
    if (keyCode == ui::kKeyUp || keyCode == ui::kKeyDown) lstDiscussions_Click();
}

void JEXPODiscussionsXML::lstDiscussions_ColumnClick(int position) {
    trap("lstDiscussions_ColumnClick()", [&] { sortByHeader(lstDiscussions, position); });
}

}  // namespace jex
