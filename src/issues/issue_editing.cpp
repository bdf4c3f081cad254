#include <initializer_list>

#include "control/captions.h"
#include "control/field_appearance.h"
#include "control/follow_up_choice.h"
#include "control/jex_po_discussions_xml.h"
#include "control/validation_message.h"
#include "data/issue_record.h"
#include "data/issue_schema.h"
#include "data/row_writer.h"
#include "data/sequence.h"
#include "platform/text.h"

// Adding and editing an issue: the commands that open the issue fields, the save that writes
// them into the issue list and the issue table, and the cancel that drops them.
namespace jex {
namespace {

// How much of the selected issue an edit may change.
enum class EditCase {
    None,
    GroupTypeAndFollowUp,  // a corporate user's stored open issue
    FollowUpOnly,          // a stored issue otherwise, of a corporate user or of "Center"
    NewIssue,              // an issue made since the load: group, type and description
};

EditCase editCaseOf(bool stored, bool unresolved, bool center, bool corporate) {
    if (corporate && stored && unresolved) return EditCase::GroupTypeAndFollowUp;
    if ((corporate || center) && stored) return EditCase::FollowUpOnly;
    if (!stored) return EditCase::NewIssue;
    return EditCase::None;
}

// While an issue is added or edited only Save and Cancel are offered; the comments wait.
void enterIssueEditing(DiscussionScreen& s) {
    s.cmdAddDiscussion.setCaption(issue_caption::Save);
    s.cmdEditDiscussion.setEnabled(true);
    s.cmdEditDiscussion.setCaption(issue_caption::Cancel);
    for (ui::Widget* waiting : std::initializer_list<ui::Widget*>{
             &s.cmdDeleteDiscussion, &s.cmdCloseDiscussion, &s.cmdAddComment, &s.cmdCancelComment,
             &s.cmdDeleteComment, &s.lstComments}) {
        waiting->setEnabled(false);
    }
}

void leaveIssueEditing(DiscussionScreen& s) {
    s.cmdAddDiscussion.setCaption(issue_caption::AddIssue);
    s.cmdEditDiscussion.setCaption(issue_caption::Edit);
    s.lstComments.setEnabled(true);
}

void showPickers(DiscussionScreen& s, bool shown) {
    s.cboDiscussionType.setVisible(shown);
    s.cboDiscussionGroup.setVisible(shown);
}

// Selecting the group refills the type picker with that group's types before the type is
// looked up among them.
void loadPickers(DiscussionScreen& s) {
    s.cboDiscussionGroup.setText(s.txtDiscussionGroup.text());
    s.cboDiscussionType.setText(s.txtDiscussion.text());
}

// The checks of a save, in the order the user is told about them. Where the follow-up date may
// be chosen it is taken from the picker here, and the choice closes. Returns false after
// telling the user what is missing; a failing message box raises its Error.
bool checkIssueFields(DiscussionScreen& s, MessageBoxService& box, bool corporate) {
    if (s.cboDiscussionGroup.listIndex() == -1) {
        refuse(box, s.cboDiscussionGroup, "The discussion issue group is required",
               kInformationRequired);
        return false;
    }
    if (s.cboDiscussionType.listIndex() == -1) {
        refuse(box, s.cboDiscussionType, "The discussion issue type is required",
               kInformationRequired);
        return false;
    }
    if (mayChooseFollowUp(s.cboDiscussionGroup.text(), corporate)) {
        s.txtFollowUp.setText(formatDate(s.DTPckrFollowUpDate.value(), DatePattern::Picker));
        if (trimBlanks(s.txtFollowUp.text()).empty()) {
            refuse(box, s.txtFollowUp, "The follow Up date is required.", kInformationRequired);
            return false;
        }
        if (!isDate(s.txtFollowUp.text())) {
            refuse(box, s.txtFollowUp,
                   "The follow Up date must be a valid date format MMM DD, YYYY",
                   kInformationValidation);
            return false;
        }
        allowFollowUpChoice(s, false);
    }
    if (s.txtDiscussionDescription.text().empty()) {
        refuse(box, s.txtDiscussionDescription, "The discussion issue description is required",
               kInformationRequired);
        return false;
    }
    return true;
}

// A new issue gets the second priority of the menu, or the only one there is.
std::string defaultPriority(const ui::PopupMenu& menu) {
    return menu.item(menu.upperBound() >= 2 ? 2 : menu.lowerBound()).caption;
}

// The selected row, shared so that it can be selected again; raises Object variable not set
// (91) when no row is selected.
ui::ListItemRef selectedRow(const ui::ListView& list) {
    list.requireSelected();
    return list.selectedItem();
}

}  // namespace

void JEXPODiscussionsXML::cmdAddDiscussion_Click() {
    trap("cmdAddDiscussion_Click()", [&] {
        RecordTable& issues = *DiscussionTable;
        const auto stamp = [&] {
            return formatDate(m_services.clock.now(), DatePattern::TimeStamp);
        };

        const auto startNewIssue = [&] {
            IsNewIssue = true;
            enterIssueEditing(screen());
            showPickers(screen(), true);
            cboDiscussionType.setListIndex(-1);
            cboDiscussionGroup.setListIndex(-1);
            lstDiscussions.setEnabled(false);
            openForTyping(txtDiscussionDescription);
            txtDiscussionDescription.setText("");
            txtDiscussionResolution.setText("");
            const DateTime now = m_services.clock.now();
            showFollowUp(screen(),
                         proposedFollowUp(DiscussionGroupList, cboDiscussionGroup.text(), now),
                         now);
            if (mayChooseFollowUp(cboDiscussionGroup.text(), CorporateLevel)) {
                openFollowUpChoice(screen(), now);
            }
            cboDiscussionGroup.setFocus();
        };

        // Appends the issue to the list and the table with what only a new issue gets.
        const auto appendIssue = [&] {
            // Numbered first: when the numbers run out nothing of the issue is written.
            const std::string sequence = NewIssueSequence();
            const ui::ListItemRef row = lstDiscussions.add(txtDiscussionGroup.text());
            issues.addNew();
            RowWriter write(*row, issues, kIssueColumns);
            write.cell(issue_row::Status, "Open");
            const std::string priority = defaultPriority(mnuPriority);
            write.code(issue_row::Priority, priority, PriorityIndex(priority));
            write.text(issue_row::EnteredBy, CurrentUserName);
            issues.setField(issue_field::EnteredByPersonID, Value(CurrentPersonID));
            issues.setField(issue_field::EnteredByPersonType, Value(CurrentPersonType));
            write.text(issue_row::EnteredDate, stamp());
            for (int column :
                 {issue_row::ResolvedBy, issue_row::ResolvedDate, issue_row::Resolution}) {
                write.cell(column, "");
            }
            write.text(issue_row::Sequence, sequence);
            return row;
        };

        // The selected issue's row in the list and in the table, with its group as edited.
        const auto editedIssue = [&] {
            cmdDeleteDiscussion.setEnabled(true);
            const ui::ListItemRef row = selectedRow(lstDiscussions);
            row->setText(txtDiscussionGroup.text());
            moveToIssue(issues, row->column(issue_row::Sequence));
            return row;
        };

        const auto saveIssue = [&] {
            if (!checkIssueFields(screen(), m_services.messageBox, CorporateLevel)) return;
            leaveIssueEditing(screen());
            // Edits of the follow-up date alone keep the issue's group and type.
            if (cboDiscussionType.visible()) {
                txtDiscussion.setText(cboDiscussionType.text());
                txtDiscussionGroup.setText(cboDiscussionGroup.text());
                showPickers(screen(), false);
            }
            showReadOnly(txtDiscussionDescription);
            lstDiscussions.setEnabled(true);

            const ui::ListItemRef row = IsNewIssue ? appendIssue() : editedIssue();
            RowWriter write(*row, issues, kIssueColumns);
            const std::string type(trimBlanks(txtDiscussion.text()));
            write.code(issue_row::Type, type, TypeIndex(type, true));
            write.text(issue_row::Description,
                       std::string(trimBlanks(txtDiscussionDescription.text())));
            write.text(issue_row::LastUpdated, stamp());
            write.nullable(issue_row::FollowUp, txtFollowUp.text(), txtFollowUp.text());
            issues.setField(issue_field::IsUpdated, Value(true));

            lstDiscussions.setSelectedItem(row);
            lstDiscussions_Click();
            lstDiscussions.setFocus();
        };

        const std::string mode = cmdAddDiscussion.caption();
        if (mode == issue_caption::AddIssue) return startNewIssue();
        if (mode == issue_caption::Save) saveIssue();
    });
}

void JEXPODiscussionsXML::cmdEditDiscussion_Click() {
    trap("cmdEditDiscussion_Click()", [&] {
        const auto cancelIssue = [&] {
            leaveIssueEditing(screen());
            if (lstDiscussions.count() == 0) cmdEditDiscussion.setEnabled(false);
            showPickers(screen(), false);
            showReadOnly(txtDiscussionDescription);
            txtDiscussionDescription.setText("");
            lstDiscussions.setEnabled(true);
            allowFollowUpChoice(screen(), false);
            lstDiscussions.setFocus();
            lstDiscussions_Click();
        };

        const auto editIssue = [&] {
            IsNewIssue = false;
            const ui::ListItem& row = lstDiscussions.requireSelected();
            const EditCase editCase = editCaseOf(
                !isNewSequence(SelectedIssueSequence), row.column(issue_row::ResolvedDate).empty(),
                row.column(issue_row::Group) == kCenterGroup, CorporateLevel);
            if (editCase == EditCase::None) return;

            lstDiscussions_Click();
            enterIssueEditing(screen());
            // Every edit loads the pickers, even where they stay hidden, so that its save
            // finds the issue's group and type chosen.
            loadPickers(screen());
            lstDiscussions.setEnabled(false);
            const DateTime now = m_services.clock.now();
            switch (editCase) {
                case EditCase::GroupTypeAndFollowUp:
                    openFollowUpChoice(screen(), now);
                    showPickers(screen(), true);
                    cboDiscussionGroup.setFocus();
                    return;
                case EditCase::FollowUpOnly:
                    openFollowUpChoice(screen(), now);
                    return;
                case EditCase::NewIssue:
                    showPickers(screen(), true);
                    openForTyping(txtDiscussionDescription);
                    if (mayChooseFollowUp(cboDiscussionGroup.text(), CorporateLevel)) {
                        openFollowUpChoice(screen(), now);
                    }
                    cboDiscussionGroup.setFocus();
                    return;
                case EditCase::None:
                    return;
            }
        };

        const std::string mode = cmdEditDiscussion.caption();
        if (mode == issue_caption::Cancel) return cancelIssue();
        if (mode == issue_caption::Edit) editIssue();
    });
}

// Descriptions hold no line breaks typed with Enter.
void JEXPODiscussionsXML::txtDiscussionDescription_KeyPress(int& keyAscii) {
    if (keyAscii == ui::kKeyReturn) keyAscii = 0;
}

}  // namespace jex
