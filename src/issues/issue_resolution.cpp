#include "control/captions.h"
#include "control/field_appearance.h"
#include "control/jex_po_discussions_xml.h"
#include "control/validation_message.h"
#include "data/issue_record.h"
#include "data/issue_schema.h"
#include "data/row_writer.h"
#include "platform/text.h"

// Resolving an issue: the resolution is typed while everything else waits, and its save records
// who resolved the issue and when.
namespace jex {
namespace {

void startResolving(DiscussionScreen& s) {
    s.cmdCloseDiscussion.setCaption(issue_caption::Save);
    s.cmdCancelResolution.setEnabled(true);
    for (ui::Widget* waiting : std::initializer_list<ui::Widget*>{
             &s.cmdAddDiscussion, &s.cmdEditDiscussion, &s.cmdDeleteDiscussion, &s.cmdAddComment,
             &s.cmdCancelComment, &s.cmdDeleteComment, &s.lstDiscussions, &s.lstComments}) {
        waiting->setEnabled(false);
    }
    openForTyping(s.txtDiscussionResolution);
    s.txtDiscussionResolution.setFocus();
}

void stopResolving(DiscussionScreen& s) {
    s.cmdCloseDiscussion.setCaption(issue_caption::ResolveIssue);
    showReadOnly(s.txtDiscussionResolution);
    s.cmdCancelResolution.setEnabled(false);
    s.lstDiscussions.setEnabled(true);
    s.lstComments.setEnabled(true);
}

}  // namespace

void JEXPODiscussionsXML::cmdCloseDiscussion_Click() {
    trap("cmdCloseDiscussion_Click()", [&] {
        const auto saveResolution = [&] {
            if (trimBlanks(txtDiscussionResolution.text()).empty()) {
                refuse(m_services.messageBox, txtDiscussionResolution,
                       "The discussion issue resolution is required.", kInformationRequired);
                return;
            }
            stopResolving(screen());
            ui::ListItem& row = lstDiscussions.requireSelected();
            RecordTable& issues = *DiscussionTable;
            moveToIssue(issues, row.column(issue_row::Sequence));

            RowWriter write(row, issues, kIssueColumns);
            write.cell(issue_row::Status, "Close");
            write.text(issue_row::ResolvedBy, CurrentUserName);
            issues.setField(issue_field::ResolvedByPersonID, Value(CurrentPersonID));
            issues.setField(issue_field::ResolvedByPersonType, Value(CurrentPersonType));
            write.text(issue_row::ResolvedDate,
                       formatDate(m_services.clock.now(), DatePattern::TimeStamp));
            // Kept as typed: only a resolution of blanks alone is refused.
            write.text(issue_row::Resolution, txtDiscussionResolution.text());
            issues.setField(issue_field::IsUpdated, Value(true));
            lstDiscussions_Click();
        };

        const std::string mode = cmdCloseDiscussion.caption();
        if (mode == issue_caption::ResolveIssue) return startResolving(screen());
        if (mode == issue_caption::Save) saveResolution();
    });
}

// The list click writes the stored resolution back over what was typed.
void JEXPODiscussionsXML::cmdCancelResolution_Click() {
    trap("cmdCancelResolution_Click()", [&] {
        stopResolving(screen());
        cmdAddComment.setEnabled(true);
        lstDiscussions_Click();
        lstDiscussions.setFocus();
    });
}

// Resolutions hold no line breaks typed with Enter.
void JEXPODiscussionsXML::txtDiscussionResolution_KeyPress(int& keyAscii) {
    if (keyAscii == ui::kKeyReturn) keyAscii = 0;
}

}  // namespace jex
