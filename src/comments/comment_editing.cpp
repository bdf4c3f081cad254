#include <initializer_list>
#include <string>
#include <string_view>

#include "comments/comment_fields.h"
#include "comments/find_comment.h"
#include "control/captions.h"
#include "control/field_appearance.h"
#include "control/follow_up_choice.h"
#include "control/jex_po_discussions_xml.h"
#include "control/list_selection.h"
#include "control/validation_message.h"
#include "data/comment_schema.h"
#include "data/date_cell.h"
#include "data/row_writer.h"
#include "data/sequence.h"
#include "platform/int16.h"
#include "platform/text.h"

// Adding, editing and deleting the comments of the selected issue. The captions of the two
// comment buttons tell what the screen is doing (browsing, or writing a comment); every change
// goes into the list row and the table row together, and the table row is marked for the next
// save.
namespace jex {
namespace {

// True when the user answers Yes, the default, to deleting the selected comment.
bool confirmDelete(MessageBoxService& box) {
    return box.show({.text = "Do you want to delete the selected comment?",
                     .buttons = MsgButtons::YesNo,
                     .icon = MsgIcon::Question,
                     .title = kInformationValidation,
                     .defaultButton = 1}) == MsgResult::Yes;
}

// Into writing a comment: the buttons turn into Save and Cancel and the focus boxes open.
void openCommentWork(DiscussionScreen& s) {
    s.cmdAddComment.setCaption(comment_caption::Save);
    s.cmdCancelComment.setCaption(comment_caption::Cancel);
    s.cmdDeleteComment.setEnabled(false);
    for (ui::CheckBox* box : editingFields(s).focusBoxes()) box->setEnabled(true);
}

// While a comment is written, no other comment or issue may be chosen or changed.
void lockLists(DiscussionScreen& s) {
    for (ui::Widget* widget : std::initializer_list<ui::Widget*>{
             &s.lstComments, &s.lstDiscussions, &s.cmdAddDiscussion, &s.cmdEditDiscussion,
             &s.cmdDeleteDiscussion, &s.cmdCloseDiscussion}) {
        widget->setEnabled(false);
    }
}

// Back to browsing comments; the fields keep what they show.
void closeCommentWork(DiscussionScreen& s) {
    s.cmdAddComment.setCaption(comment_caption::AddComment);
    s.cmdCancelComment.setCaption(comment_caption::Edit);
    for (ui::TextBox* box : {&s.txtCommentDescription, &s.txtCSCFollowUp, &s.txtCenterFollowUp})
        showReadOnly(*box);
    for (ui::CheckBox* box : editingFields(s).focusBoxes()) box->setEnabled(false);
    s.cboCommentType.setVisible(false);
    s.lstComments.setEnabled(true);
}

// Of the issue commands only Add Issue returns; the others follow the next issue click.
void releaseIssues(DiscussionScreen& s) {
    s.lstDiscussions.setEnabled(true);
    s.cmdAddDiscussion.setEnabled(true);
}

// Ready for a new comment on the selected issue: nothing typed, no type chosen, no focus
// ticked, the follow-ups proposed and read-only.
void openNewComment(DiscussionScreen& s, const std::string& followUp) {
    openCommentWork(s);
    s.cmdCancelComment.setEnabled(true);
    for (ui::CheckBox* box : editingFields(s).focusBoxes()) box->setValue(0);
    lockLists(s);
    openForTyping(s.txtCommentDescription);
    s.txtCommentDescription.setText("");
    s.cboCommentType.setListIndex(-1);
    s.cboCommentType.setVisible(true);
    s.txtCenterFollowUp.setText(followUp);
    s.txtCSCFollowUp.setText(followUp);
    s.cboCommentType.setFocus();
}

// A corporate user owns the CSC follow-up and the type, a center user the center follow-up;
// only a comment not sent yet may have its description rewritten.
void openCommentEdit(DiscussionScreen& s, bool corporate, bool unsent) {
    openCommentWork(s);
    if (corporate) {
        openForTyping(s.txtCSCFollowUp);
        s.cboCommentType.setVisible(true);
        s.cboCommentType.setFocus();
    } else {
        openForTyping(s.txtCenterFollowUp);
        s.txtCenterFollowUp.setFocus();
    }
    if (unsent) {
        openForTyping(s.txtCommentDescription);
        s.cboCommentType.setVisible(true);
        s.cboCommentType.setFocus();
    }
    lockLists(s);
}

// The fields start from the comment's row. The list hides follow-ups that are no dates, so
// they are taken from the table row when there is one, and saving keeps them.
void loadCommentForEdit(DiscussionScreen& s, const ui::ListItem& row, RecordTable& table) {
    showComment(row, editingFields(s));
    s.cboCommentType.setText(row.column(comment_row::Type));
    if (!findComment(table, row.column(comment_row::Sequence))) return;
    s.txtCenterFollowUp.setText(table.field(comment_field::FollowupCenter).textOrEmpty());
    s.txtCSCFollowUp.setText(table.field(comment_field::FollowupCSC).textOrEmpty());
}

// The focus flags and follow-ups, in the order of the row's columns.
void writeFocus(RowWriter& write, const DiscussionScreen& s) {
    // An empty follow-up is stored as null; the cell shows what a redraw of the list would.
    const auto followUp = [&](int column, const ui::TextBox& box) {
        write.nullable(column, box.text(), dateCell(Value(box.text())));
    };
    write.flag(comment_row::CenterFocus, s.chkCenterFocus.value() == 1);
    followUp(comment_row::CenterFollowUp, s.txtCenterFollowUp);
    write.flag(comment_row::PurchasingFocus, s.chkCorporateFocus.value() == 1);
    followUp(comment_row::CscFollowUp, s.txtCSCFollowUp);
    write.flag(comment_row::AccountingFocus, s.chkVendorFocus.value() == 1);
    write.flag(comment_row::BillingFocus, s.chkBillingFocus.value() == 1);
    write.flag(comment_row::JexdFocus, s.chkJEXDFocus.value() == 1);
}

// The type first, then the description; the first one missing is named and gets the focus.
bool isCommentComplete(DiscussionScreen& s, MessageBoxService& box) {
    if (s.cboCommentType.listIndex() == -1) {
        refuse(box, s.cboCommentType, "The comment Type is required", kInformationRequired);
        return false;
    }
    if (trimBlanks(s.txtCommentDescription.text()).empty()) {
        refuse(box, s.txtCommentDescription, "The comment description is required",
               kInformationRequired);
        return false;
    }
    return true;
}

}  // namespace

void JEXPODiscussionsXML::cmdAddComment_Click() {
    trap("cmdAddComment_Click()", [&] {
        if (cmdAddComment.caption() == comment_caption::AddComment) {
            IsNewComment = true;
            if (SelectedIssueSequence.empty()) {
                m_services.messageBox.show(
                    {.text = "Before adding a comment you need to select a discussion issue",
                     .buttons = MsgButtons::OK,
                     .icon = MsgIcon::Information,
                     .title = kInformationValidation});
                return;
            }
            // Proposed from the issue's group; only an edit may change it later.
            const DateTime followUp = proposedFollowUp(
                DiscussionGroupList, txtDiscussionGroup.text(), m_services.clock.now());
            openNewComment(screen(), formatDate(followUp, DatePattern::Date));
            return;
        }

        if (!isCommentComplete(screen(), m_services.messageBox)) return;
        txtCommentType.setText(cboCommentType.text());
        closeCommentWork(screen());

        RecordTable& table = *CommentTable;
        ui::ListItemRef row;
        // Numbered first: when the numbers run out nothing of the comment is written.
        const std::string sequence = IsNewComment ? NewCommentSequence() : std::string();
        if (IsNewComment) {
            row = lstComments.add(txtCommentDescription.text());
            table.addNew();
        } else {
            row = lstComments.selectedItem();
            if (!row) raiseRuntime(err::ObjectNotSet);
            if (!findComment(table, row->column(comment_row::Sequence))) {
                // Nothing stands behind the row to write to: browse on as before.
                releaseIssues(screen());
                lstComments_Click();
                return;
            }
        }

        RowWriter write(*row, table, kCommentColumns);
        const auto timeStamp = [&] {
            return formatDate(m_services.clock.now(), DatePattern::TimeStamp);
        };
        if (IsNewComment) {
            write.text(comment_row::EnteredBy, CurrentUserName);
            table.setField(comment_field::CommentEnteredByPersonID, Value(CurrentPersonID));
            table.setField(comment_field::CommentEnteredByPersonType, Value(CurrentPersonType));
            write.text(comment_row::Sequence, sequence);
            write.text(comment_row::Owner, SelectedIssueSequence);
            write.text(comment_row::EnteredDate, timeStamp());
        }
        // The type is kept as the picker's position.
        write.code(comment_row::Type, cboCommentType.text(), toInt16(cboCommentType.listIndex()));
        write.text(comment_row::Description, std::string(trimBlanks(txtCommentDescription.text())));

        const std::string updated = timeStamp();
        // A comment not sent yet is dated by its last change.
        if (!IsNewComment && isNewSequence(row->column(comment_row::Sequence)))
            write.text(comment_row::EnteredDate, updated);
        write.text(comment_row::LastUpdated, updated);

        writeFocus(write, screen());
        table.setField(comment_field::IsUpdated, Value(true));
        table.update();

        lstComments.setSelectedItem(row);
        releaseIssues(screen());
        lstComments_Click();
    });
}

void JEXPODiscussionsXML::cmdCancelComment_Click() {
    trap("cmdCancelComment_Click()", [&] {
        if (cmdCancelComment.caption() == comment_caption::Edit) {
            // Nothing to edit: entering the mode would leave a screen with nothing to save.
            if (!lstComments.selectedItem()) return;
            IsNewComment = false;
            openCommentEdit(screen(), CorporateLevel, isNewSequence(SelectedCommentSequence));
            loadCommentForEdit(screen(), lstComments.requireSelected(), *CommentTable);
            return;
        }

        cmdDeleteComment.setEnabled(false);
        closeCommentWork(screen());
        for (ui::TextBox* box : {&txtCommentDescription, &txtCSCFollowUp, &txtCenterFollowUp})
            box->setText("");
        releaseIssues(screen());
        // With no comment left to show, Edit would have nothing to work on.
        if (lstComments.count() == 0) cmdCancelComment.setEnabled(false);
        lstComments_Click();
        lstComments.setFocus();
    });
}

void JEXPODiscussionsXML::cmdDeleteComment_Click() {
    trap("cmdDeleteComment_Click()", [&] {
        const ui::ListItemRef row = lstComments.selectedItem();
        if (!row) raiseRuntime(err::ObjectNotSet);
        RecordTable& table = *CommentTable;
        if (!findComment(table, row->column(comment_row::Sequence))) return;
        if (!confirmDelete(m_services.messageBox)) return;

        table.deleteCurrent();
        const int position = row->index();
        lstComments.remove(row);
        cmdDeleteComment.setEnabled(false);
        cmdCancelComment.setEnabled(false);
        for (ui::TextBox* box :
             {&txtCommentType, &txtCommentDescription, &txtCenterFollowUp, &txtCSCFollowUp}) {
            box->setText("");
        }
        if (lstComments.count() == 0) {
            for (ui::CheckBox* box : editingFields(screen()).focusBoxes()) box->setValue(0);
            return;
        }
        // Without a selection the click would leave the deleted comment's flags ticked.
        selectRowAt(lstComments, position);
        lstComments_Click();
    });
}

// A comment is one paragraph: Enter never reaches the box.
void JEXPODiscussionsXML::txtCommentDescription_KeyPress(int& keyAscii) {
    if (keyAscii == ui::kKeyReturn) keyAscii = 0;
}

std::string JEXPODiscussionsXML::NewCommentSequence() {
    std::string sequence = padSequence(std::to_string(NextCommentSequence)) + "N";
    NextCommentSequence = add16(NextCommentSequence, 1);
    return sequence;
}

}  // namespace jex
