#pragma once

#include <string>

#include "data/issue_schema.h"
#include "data/record_table.h"

namespace jex {

// Makes current the first row of the issue table, from the top, whose IssueSequence is
// `sequence`; the table is at its end when no row has it, so that the next field access
// raises NoCurrentRecord. Raises ObjectClosed on a closed table.
inline void moveToIssue(RecordTable& issues, const std::string& sequence) {
    issues.moveFirst();
    while (!issues.atEnd() && issues.field(issue_field::IssueSequence).toText() != sequence) {
        issues.moveNext();
    }
}

}  // namespace jex
