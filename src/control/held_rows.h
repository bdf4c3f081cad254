#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control/discussion_screen.h"
#include "data/record_table.h"

namespace jex {

struct ControlState;

// New rows a save leaves for the next one: their marks are taken away while its batches are
// built, and given back after.
class HeldRows {
  public:
    void hold(RecordTable& table, std::string_view field, std::string sequence);
    // Clears the mark of each held row that has one; a row without a mark, or not found, is
    // let go. Raises the tables' errors.
    void takeMarks();
    // Marks every held row again. Raises the tables' errors.
    void giveMarksBack();

  private:
    struct Row {
        RecordTable* table;
        std::string_view field;
        std::string sequence;
    };
    std::vector<Row> m_rows;
};

// A new issue or comment open in an edit that may still rewrite its description stays out of a
// save: stored, its description could no longer change, and that part of the edit would be
// lost. It waits, marked, for the save after the edit, and so do the comments of such an issue.
HeldRows rowsStillEdited(const DiscussionScreen& screen, ControlState& state);

}  // namespace jex
