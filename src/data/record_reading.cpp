#include "data/record_reading.h"

#include "data/issue_schema.h"
#include "data/sequence.h"

namespace jex {
namespace {

// A record with more field elements than the table has fields is refused at the first extra
// element, whether or not that element holds text: reading the field raises the table's own
// error for a position it does not have.
void checkFieldPosition(const RecordTable& table, int position) {
    if (position >= table.fieldCount()) (void)table.field(position);
}

}  // namespace

void readRecord(RecordTable& table, const XmlElement& record) {
    table.addNew();
    int position = 0;
    record.forEachChild([&](const XmlElement& field) {
        checkFieldPosition(table, position);
        const bool isSequence = field.hasLocalName(issue_field::IssueSequence);
        field.forEachChildText([&](std::string_view text) {
            if (text.empty()) return;
            table.setField(position, Value(isSequence ? padSequence(text) : std::string(text)));
        });
        ++position;
    });
}

void readRecords(RecordTable& table, const XmlElement& section) {
    section.forEachChild([&](const XmlElement& record) { readRecord(table, record); });
}

void emptyTable(RecordTable& table) {
    table.moveFirst();
    while (table.recordCount() != 0) {
        table.deleteCurrent();
        table.moveNext();
    }
}

}  // namespace jex
