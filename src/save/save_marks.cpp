#include "save/save_marks.h"

#include "data/comment_schema.h"
#include "data/issue_schema.h"

namespace jex {

namespace {

std::string sequenceOf(const RecordTable& table, std::string_view field) {
    const Value sequence = table.field(field);
    return sequence.textOrEmpty();
}

std::set<std::string> markedSequences(RecordTable& table, std::string_view field) {
    std::set<std::string> sequences;
    if (!table.isOpen()) return sequences;
    for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
        if (isMarked(table)) sequences.insert(sequenceOf(table, field));
    }
    return sequences;
}

void markRows(RecordTable& table, std::string_view field, const std::set<std::string>& sequences) {
    if (!table.isOpen()) return;
    for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
        if (!sequences.contains(sequenceOf(table, field))) continue;
        table.setField(kSaveMarkField, Value(true));
        table.update();
    }
}

}  // namespace

bool isMarked(const RecordTable& table) {
    const Value mark = table.field(kSaveMarkField);
    return !mark.isNull() && mark.toBoolean();
}

SaveMarks SaveMarks::ofMarkedRows(RecordTable& issues, RecordTable& comments) {
    SaveMarks marks;
    marks.m_issues = markedSequences(issues, issue_field::IssueSequence);
    marks.m_comments = markedSequences(comments, comment_field::DiscussionCommentSequence);
    return marks;
}

// A row the builder left marked is still marked, so marking every remembered row touches
// exactly the rows the failed save had cleared.
void SaveMarks::markAgain(RecordTable& issues, RecordTable& comments) const {
    markRows(issues, issue_field::IssueSequence, m_issues);
    markRows(comments, comment_field::DiscussionCommentSequence, m_comments);
}

}  // namespace jex
