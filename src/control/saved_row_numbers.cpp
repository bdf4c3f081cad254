#include <map>
#include <memory>
#include <string>

#include "control/jex_po_discussions_xml.h"
#include "control/list_selection.h"
#include "control/work_under_way.h"
#include "data/comment_schema.h"
#include "data/discussion_tables.h"
#include "data/issue_schema.h"
#include "data/record_reading.h"
#include "data/sequence.h"

// A save leaves its new rows under the texts the control gave them ("005N") while the database
// has numbered them: a later edit of such a row would be stored as a second row, and a comment
// on it would be held back. So after a save that went through, the control reads the order
// again and takes over the numbers of the rows it sent, keeping the screen as the user left it.
namespace jex {
namespace {

using Renaming = std::map<std::string, std::string>;

void renameField(RecordTable& table, std::string_view field, const Renaming& renaming) {
    for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
        const auto found = renaming.find(table.field(field).textOrEmpty());
        if (found != renaming.end()) table.setField(field, Value(found->second));
    }
}

void renameColumn(const ui::ListView& list, int column, const Renaming& renaming) {
    for (const ui::ListItemRef& row : list.items()) {
        const auto found = renaming.find(row->column(column));
        if (found != renaming.end()) row->setSubItem(column, found->second);
    }
}

void rename(std::string& sequence, const Renaming& renaming) {
    const auto found = renaming.find(sequence);
    if (found != renaming.end()) sequence = found->second;
}

}  // namespace

void JEXPODiscussionsXML::NumberSavedRows(const SentNewRows& sent) {
    trap("NumberSavedRows", [&] {
        auto read = std::make_unique<XmlDocument>();
        XmlDocument& document = *read;
        if (!document.load(discussionAddress())) {
            throw Error(err::ObjectNotSet,
                        "The changes were saved, but the order could not be read again (" +
                            document.parseError() +
                            "). Load the order again before changing what was saved.",
                        kLibraryName);
        }
        if (!sent.empty()) numberNewRows(document, sent);
        // The order as read now is the one the row loaders reload from: the document of the
        // last load lacks what was saved, the texts of an edit as much as new rows, and its
        // counters would number new rows again from where that load left them, over rows
        // already stored.
        DiscussionDocument = std::move(read);
    });
}

void JEXPODiscussionsXML::numberNewRows(const XmlDocument& document, const SentNewRows& sent) {
    RecordTable storedIssues("DiscussionTable");
    RecordTable storedComments("CommentTable");
    declareDiscussionFields(storedIssues);
    declareCommentFields(storedComments);
    storedIssues.open();
    storedComments.open();
    // Only the rows the control did not know can be the ones it sent: the rest of the order,
    // most of it, is left unread.
    const auto readUnknown = [](RecordTable& table, const XmlElement& section, const auto& known) {
        section.forEachChild([&](const XmlElement& record) {
            if (record.childCount() == 0 || !known(record.child(0).text()))
                readRecord(table, record);
        });
    };
    readUnknown(
        storedIssues, document.root().child(kIssueSection),
        [&](const std::string& sequence) { return sent.knowsIssue(padSequence(sequence)); });
    readUnknown(storedComments, document.root().child(kCommentSection),
                [&](const std::string& sequence) { return sent.knowsComment(sequence); });

    const StoredSequences stored = sent.foundIn(storedIssues, storedComments);
    renameField(*DiscussionTable, issue_field::IssueSequence, stored.issues);
    renameField(*CommentTable, comment_field::DiscussionSequence, stored.issues);
    renameField(*CommentTable, comment_field::DiscussionCommentSequence, stored.comments);
    for (const ui::ListView* list : {&lstDiscussions, &lstDiscussionsView})
        renameColumn(*list, issue_row::Sequence, stored.issues);
    for (const ui::ListView* list : {&lstComments, &lstCommentsView}) {
        renameColumn(*list, comment_row::Owner, stored.issues);
        renameColumn(*list, comment_row::Sequence, stored.comments);
    }
    rename(SelectedIssueSequence, stored.issues);
    rename(SelectedCommentSequence, stored.comments);
    refreshCommands();
}

// A stored row may no longer be deleted, nor edited in full: the commands follow the selection
// again, which stays where it was. Work under way finds its commands when it ends.
void JEXPODiscussionsXML::refreshCommands() {
    if (workUnderWay(screen()) || !lstDiscussions.selectedItem()) return;
    const std::string comment = SelectedCommentSequence;
    lstDiscussions_Click();
    if (selectRowWith(lstComments, comment_row::Sequence, comment)) lstComments_Click();
}

}  // namespace jex
