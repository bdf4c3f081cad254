#pragma once

#include "data/record_table.h"

namespace jex {

// Declares the 17 fields of the issue table (IssueSequence ... ResolvedByPersonType) on a new,
// closed table. Raises the table's errors when it is open or already has any of them.
void declareDiscussionFields(RecordTable& table);

// Declares the 18 fields of the comment table (DiscussionCommentSequence ...
// CommentEnteredByPersonType) on a new, closed table. Raises as declareDiscussionFields.
void declareCommentFields(RecordTable& table);

}  // namespace jex
