#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace jex::server {

// A value read or bound: NULL, a whole number or text.
using SqlValue = std::variant<std::monostate, std::int64_t, std::string>;

// Thrown for any database failure; what() carries the database's own message. retryable() is
// true when running the whole transaction again may succeed (a serialization failure, a
// deadlock, a unique key taken by a concurrent save, a busy SQLite file).
class SqlError : public std::runtime_error {
  public:
    explicit SqlError(const std::string& message, bool retryable = false)
        : std::runtime_error(message), m_retryable(retryable) {}
    bool retryable() const noexcept { return m_retryable; }

  private:
    bool m_retryable;
};

// One compiled statement, released with the object. Parameters are written $1, $2, ... in the
// SQL text whatever the database. Every failing call throws SqlError; the connection stays
// usable (inside a save, only for rollback()).
class SqlStatement {
  public:
    virtual ~SqlStatement() = default;
    // Binds value to the 1-based parameter index; parameters never bound are NULL.
    virtual void bind(int index, const SqlValue& value) = 0;
    // Runs (on the first call after binding) and moves to the next row: false when done. A
    // statement that can't be compiled may fail here rather than in prepare().
    virtual bool step() = 0;
    // The 0-based column of the current row; a number with a fraction reads as its text.
    virtual SqlValue column(int index) const = 0;
    // Columns of the result; known only after the first step().
    virtual int columnCount() const = 0;
    // Ready to bind and run again; the bindings are cleared.
    virtual void reset() = 0;
};

// What differs between the databases in the SQL the server writes.
struct SqlDialect {
    std::string_view nullReplacement;  // the function giving its second argument for a NULL
};

// One open connection, used by one request at a time, closed with the object.
class SqlConnection {
  public:
    virtual ~SqlConnection() = default;
    // Exactly one statement; a second one in the text is an error. Throws SqlError.
    virtual std::unique_ptr<SqlStatement> prepare(std::string_view sql) = 0;
    // One or more statements without parameters or rows (schema, BEGIN/COMMIT/ROLLBACK). Throws
    // SqlError at the first failing one; those before it keep their effect.
    virtual void execute(std::string_view sql) = 0;
    // Whether a table of that name exists. Throws SqlError.
    virtual bool hasTable(std::string_view name) = 0;
    virtual const SqlDialect& dialect() const = 0;

    // A save request's transaction, with the statement guard on where the database has one:
    // only statements the control writes, against only the order tables. commit() and
    // rollback() end it and drop the guard. beginSave() and commit() throw SqlError (commit()
    // possibly a retryable one, after which the caller rolls back).
    virtual void beginSave() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    // What the statement guard refused while the last statement was prepared or run, if
    // anything (the SqlError thrown then says only that it was not allowed).
    virtual std::optional<std::string> refusal() const = 0;
};

// Set-up choices for a new store.
struct StoreOptions {
    std::string grantTo;  // a role given the rights a server needs, where the database has roles
};

// Where orders are stored: opens connections, each usable by one thread at a time.
class OrderStore {
  public:
    virtual ~OrderStore() = default;
    // Throws SqlError when the database can't be reached.
    virtual std::unique_ptr<SqlConnection> connect() const = 0;
    // The target as a log line may show it (a password masked).
    virtual std::string description() const = 0;
};

// Opens the store a connection string names: a "postgresql://" or "postgres://" URI is a
// PostgreSQL database, anything else a SQLite file path. Creates the missing tables, and in a
// database that had none the vocabularies and the demo orders, in one transaction. Throws
// SqlError when the database can't be opened or set up; a failed set-up leaves no table behind.
std::unique_ptr<OrderStore> openOrderStore(const std::string& connection,
                                           const StoreOptions& options = {});

}  // namespace jex::server
