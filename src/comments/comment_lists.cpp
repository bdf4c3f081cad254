#include "comments/comment_fields.h"
#include "control/header_sort.h"
#include "control/jex_po_discussions_xml.h"
#include "control/work_under_way.h"
#include "data/comment_schema.h"
#include "data/date_cell.h"
#include "data/issue_schema.h"
#include "data/sequence.h"

namespace jex {
namespace {

bool isArrowUpOrDown(int keyCode) { return keyCode == ui::kKeyUp || keyCode == ui::kKeyDown; }

}  // namespace

// The type is looked up first, so that a code outside the picker (Invalid property value, 380)
// leaves no half-filled row behind.
ui::ListItemRef JEXPODiscussionsXML::addCommentRow(ui::ListView& list) {
    const RecordTable& table = *CommentTable;
    const std::string typeDescription =
        cboCommentType.list(table.field(comment_field::Type).toInteger());
    const std::string cells[] = {
        table.field(comment_field::CommentEnteredBy).toText(),
        dateCell(table.field(comment_field::CommentDate)),
        typeDescription,
        table.field(comment_field::DiscussionCommentSequence).toText(),
        table.field(comment_field::DiscussionSequence).toText(),
        table.field(comment_field::RecordLastUpdated).toText(),
        table.field(comment_field::FocusCenter).toText(),
        dateCell(table.field(comment_field::FollowupCenter)),
        table.field(comment_field::FocusPurchasing).toText(),
        dateCell(table.field(comment_field::FollowupCSC)),
        table.field(comment_field::FocusAccounting).toText(),
        table.field(comment_field::FocusBilling).toText(),
        table.field(comment_field::FocusJEXD).toText(),
    };
    ui::ListItemRef row = list.add(table.field(comment_field::CommentDescription).toText());
    for (int k = 1; const std::string& cell : cells) row->setSubItem(k++, cell);
    return row;
}

void JEXPODiscussionsXML::DisplayComments() {
    trap("DisplayComments", [&] {
        lstComments.clear();
        SelectedIssueSequence = lstDiscussions.requireSelected().column(issue_row::Sequence);
        RecordTable& table = *CommentTable;
        // Without any comment the fields keep what they showed.
        if (table.recordCount() == 0) return;

        bool added = false;
        for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
            if (table.field(comment_field::DiscussionSequence).toText() != SelectedIssueSequence)
                continue;
            addCommentRow(lstComments);
            added = true;
        }
        if (added) {
            lstComments.setSelectedItem(lstComments.item(1));
            lstComments.setSortKey(comment_row::Sequence);
            lstComments_Click();
            return;
        }
        clearComment(editingFields(screen()));
        cmdDeleteComment.setEnabled(false);
        cmdCancelComment.setEnabled(false);
    });
}

void JEXPODiscussionsXML::DisplayCommentsViews(const std::string& commentSequence) {
    trap("DisplayCommentsViews", [&] {
        lstCommentsView.clear();
        lstDiscussionsView.clear();
        RecordTable& table = *CommentTable;
        if (!table.isOpen()) table.open();
        if (table.recordCount() == 0) return;

        for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
            const ui::ListItemRef row = addCommentRow(lstCommentsView);
            if (row->column(comment_row::Sequence) == commentSequence)
                lstCommentsView.setSelectedItem(row);
        }
        lstCommentsView.setSortKey(comment_row::Sequence);
        lstCommentsView_Click();
    });
}

void JEXPODiscussionsXML::lstComments_Click() {
    trap("lstComments_Click()", [&] {
        const ui::ListItemRef row = lstComments.selectedItem();
        if (!row) return;
        // While an issue or a comment is worked on, the fields and the commands belong to
        // that work.
        if (workUnderWay(screen())) return;

        showComment(*row, editingFields(screen()));
        SelectedCommentSequence = row->column(comment_row::Sequence);
        // Only a comment not stored yet may be deleted; a stored one may still be edited
        // unless changes are withheld.
        if (isNewSequence(SelectedCommentSequence)) {
            cmdDeleteComment.setEnabled(true);
            cmdCancelComment.setEnabled(true);
        } else {
            cmdDeleteComment.setEnabled(false);
            cmdCancelComment.setEnabled(!inViewMode());
        }
        if (!inViewMode()) cmdAddComment.setEnabled(true);
    });
}

void JEXPODiscussionsXML::lstComments_KeyUp(int keyCode, int) {
    if (isArrowUpOrDown(keyCode)) lstComments_Click();
}

// A double-click edits the comment as the Edit button would, but only when the user may: in
// View Mode a stored comment's editing would open a screen whose Save stays disabled.
void JEXPODiscussionsXML::lstComments_DblClick() {
    if (lstComments.count() >= 1 && cmdCancelComment.enabled()) cmdCancelComment_Click();
}

void JEXPODiscussionsXML::lstCommentsView_Click() {
    trap("lstCommentsView_Click()", [&] {
        const ui::ListItemRef row = lstCommentsView.selectedItem();
        if (!row) return;
        showComment(*row, viewFields(screen()));
        DisplayDiscussionsView(row->column(comment_row::Owner));
    });
}

void JEXPODiscussionsXML::lstCommentsView_KeyUp(int keyCode, int) {
    if (isArrowUpOrDown(keyCode)) lstCommentsView_Click();
}

void JEXPODiscussionsXML::lstCommentsView_DblClick() {
    if (lstComments.count() < 1) return;
    // Back on the first tab the same issue and comment are selected, ready for editing; work
    // left open there is found as it was, not cancelled.
    const bool workWasOpen = workUnderWay(screen());
    tabPODiscussion.select(1);
    if (!workWasOpen && cmdCancelComment.enabled()) cmdCancelComment_Click();
}

void JEXPODiscussionsXML::lstCommentsView_ColumnClick(int position) {
    trap("lstCommentsView_ColumnClick()", [&] { sortByHeader(lstCommentsView, position); });
}

}  // namespace jex
