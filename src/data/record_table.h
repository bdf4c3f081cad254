#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/value.h"

namespace jex {

// Field types of a record table: text(N), 16-bit integer, Boolean.
enum class FieldType { Text, Integer, Boolean };
enum class FieldAttribute { None, MayBeNull };

// Error numbers a record table raises, with "RecordTable" as source. They follow the classic
// data-access codes so that a report reads the way the control's users know.
namespace recordErr {
// No field of that name, or a position past the last field.
inline constexpr int32_t ItemNotFound = -2146825023;
// A field access, delete or move with no current row (at the end, or the row was deleted).
inline constexpr int32_t NoCurrentRecord = -2146825267;
// A value that cannot be converted to the field's type.
inline constexpr int32_t WrongType = -2146824867;
// A row operation on a closed table, or closing a closed one.
inline constexpr int32_t ObjectClosed = -2146824584;
// Declaring a field on, or opening, an open table.
inline constexpr int32_t ObjectOpen = -2146824583;
// Declaring a second field of the same name (letter case ignored).
inline constexpr int32_t DuplicateField = -2146824921;
// A filter or find criterion the table does not understand, or a bad field declaration.
inline constexpr int32_t InvalidArgument = -2146825287;
// A text longer than the field's size.
inline constexpr int32_t TooLong = -2147217887;
// Null written into a field not declared may-be-null.
inline constexpr int32_t NullNotAllowed = -2147217873;
}  // namespace recordErr

// An in-memory table of rows with a fixed list of typed fields, a current row and an optional
// filter: the control's stand-in for a standalone recordset. Every failure raises the control's
// Error with a recordErr number and source "RecordTable", and leaves the table as it was.
class RecordTable {
  public:
    // `name` appears in every error description.
    explicit RecordTable(std::string name);

    const std::string& name() const { return m_name; }

    // Declares the next field. Raises ObjectOpen on an open table, DuplicateField for a name
    // already declared, InvalidArgument for a text field without a positive size.
    void appendField(std::string name, FieldType type, int size = 0,
                     FieldAttribute attr = FieldAttribute::None);
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    // Raises ItemNotFound for a position outside 0..fieldCount()-1.
    const std::string& fieldName(int position) const;

    bool isOpen() const { return m_open; }
    // Opens the declared, empty table. Raises ObjectOpen when already open.
    void open();
    // Closes the table, dropping its rows and filter. Raises ObjectClosed when not open.
    void close();

    // Rows that pass the filter. Raises ObjectClosed on a closed table.
    int recordCount() const;
    // Appends a row with every field unset and makes it current; with a filter set the row is
    // visible until the filter is set again. Raises ObjectClosed.
    void addNew();

    // The current row's field: Empty when never written. The reference is valid until the
    // table is next written, moved, filtered or closed. Raises ItemNotFound, NoCurrentRecord,
    // ObjectClosed.
    const Value& field(std::string_view name) const;
    const Value& field(int position) const;
    // Stores `v` converted to the field's type (Empty stays Empty). Raises ItemNotFound,
    // NoCurrentRecord, ObjectClosed, WrongType (with the conversion's own text), TooLong (text
    // longer than the size, counted in characters) or NullNotAllowed; the row keeps its value.
    void setField(std::string_view name, Value v);
    void setField(int position, Value v);
    // Commits the current row's pending changes; rows live in memory, so nothing is pending.
    // Raises ObjectClosed.
    void update();
    // Removes the current row; the cursor stays on its place until the next move, and field
    // access raises NoCurrentRecord meanwhile. Raises NoCurrentRecord when there is no current
    // row, ObjectClosed.
    void deleteCurrent();

    // Makes the first visible row current (none in an empty view). Raises ObjectClosed.
    void moveFirst();
    // Makes the next visible row current, or none after the last. Raises NoCurrentRecord when
    // already at the end, ObjectClosed.
    void moveNext();
    // True when there is no current row. Raises ObjectClosed.
    bool atEnd() const;
    // The current row, to come back to with moveTo; valid while no row is deleted. Raises
    // NoCurrentRecord, ObjectClosed.
    size_t bookmark() const { return currentIndex(); }
    // Makes the row of `bookmark` current. Raises NoCurrentRecord when that row is not in view,
    // ObjectClosed.
    void moveTo(size_t bookmark);

    // Makes current the first visible row, from the current row onwards, whose field text
    // equals the value of the criterion `Field = 'value'` (exact comparison); at the end when
    // none does. Raises InvalidArgument for another criterion, ItemNotFound, ObjectClosed.
    void find(std::string_view criterion);
    // Sets the filter `BooleanField = True` (or False) or clears it with "", then moves to the
    // first visible row. The visible set is fixed when the filter is set: a row whose field
    // changes later stays visible (or hidden) until the filter is set again. Raises
    // InvalidArgument for another filter, ItemNotFound, ObjectClosed.
    void setFilter(std::string_view filter);
    const std::string& filter() const { return m_filter; }

    // Every row's values in table order, whatever the filter and without moving the cursor:
    // what a host inspecting the table sees. Deleted rows are left out; a closed table has none.
    std::vector<std::vector<Value>> snapshot() const;

  private:
    struct Field {
        std::string name;
        FieldType type;
        int size;
        FieldAttribute attribute;
    };
    struct Row {
        std::vector<Value> values;
        bool visible = true;
        bool deleted = false;
    };
    static constexpr size_t kNoRow = static_cast<size_t>(-1);

    [[noreturn]] void fail(int32_t number, const std::string& detail) const;
    void requireOpen() const;
    // The current row's index; raises ObjectClosed or NoCurrentRecord.
    size_t currentIndex() const;
    int positionOf(std::string_view name) const;
    // The position of the field of that name, letter case ignored; -1 when there is none.
    int findPosition(std::string_view name) const;
    void requirePosition(int position) const;
    int filterPosition(std::string_view filter) const;
    // Converts `v` to the field's type in place; on failure raises and leaves `v` as it was.
    void convert(const Field& field, Value& v) const;
    Value convertedToType(const Field& field, const Value& v) const;
    void requireFits(const Field& field, std::string_view text) const;
    bool isReachable(const Row& row) const { return row.visible && !row.deleted; }
    size_t nextReachable(size_t from) const;
    void dropDeletedRows();

    std::string m_name;
    std::vector<Field> m_fields;
    std::vector<Row> m_rows;
    size_t m_current = kNoRow;
    int m_visibleCount = 0;
    int m_deletedCount = 0;
    bool m_open = false;
    std::string m_filter;
};

}  // namespace jex
