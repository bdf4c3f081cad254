#include "sqlite_store.h"

#include <utility>

#include "schema.h"
#include "sqlite_connection.h"
#include "table_set_up.h"

namespace jex::server {

namespace {

class SqliteStore final : public OrderStore {
  public:
    explicit SqliteStore(std::filesystem::path path) : m_path(std::move(path)) {}

    std::unique_ptr<SqlConnection> connect() const override {
        return std::make_unique<SqliteConnection>(m_path, false);
    }
    std::string description() const override { return m_path.string(); }

  private:
    std::filesystem::path m_path;
};

// The log mode stays with the file, so every later connection writes ahead too.
void setUp(SqliteConnection& connection) {
    connection.execute("PRAGMA journal_mode=WAL");
    if (schemaState(connection) == SchemaState::Complete) return;
    connection.execute("BEGIN IMMEDIATE");
    try {
        // Another server may have set the file up while this one waited for the lock.
        setUpTables(connection);
        connection.execute("COMMIT");
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace

std::unique_ptr<OrderStore> openSqliteStore(const std::filesystem::path& path) {
    SqliteConnection connection(path, true);
    setUp(connection);
    return std::make_unique<SqliteStore>(path);
}

}  // namespace jex::server
