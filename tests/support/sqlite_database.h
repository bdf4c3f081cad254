#pragma once

#include <filesystem>
#include <memory>

#include "sqlite_connection.h"
#include "sqlite_store.h"

namespace jex::test {

// A connection of the test's own to the SQLite order database at path, which is set up first as
// the server sets it up (a new file gets the demo orders).
inline std::unique_ptr<server::SqliteConnection> openDatabase(const std::filesystem::path& path) {
    server::openSqliteStore(path);
    return std::make_unique<server::SqliteConnection>(path, false);
}

}  // namespace jex::test
