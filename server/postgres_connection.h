#pragma once

#include <libpq-fe.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sql_connection.h"

namespace jex::server {

// Closes a libpq connection.
struct PgConnFinish {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
using PgConnHandle = std::unique_ptr<PGconn, PgConnFinish>;

// Opens a connection to the PostgreSQL database that uri (or any libpq connection string) names.
// Throws SqlError carrying libpq's message, the password masked, when it can't be opened.
PgConnHandle connectPostgres(const std::string& uri);

// The text with every appearance of the password that uri holds replaced by "***" (the password
// as written in the uri and as libpq reads it); the text itself when uri holds none.
std::string maskPassword(const std::string& uri, std::string text);

// One open PostgreSQL connection. Statements run with their parameters sent as text beside the
// SQL, never written into it; a statement that fails throws SqlError carrying the server's
// message, retryable for a serialization failure, a deadlock or a key taken by a concurrent
// transaction. The connection stays usable after a failed statement once the transaction it
// failed in is rolled back.
class PostgresConnection : public SqlConnection {
  public:
    // Called when the object goes, with the connection when it is open and outside any
    // transaction (a pool may keep it then), otherwise never.
    using Release = std::function<void(PgConnHandle)>;

    explicit PostgresConnection(PgConnHandle connection, Release release = {});
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    // Nothing is sent before the statement's first step(), so a statement that doesn't compile
    // throws from there. Its columns are known once it ran.
    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override;
    void execute(std::string_view sql) override;
    bool hasTable(std::string_view name) override;
    const SqlDialect& dialect() const override;

    // A serializable transaction: two saves that would overlap in any order both commit, or one
    // of them fails retryable (at any statement or at commit()).
    void beginSave() override;
    // Throws SqlError when the transaction was aborted by an earlier failure (it is rolled back).
    void commit() override;
    void rollback() noexcept override;
    // The role's grants refuse inside the database, as a failed statement.
    std::optional<std::string> refusal() const override { return std::nullopt; }

  private:
    PgConnHandle m_connection;
    Release m_release;
};

}  // namespace jex::server
