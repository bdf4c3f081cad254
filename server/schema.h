#pragma once

#include <sqlite3.h>

namespace jex::server {

// How much of the order database a file already holds.
enum class SchemaState { Empty, Partial, Complete };

// Which of the order and vocabulary tables exist. Throws std::runtime_error carrying SQLite's
// message when the file can't be read.
SchemaState schemaState(sqlite3* db);

// Creates the order tables (OrderHeader, OrderDiscussion, OrderDiscussionComment) and the
// vocabulary tables that are missing; existing tables and rows stay untouched. Throws
// std::runtime_error carrying SQLite's message; tables created before the failure stay unless the
// caller's transaction is rolled back.
void createSchema(sqlite3* db);

}  // namespace jex::server
