#pragma once

#include "data/table_schema.h"

// The comment table (CommentTable) and the comment lists (lstComments, lstCommentsView). Only
// the two follow-ups may be set to null by the editing commands.
#define JEX_COMMENT_FIELDS(FIELD)                    \
    FIELD(DiscussionCommentSequence, Text, 15, None) \
    FIELD(DiscussionSequence, Text, 15, None)        \
    FIELD(OrderID, Text, 15, None)                   \
    FIELD(Type, Integer, 0, None)                    \
    FIELD(CommentDate, Text, 25, None)               \
    FIELD(CommentEnteredBy, Text, 40, None)          \
    FIELD(CommentDescription, Text, 500, None)       \
    FIELD(FocusCenter, Boolean, 0, None)             \
    FIELD(FollowupCenter, Text, 25, MayBeNull)       \
    FIELD(FocusPurchasing, Boolean, 0, None)         \
    FIELD(FollowupCSC, Text, 25, MayBeNull)          \
    FIELD(FocusAccounting, Boolean, 0, None)         \
    FIELD(FocusBilling, Boolean, 0, None)            \
    FIELD(RecordLastUpdated, Text, 25, None)         \
    FIELD(FocusJEXD, Boolean, 0, None)               \
    FIELD(IsUpdated, Boolean, 0, None)               \
    FIELD(CommentEnteredByPersonID, Text, 10, None)  \
    FIELD(CommentEnteredByPersonType, Integer, 0, None)

// The row layout of both comment lists; the description is the row's own text. Type shows the
// text of the code its field holds.
#define JEX_COMMENT_COLUMNS(COLUMN)                                                         \
    COLUMN(Description, "Description", 3, 8, comment_field::CommentDescription)             \
    COLUMN(EnteredBy, "Entered By", 1, 4, comment_field::CommentEnteredBy)                  \
    COLUMN(EnteredDate, "Entered Date", 1, 4, comment_field::CommentDate)                   \
    COLUMN(Type, "Type", 1, 4, comment_field::Type)                                         \
    COLUMN(Sequence, "DiscussionCommentID", 0, 0, comment_field::DiscussionCommentSequence) \
    COLUMN(Owner, "DiscussionID", 0, 0, comment_field::DiscussionSequence)                  \
    COLUMN(LastUpdated, "RecordLastUpdated", 0, 0, comment_field::RecordLastUpdated)        \
    COLUMN(CenterFocus, "FocusCenter", 1, 6, comment_field::FocusCenter)                    \
    COLUMN(CenterFollowUp, "CenterFollowUp", 1, 6, comment_field::FollowupCenter)           \
    COLUMN(PurchasingFocus, "FocusPurchasing", 1, 8, comment_field::FocusPurchasing)        \
    COLUMN(CscFollowUp, "CSCFollowUp", 0, 0, comment_field::FollowupCSC)                    \
    COLUMN(AccountingFocus, "FocusAccounting", 0, 0, comment_field::FocusAccounting)        \
    COLUMN(BillingFocus, "FocusBillinging", 0, 0, comment_field::FocusBilling)              \
    COLUMN(JexdFocus, "FocusJEXD", 0, 0, comment_field::FocusJEXD)

// Which column of a comment row holds what (comment_row::Description ...
// comment_row::JexdFocus): the commands find a comment's table row by the sequence column and
// read the other columns back.
namespace jex {
JEX_TABLE_SCHEMA(comment_field, JEX_COMMENT_FIELDS, kCommentFields, comment_row,
                 JEX_COMMENT_COLUMNS, kCommentColumns)

namespace comment_row {
// A row text that stands for a missing description; the description box shows it as empty.
inline constexpr const char* kNoDescription = "<no description>";
}  // namespace comment_row
}  // namespace jex
