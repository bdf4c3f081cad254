#pragma once

#include "bench_support.h"
#include "save/save_marks.h"

namespace jex::bench {

// How much a user changes on a loaded order before saving.
struct ChangeShape {
    int newIssues;
    int newComments;      // spread evenly over the new issues
    int changedComments;  // stored comments whose type is changed
};

// Makes the changes on the control's screen as a user does: Add Issue, Add Comment, and Edit on
// stored comments, issue after issue. Returns the marked rows, so that a benchmark can mark them
// again after each save. Throws std::runtime_error when the control reports anything or the order
// has too few stored comments.
SaveMarks makeChanges(HeadlessControl& session, const ChangeShape& shape);

}  // namespace jex::bench
