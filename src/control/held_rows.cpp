#include "control/held_rows.h"

#include <algorithm>

#include "control/captions.h"
#include "control/jex_po_discussions_xml.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"
#include "data/sequence.h"
#include "save/save_marks.h"

namespace jex {

void HeldRows::hold(RecordTable& table, std::string_view field, std::string sequence) {
    m_rows.push_back({&table, field, std::move(sequence)});
}

void HeldRows::takeMarks() {
    std::erase_if(m_rows, [](const Row& row) {
        RecordTable& table = *row.table;
        for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
            if (table.field(row.field).textOrEmpty() != row.sequence) continue;
            if (!isMarked(table)) return true;
            table.setField(kSaveMarkField, Value(false));
            return false;
        }
        return true;
    });
}

void HeldRows::giveMarksBack() {
    for (const Row& row : m_rows) {
        RecordTable& table = *row.table;
        for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
            if (table.field(row.field).textOrEmpty() == row.sequence)
                table.setField(kSaveMarkField, Value(true));
        }
    }
}

HeldRows rowsStillEdited(const DiscussionScreen& s, ControlState& state) {
    HeldRows held;
    const bool editingIssue = s.cmdAddDiscussion.caption() == issue_caption::Save;
    if (editingIssue && !state.IsNewIssue && isNewSequence(state.SelectedIssueSequence))
        held.hold(*state.DiscussionTable, issue_field::IssueSequence, state.SelectedIssueSequence);
    const bool editingComment = s.cmdAddComment.caption() == comment_caption::Save;
    if (editingComment && !state.IsNewComment && isNewSequence(state.SelectedCommentSequence))
        held.hold(*state.CommentTable, comment_field::DiscussionCommentSequence,
                  state.SelectedCommentSequence);
    return held;
}

}  // namespace jex
