#pragma once

#include <string>

#include "data/record_table.h"

namespace jex {

// Makes current the first row of the comment table whose DiscussionCommentSequence is
// `sequence`; false, and no current row, when none is. Raises the table's InvalidArgument for
// a sequence holding a quote, ObjectClosed on a closed table.
inline bool findComment(RecordTable& table, const std::string& sequence) {
    table.moveFirst();
    table.find("DiscussionCommentSequence = '" + sequence + "'");
    return !table.atEnd();
}

}  // namespace jex
