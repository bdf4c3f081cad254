#pragma once

#include <set>
#include <string>
#include <string_view>

#include "data/record_table.h"

namespace jex {

// The rows a save hands on, by their sequences: a save that fails marks them again, so that
// the next save sends them instead of losing them.
class SaveMarks {
  public:
    SaveMarks() = default;

    // The rows of both tables whose IsUpdated is true (unset or null counts as false), whatever
    // the filters, which it clears; a closed table has none. Raises the tables' errors.
    static SaveMarks ofMarkedRows(RecordTable& issues, RecordTable& comments);

    // Sets IsUpdated on every remembered row still in its table, clearing the filters; a row
    // deleted since, or a closed table, is passed over. Raises the tables' errors; the rows before
    // the failure stay marked.
    void markAgain(RecordTable& issues, RecordTable& comments) const;

    bool empty() const { return m_issues.empty() && m_comments.empty(); }

  private:
    std::set<std::string> m_issues;
    std::set<std::string> m_comments;
};

// True when the current row's IsUpdated is true; an unset or null mark is false. Raises the
// table's errors.
bool isMarked(const RecordTable& table);

}  // namespace jex
