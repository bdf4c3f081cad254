#pragma once

#include "sql_connection.h"

namespace jex::server {

// Fills freshly created tables with the demo vocabularies and orders: PO1001 with open and
// resolved issues and their comments, PO1002 with issues but no comments, PO1003 with neither.
// Throws SqlError (a key already present, for one); the rows inserted before the failure stay
// unless the caller's transaction is rolled back.
void insertDemoData(SqlConnection& connection);

}  // namespace jex::server
