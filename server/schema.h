#pragma once

#include "sql_connection.h"

namespace jex::server {

// How much of the order database a database already holds.
enum class SchemaState { Empty, Partial, Complete };

// Which of the order and vocabulary tables exist. Throws SqlError when the database can't be
// read.
SchemaState schemaState(SqlConnection& connection);

// Creates the order tables (OrderHeader, OrderDiscussion, OrderDiscussionComment) and the
// vocabulary tables that are missing; existing tables and rows stay untouched. Throws SqlError;
// tables created before the failure stay unless the caller's transaction is rolled back.
void createSchema(SqlConnection& connection);

}  // namespace jex::server
