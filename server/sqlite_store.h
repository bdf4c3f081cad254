#pragma once

#include <filesystem>
#include <memory>

#include "sql_connection.h"

namespace jex::server {

// Opens the SQLite order database file at path, creating the file and its missing tables (with
// the demo orders in a database that had none), in write-ahead-log mode so that loads read while
// a save writes. The store holds no connection open between requests. Throws SqlError carrying
// SQLite's message when the file can't be opened or set up; a failed set-up leaves no table
// behind.
std::unique_ptr<OrderStore> openSqliteStore(const std::filesystem::path& path);

}  // namespace jex::server
