#pragma once

#include "sql_connection.h"

namespace jex::server {

// Within the caller's transaction: creates the order and vocabulary tables that are missing and,
// in a database that had none of them, fills in the vocabularies and the demo orders. Does
// nothing on a complete database. Throws SqlError; the caller's rollback then undoes it all.
void setUpTables(SqlConnection& connection);

}  // namespace jex::server
