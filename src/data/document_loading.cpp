#include "control/jex_po_discussions_xml.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"
#include "data/sequence.h"
#include "platform/int16.h"

namespace jex {
namespace {

// Deletes every row of an open table.
void emptyTable(RecordTable& table) {
    table.moveFirst();
    while (table.recordCount() != 0) {
        table.deleteCurrent();
        table.moveNext();
    }
}

// A record with more field elements than the table has fields is refused at the first extra
// element, whether or not that element holds text: reading the field raises the table's own
// error for a position it does not have.
void checkFieldPosition(const RecordTable& table, int position) {
    if (position >= table.fieldCount()) (void)table.field(position);
}

}  // namespace

XmlElement JEXPODiscussionsXML::section(int position) const {
    if (!DiscussionDocument) raiseRuntime(err::ObjectNotSet);
    return DiscussionDocument->root().child(position);
}

// Fields are taken by position; only elements named "IssueSequence" are padded, so that a
// comment's owner matches its issue as text.
void JEXPODiscussionsXML::readRecord(RecordTable& table, const XmlElement& record) {
    table.addNew();
    int position = 0;
    record.forEachChild([&](const XmlElement& field) {
        checkFieldPosition(table, position);
        const bool isSequence = field.hasLocalName(issue_field::IssueSequence);
        field.forEachChildText([&](std::string_view text) {
            if (text.empty()) return;
            table.setField(position, Value(isSequence ? padSequence(text) : std::string(text)));
        });
        ++position;
    });
}

void JEXPODiscussionsXML::readSection(RecordTable& table, int position) {
    readSection(table, section(position));
}

void JEXPODiscussionsXML::readSection(RecordTable& table, const XmlElement& section) {
    section.forEachChild([&](const XmlElement& record) { readRecord(table, record); });
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
        if (!inViewMode()) {
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
