#pragma once

#include <sqlite3.h>

#include <filesystem>

namespace jex::server {

// An open connection to the order database, closed with the object.
class Database {
  public:
    // Opens the file at path, creating the file, the missing tables and (in a database that had
    // none of the tables) the demo orders. Throws std::runtime_error carrying SQLite's message when
    // the file can't be opened or set up; a failed set-up leaves no table behind.
    explicit Database(const std::filesystem::path& path);
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The connection; it stays owned by this object.
    sqlite3* handle() const noexcept { return m_db; }

  private:
    sqlite3* m_db = nullptr;
};

}  // namespace jex::server
