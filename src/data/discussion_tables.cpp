#include "data/discussion_tables.h"

namespace jex {

namespace {

void text(RecordTable& table, const char* name, int size) {
    table.appendField(name, FieldType::Text, size);
}

// The three follow-up fields are the only ones the editing commands set to Null.
void nullableText(RecordTable& table, const char* name, int size) {
    table.appendField(name, FieldType::Text, size, FieldAttribute::MayBeNull);
}

void integer(RecordTable& table, const char* name) { table.appendField(name, FieldType::Integer); }

void boolean(RecordTable& table, const char* name) { table.appendField(name, FieldType::Boolean); }

}  // namespace

// The loaders fill fields by position, so the order below is part of the document's contract.
void declareDiscussionFields(RecordTable& table) {
    text(table, "IssueSequence", 15);
    text(table, "OrderID", 15);
    integer(table, "Type");
    integer(table, "Priority");
    text(table, "IssueDate", 25);
    text(table, "EnteredBy", 40);
    text(table, "IssueDescription", 255);
    text(table, "ResolvedDate", 25);
    text(table, "ResolvedBy", 40);
    text(table, "Resolution", 255);
    text(table, "RecordLastUpdated", 25);
    nullableText(table, "IssueFollowUp", 25);
    boolean(table, "IsUpdated");
    text(table, "EnteredByPersonID", 10);
    integer(table, "EnteredByPersonType");
    text(table, "ResolvedByPersonID", 10);
    integer(table, "ResolvedByPersonType");
}

void declareCommentFields(RecordTable& table) {
    text(table, "DiscussionCommentSequence", 15);
    text(table, "DiscussionSequence", 15);
    text(table, "OrderID", 15);
    integer(table, "Type");
    text(table, "CommentDate", 25);
    text(table, "CommentEnteredBy", 40);
    text(table, "CommentDescription", 500);
    boolean(table, "FocusCenter");
    nullableText(table, "FollowupCenter", 25);
    boolean(table, "FocusPurchasing");
    nullableText(table, "FollowupCSC", 25);
    boolean(table, "FocusAccounting");
    boolean(table, "FocusBilling");
    text(table, "RecordLastUpdated", 25);
    boolean(table, "FocusJEXD");
    boolean(table, "IsUpdated");
    text(table, "CommentEnteredByPersonID", 10);
    integer(table, "CommentEnteredByPersonType");
}

}  // namespace jex
