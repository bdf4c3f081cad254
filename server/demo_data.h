#pragma once

#include <sqlite3.h>

namespace jex::server {

// Fills freshly created tables with the demo vocabularies and orders: PO1001 with open and
// resolved issues and their comments, PO1002 with issues but no comments, PO1003 with neither.
// Throws std::runtime_error carrying SQLite's message (a key already present, for one); the rows
// inserted before the failure stay unless the caller's transaction is rolled back.
void insertDemoData(sqlite3* db);

}  // namespace jex::server
