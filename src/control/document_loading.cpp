#include "control/jex_po_discussions_xml.h"
#include "control/work_under_way.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"
#include "data/record_reading.h"
#include "data/sequence.h"
#include "platform/int16.h"

namespace jex {

XmlElement JEXPODiscussionsXML::section(int position) const {
    if (!DiscussionDocument) raiseRuntime(err::ObjectNotSet);
    return DiscussionDocument->root().child(position);
}

void JEXPODiscussionsXML::readSection(RecordTable& table, int position) {
    readRecords(table, section(position));
}

void JEXPODiscussionsXML::LetDiscussions() {
    trap("LetDiscussions", [&] {
        RecordTable& table = *DiscussionTable;
        if (table.isOpen()) {
            emptyTable(table);
            ReinititateControls();
        } else {
            table.open();
        }
        readSection(table, kIssueSection);

        if (table.recordCount() == 0) {
            // A fresh counter, so that the placeholder and new issues of this order number
            // from 0 and not from the previous order's last issue.
            NextIssueSequence = 0;
            SetDefaultIssue();
            return;
        }
        NextIssueSequence = add16(sequenceNumber(table.field(issue_field::IssueSequence)), 1);
        table.moveFirst();
        OrderID = table.field(issue_field::OrderID).toText();
        DisplayDiscussions();
        txtFollowUp.setText("");
    });
}

void JEXPODiscussionsXML::LetComments() {
    trap("LetComments", [&] {
        RecordTable& table = *CommentTable;
        if (!table.isOpen()) {
            table.open();
        } else if (table.recordCount() != 0) {
            emptyTable(table);
        }
        // A host may redraw the comments while an issue or a comment is worked on; the
        // commands then stay as that work set them.
        if (!inViewMode() && !workUnderWay(screen())) {
            cmdAddDiscussion.setEnabled(true);
            if (CorporateLevel && lstDiscussions.count() >= 1) cmdCloseDiscussion.setEnabled(true);
        }
        readSection(table, kCommentSection);

        if (table.recordCount() == 0) {
            NextCommentSequence = 0;
            lstDiscussions_Click();
            return;
        }
        NextCommentSequence =
            add16(sequenceNumber(table.field(comment_field::DiscussionCommentSequence)), 1);
        DisplayComments();
    });
}

}  // namespace jex
