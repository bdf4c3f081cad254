#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "data/table_schema.h"
#include "platform/widgets/list_view.h"

namespace jex {

// Writes one row of a record table and its list row together, so that the two never disagree:
// each call writes a column and the field the table's column list says it shows. A write raises
// the table's error (TooLong, WrongType) with the list cell already written.
class RowWriter {
  public:
    RowWriter(ui::ListItem& row, RecordTable& table, std::span<const ColumnSpec> columns)
        : m_row(row), m_table(table), m_columns(columns) {}

    // A column that shows its field as it stands.
    void text(int column, const std::string& text) { write(column, text, Value(text)); }
    // A column that shows the text of the code its field holds (a type, a priority).
    void code(int column, const std::string& text, int16_t code) {
        write(column, text, Value(code));
    }
    // A flag: the column reads "True" or "False", never empty.
    void flag(int column, bool set) { write(column, set ? "True" : "False", Value(set)); }
    // A text stored as null when empty (a follow-up); the column shows `shown`.
    void nullable(int column, const std::string& text, const std::string& shown) {
        write(column, shown, text.empty() ? Value::null() : Value(text));
    }
    // A column no field stands behind (an issue's group or status): only the list shows it.
    void cell(int column, const std::string& text) { m_row.setColumn(column, text); }

  private:
    void write(int column, const std::string& shown, const Value& stored) {
        m_row.setColumn(column, shown);
        m_table.setField(m_columns[static_cast<size_t>(column)].field, stored);
    }

    ui::ListItem& m_row;
    RecordTable& m_table;
    std::span<const ColumnSpec> m_columns;
};

}  // namespace jex
