#pragma once

#include "data/record_table.h"
#include "platform/xml_document.h"

// Reading a discussion document's records into the record tables.
namespace jex {

// Appends the record element as a row, each field taken by position; only elements named
// "IssueSequence" are padded, so that a comment's owner matches its issue as text. A record with
// more field elements than the table has fields, or a text a field cannot hold, raises the
// table's error.
void readRecord(RecordTable& table, const XmlElement& record);

// Appends one row per record element of `section`, in document order. A record refused keeps
// the rows before it.
void readRecords(RecordTable& table, const XmlElement& section);

// Deletes every row of an open table.
void emptyTable(RecordTable& table);

}  // namespace jex
