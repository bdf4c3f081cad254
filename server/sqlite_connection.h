#pragma once

#include <sqlite3.h>

#include <filesystem>

#include "sql_connection.h"
#include "statement_guard.h"

namespace jex::server {

// One connection to an order database file, closed with the object. Waits up to a few seconds
// for another connection's write lock, and syncs every commit fully.
class SqliteConnection final : public SqlConnection {
  public:
    // Opens the file at path, creating an empty one when create is set. Throws SqlError carrying
    // SQLite's message when it can't be opened.
    SqliteConnection(const std::filesystem::path& path, bool create);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override;
    void execute(std::string_view sql) override;
    bool hasTable(std::string_view name) override;
    const SqlDialect& dialect() const override;
    // BEGIN IMMEDIATE, so that the request holds the write lock from its start, and the guard on.
    void beginSave() override;
    void commit() override;
    void rollback() noexcept override;
    std::optional<std::string> refusal() const override;

    // The connection, for tools that watch what it runs; it stays owned by this object.
    sqlite3* handle() const noexcept { return m_db; }

  private:
    sqlite3* m_db;
    StatementGuard m_guard;
};

}  // namespace jex::server
