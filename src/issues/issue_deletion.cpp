#include "control/jex_po_discussions_xml.h"
#include "control/list_selection.h"
#include "control/validation_message.h"
#include "data/issue_record.h"
#include "data/issue_schema.h"

// Deleting an issue. Only issues made since the load can be deleted, so nothing about them
// was ever stored and nothing is sent to the server.
namespace jex {

void JEXPODiscussionsXML::cmdDeleteDiscussion_Click() {
    trap("cmdDeleteDiscussion_Click()", [&] {
        // Comments always belong to an issue.
        if (lstComments.count() >= 1) {
            refuse(m_services.messageBox, lstComments, "You first have to delete all comments!",
                   kInformationRequired);
            return;
        }
        const MsgResult answer = m_services.messageBox.show(
            {"Do you want to delete the selected discussion issue?", MsgButtons::YesNo,
             MsgIcon::Question, kInformationValidation, 1});
        if (answer == MsgResult::No) return;

        const ui::ListItem& row = lstDiscussions.requireSelected();
        RecordTable& issues = *DiscussionTable;
        moveToIssue(issues, row.column(issue_row::Sequence));
        issues.deleteCurrent();
        const int position = row.index();
        lstDiscussions.remove(position);

        const bool listEmpty = lstDiscussions.count() == 0;
        if (listEmpty) cmdAddComment.setEnabled(false);
        cmdDeleteDiscussion.setEnabled(false);
        cmdEditDiscussion.setEnabled(false);
        if (listEmpty) {
            for (ui::TextBox* box :
                 {&txtDiscussion, &txtDiscussionDescription, &txtDiscussionGroup}) {
                box->setText("");
            }
            return;
        }
        // Without a selection the click would leave the deleted issue's texts on the screen.
        selectRowAt(lstDiscussions, position);
        lstDiscussions_Click();
        lstDiscussions.setFocus();
    });
}

}  // namespace jex
