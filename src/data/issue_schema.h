#pragma once

#include "data/table_schema.h"

// The issue table (DiscussionTable) and the issue lists (lstDiscussions, lstDiscussionsView).
// Only the follow-up may be set to null by the editing commands.
#define JEX_ISSUE_FIELDS(FIELD)                  \
    FIELD(IssueSequence, Text, 15, None)         \
    FIELD(OrderID, Text, 15, None)               \
    FIELD(Type, Integer, 0, None)                \
    FIELD(Priority, Integer, 0, None)            \
    FIELD(IssueDate, Text, 25, None)             \
    FIELD(EnteredBy, Text, 40, None)             \
    FIELD(IssueDescription, Text, 255, None)     \
    FIELD(ResolvedDate, Text, 25, None)          \
    FIELD(ResolvedBy, Text, 40, None)            \
    FIELD(Resolution, Text, 255, None)           \
    FIELD(RecordLastUpdated, Text, 25, None)     \
    FIELD(IssueFollowUp, Text, 25, MayBeNull)    \
    FIELD(IsUpdated, Boolean, 0, None)           \
    FIELD(EnteredByPersonID, Text, 10, None)     \
    FIELD(EnteredByPersonType, Integer, 0, None) \
    FIELD(ResolvedByPersonID, Text, 10, None)    \
    FIELD(ResolvedByPersonType, Integer, 0, None)

// The row layout of both issue lists. Group and Status are worked out from the type and the
// resolution; Type and Priority show the texts of the codes their fields hold.
#define JEX_ISSUE_COLUMNS(COLUMN)                                                  \
    COLUMN(Group, "Group", 1, 7, nullptr)                                          \
    COLUMN(Type, "Type", 3, 8, issue_field::Type)                                  \
    COLUMN(Status, "Status", 1, 8, nullptr)                                        \
    COLUMN(Priority, "Priority", 1, 8, issue_field::Priority)                      \
    COLUMN(EnteredBy, "Entered By", 1, 4, issue_field::EnteredBy)                  \
    COLUMN(EnteredDate, "Entered Date", 1, 4, issue_field::IssueDate)              \
    COLUMN(ResolvedBy, "Resolved By", 1, 4, issue_field::ResolvedBy)               \
    COLUMN(ResolvedDate, "Resolved Date", 1, 4, issue_field::ResolvedDate)         \
    COLUMN(Description, "Description", 0, 0, issue_field::IssueDescription)        \
    COLUMN(Resolution, "Resolution", 0, 0, issue_field::Resolution)                \
    COLUMN(Sequence, "DiscussionID", 0, 0, issue_field::IssueSequence)             \
    COLUMN(LastUpdated, "RecordLastUpdated", 0, 0, issue_field::RecordLastUpdated) \
    COLUMN(FollowUp, "FollowUp", 0, 0, issue_field::IssueFollowUp)

// Which column of an issue row holds what (issue_row::Group ... issue_row::FollowUp): the
// commands find an issue's table row by the sequence column and read the other columns back.
namespace jex {
JEX_TABLE_SCHEMA(issue_field, JEX_ISSUE_FIELDS, kIssueFields, issue_row, JEX_ISSUE_COLUMNS,
                 kIssueColumns)
}  // namespace jex
