#include "schema.h"

#include <iterator>

namespace jex::server {

namespace {

struct TableDefinition {
    const char* name;
    const char* create;
};

// Dates and time stamps are kept as the display text the control writes
// ("Dec 05, 2026 14:07:09"); focus flags as -1 (true) and 0 (false), as the save batches write
// them. Vocabulary codes are the ones the control stores: priorities 1..n and comment types
// 0..n-1 in document order, so those codes are kept contiguous.
constexpr TableDefinition kTables[] = {
    {"OrderHeader",
     "CREATE TABLE IF NOT EXISTS OrderHeader ("
     " OrderID TEXT NOT NULL PRIMARY KEY,"
     " VendorName TEXT,"
     " BuyerName TEXT,"
     " OrderDate TEXT,"
     " OpenProblemExists INTEGER NOT NULL DEFAULT 0,"
     " RecordLastUpdated TEXT)"},
    {"OrderDiscussion",
     "CREATE TABLE IF NOT EXISTS OrderDiscussion ("
     " IssueSequence INTEGER NOT NULL,"
     " OrderID TEXT NOT NULL,"
     " Type INTEGER,"
     " Priority INTEGER,"
     " IssueDate TEXT,"
     " EnteredBy TEXT,"
     " IssueDescription TEXT,"
     " IssueFollowUp TEXT,"
     " ResolvedDate TEXT,"
     " ResolvedBy TEXT,"
     " Resolution TEXT,"
     " RecordLastUpdated TEXT,"
     " EnteredByPersonId TEXT,"
     " EnteredByPersonType INTEGER,"
     " ResolvedByPersonId TEXT,"
     " ResolvedByPersonType INTEGER,"
     " PRIMARY KEY (OrderID, IssueSequence))"},
    {"OrderDiscussionComment",
     "CREATE TABLE IF NOT EXISTS OrderDiscussionComment ("
     " CommentSequence INTEGER NOT NULL,"
     " IssueSequence INTEGER NOT NULL,"
     " OrderID TEXT NOT NULL,"
     " CommentType INTEGER,"
     " CommentDate TEXT,"
     " CommentEnteredBy TEXT,"
     " CommentDescription TEXT,"
     " FocusCenter INTEGER DEFAULT 0,"
     " FollowupCenter TEXT,"
     " FocusPurchasing INTEGER DEFAULT 0,"
     " FollowupCSC TEXT,"
     " FocusAccounting INTEGER DEFAULT 0,"
     " FocusBilling INTEGER DEFAULT 0,"
     " RecordLastUpdated TEXT,"
     " FocusJEXD INTEGER DEFAULT 0,"
     " CommentEnteredByPersonId TEXT,"
     " CommentEnteredByPersonType INTEGER,"
     " PRIMARY KEY (OrderID, CommentSequence))"},
    {"DiscussionGroup",
     "CREATE TABLE IF NOT EXISTS DiscussionGroup ("
     " GroupCode INTEGER NOT NULL PRIMARY KEY,"
     " Description TEXT NOT NULL,"
     " FollowUpDays INTEGER NOT NULL DEFAULT 0)"},
    {"DiscussionType",
     "CREATE TABLE IF NOT EXISTS DiscussionType ("
     " TypeCode INTEGER NOT NULL PRIMARY KEY,"
     " Description TEXT NOT NULL,"
     " GroupCode INTEGER NOT NULL REFERENCES DiscussionGroup (GroupCode))"},
    {"DiscussionPriority",
     "CREATE TABLE IF NOT EXISTS DiscussionPriority ("
     " PriorityCode INTEGER NOT NULL PRIMARY KEY,"
     " Caption TEXT NOT NULL)"},
    {"CommentType",
     "CREATE TABLE IF NOT EXISTS CommentType ("
     " CommentTypeCode INTEGER NOT NULL PRIMARY KEY,"
     " Description TEXT NOT NULL)"},
};

}  // namespace

SchemaState schemaState(SqlConnection& connection) {
    std::size_t present = 0;
    for (const auto& table : kTables) {
        if (connection.hasTable(table.name)) ++present;
    }
    if (present == 0) return SchemaState::Empty;
    if (present < std::size(kTables)) return SchemaState::Partial;
    return SchemaState::Complete;
}

void createSchema(SqlConnection& connection) {
    for (const auto& table : kTables) connection.execute(table.create);
}

}  // namespace jex::server
