#pragma once

#include <span>
#include <string_view>

#include "data/record_table.h"

// How a record table and the lists that show it are stated: one list of fields and one list of
// columns per table (data/issue_schema.h, data/comment_schema.h), from which the field names,
// the table's declaration, the column numbers and the list headers are all generated.
namespace jex {

struct FieldSpec {
    const char* name;
    FieldType type;
    int size;  // the longest text, in characters; 0 for numbers and flags
    FieldAttribute attribute;
};

// A list column: its header, its width as a share of the list's width (0 of 0: hidden) and the
// table field it shows (nullptr for a column worked out from other fields).
struct ColumnSpec {
    const char* caption;
    double numerator;
    double denominator;
    const char* field;
};

// Both tables mark a row changed since the last save in a flag of this name.
inline constexpr std::string_view kSaveMarkField = "IsUpdated";

// The position of the named field in the list; a name not in it does not compile where a
// constant is needed.
constexpr int fieldPosition(std::span<const FieldSpec> fields, std::string_view name) {
    for (size_t position = 0; position < fields.size(); ++position) {
        if (fields[position].name == name) return static_cast<int>(position);
    }
    throw "no such field";
}

// The longest text the named field holds, so that the boxes that edit it take no more.
constexpr int fieldSize(std::span<const FieldSpec> fields, std::string_view name) {
    return fields[fieldPosition(fields, name)].size;
}

// Declares the fields in order on a new, closed table; the loaders fill them by position, so
// the order is part of the document's contract. Raises the table's errors when it is open or
// already has any of them.
void declareFields(RecordTable& table, std::span<const FieldSpec> fields);

}  // namespace jex

#define JEX_FIELD_NAME(name, type, size, attribute) inline constexpr const char* name = #name;
#define JEX_FIELD_SPEC(name, type, size, attribute) \
    FieldSpec{#name, FieldType::type, size, FieldAttribute::attribute},
#define JEX_COLUMN_NUMBER(name, caption, numerator, denominator, field) name,
#define JEX_COLUMN_SPEC(name, caption, numerator, denominator, field) \
    ColumnSpec{caption, numerator, denominator, field},

// Generates, from a table's list of fields and list of columns: the field names (namespace
// `fieldNames`), the field specs (`fieldSpecs`), the column numbers (namespace `columnNumbers`,
// ending with Count) and the column specs (`columnSpecs`). Each table marks its rows for the
// next save in kSaveMarkField.
#define JEX_TABLE_SCHEMA(fieldNames, fieldList, fieldSpecs, columnNumbers, columnList, \
                         columnSpecs)                                                  \
    namespace fieldNames {                                                             \
    fieldList(JEX_FIELD_NAME)                                                          \
    }                                                                                  \
    static_assert(fieldNames::IsUpdated == kSaveMarkField);                            \
    inline constexpr FieldSpec fieldSpecs[] = {fieldList(JEX_FIELD_SPEC)};             \
    namespace columnNumbers {                                                          \
    enum : int { columnList(JEX_COLUMN_NUMBER) Count };                                \
    }                                                                                  \
    inline constexpr ColumnSpec columnSpecs[] = {columnList(JEX_COLUMN_SPEC)};
