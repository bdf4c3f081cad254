#pragma once

#include <sqlite3.h>

#include <vector>

#include "sql_connection.h"

namespace jex::server {

// The SqlError for SQLite's last failure on db: its message, retryable when the file was busy or
// locked by another connection.
SqlError sqliteError(sqlite3* db, int resultCode);

// One compiled SQLite statement, finalized with the object. Its $1, $2, ... parameters are found
// by name, so they may appear in any order and more than once.
class SqliteStatement final : public SqlStatement {
  public:
    // Takes over statement, compiled on db (which outlives it).
    SqliteStatement(sqlite3* db, sqlite3_stmt* statement);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const SqlValue& value) override;
    bool step() override;
    SqlValue column(int index) const override;
    int columnCount() const override;
    void reset() override;

  private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement;
    std::vector<int> m_slots;  // SQLite's index of $n at [n], 0 where the text has no $n
};

}  // namespace jex::server
