#pragma once

namespace jex::server {

// Stores one issue row with its 16 fields in the order both the demo data and the order
// generator bind them.
inline constexpr const char* kInsertIssueSql =
    "INSERT INTO OrderDiscussion (IssueSequence, OrderID, Type, Priority,"
    " IssueDate, EnteredBy, IssueDescription, IssueFollowUp, ResolvedDate,"
    " ResolvedBy, Resolution, RecordLastUpdated, EnteredByPersonId,"
    " EnteredByPersonType, ResolvedByPersonId, ResolvedByPersonType)"
    " VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15,"
    " $16)";

// Stores one comment row with its 17 fields in the order both the demo data and the order
// generator bind them.
inline constexpr const char* kInsertCommentSql =
    "INSERT INTO OrderDiscussionComment (CommentSequence, IssueSequence,"
    " OrderID, CommentType, CommentDate, CommentEnteredBy, CommentDescription,"
    " FocusCenter, FollowupCenter, FocusPurchasing, FollowupCSC,"
    " FocusAccounting, FocusBilling, RecordLastUpdated, FocusJEXD,"
    " CommentEnteredByPersonId, CommentEnteredByPersonType)"
    " VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14,"
    " $15, $16, $17)";

}  // namespace jex::server
