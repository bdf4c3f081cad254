#pragma once

#include <cstdint>
#include <string>

#include "data/issue_schema.h"
#include "platform/widgets/list_view.h"

namespace jex {

// Writes one issue into its list row and its table row together, so that the two never
// disagree: each call writes a column and the field it shows (data/issue_schema.h). A write
// raises the table's error (TooLong, WrongType) with the list cell already written.
class IssueWriter {
  public:
    IssueWriter(ui::ListItem& row, RecordTable& table) : m_row(row), m_table(table) {}

    // A column that shows its field as it stands.
    void text(int column, const std::string& text);
    // A column that shows the text of the code its field holds: the type or the priority.
    void code(int column, const std::string& text, int16_t code);
    // The follow-up: an empty one is stored as null.
    void followUp(const std::string& text);
    // A column no field stands behind (the group, the status): only the list shows it.
    void cell(int column, const std::string& text) { m_row.setColumn(column, text); }

  private:
    ui::ListItem& m_row;
    RecordTable& m_table;
};

}  // namespace jex
