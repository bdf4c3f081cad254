#include "sqlite_connection.h"

#include <string>

#include "sqlite_statement.h"

namespace jex::server {

namespace {

// Requests of the server share the file through separate connections; a writer holds the lock
// only for one request, so waiting a little beats failing with "database is locked".
constexpr int kBusyTimeoutMilliseconds = 5000;

// ISNULL is an operator in SQLite; its function giving the second argument for a NULL is ifnull.
constexpr SqlDialect kDialect{"ifnull"};

sqlite3* openFile(const std::filesystem::path& path, bool create) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int resultCode = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (resultCode == SQLITE_OK) return db;
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    sqlite3_close(db);
    throw SqlError("cannot open " + path.string() + ": " + message);
}

void run(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    const int resultCode = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    if (resultCode == SQLITE_OK) return;
    SqlError error = sqliteError(db, resultCode);
    if (message != nullptr) error = SqlError(message, error.retryable());
    sqlite3_free(message);
    throw error;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& path, bool create)
    : m_db(openFile(path, create)), m_guard(m_db) {
    try {
        sqlite3_busy_timeout(m_db, kBusyTimeoutMilliseconds);
        // The write-ahead log (the file's own mode, set by the store) alone doesn't make an
        // answered save survive a power cut; full syncing does.
        run(m_db, "PRAGMA synchronous=FULL");
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

SqliteConnection::~SqliteConnection() {
    m_guard.turnOff();
    sqlite3_close(m_db);
}

std::unique_ptr<SqlStatement> SqliteConnection::prepare(std::string_view sql) {
    m_guard.clearRefusal();
    sqlite3_stmt* compiled = nullptr;
    const char* tail = nullptr;
    const int resultCode =
        sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &compiled, &tail);
    if (resultCode != SQLITE_OK) {
        sqlite3_finalize(compiled);
        throw sqliteError(m_db, resultCode);
    }
    auto statement = std::make_unique<SqliteStatement>(m_db, compiled);
    if (compiled == nullptr) throw SqlError("no statement to run");
    // SQLite compiles only the first statement; whatever follows would escape the guard.
    const std::string_view rest(tail, static_cast<std::size_t>(sql.data() + sql.size() - tail));
    if (!isBlank(rest)) {
        if (m_guard.isOn()) m_guard.refuse("a second statement");
        throw SqlError("more than one statement to prepare");
    }
    return statement;
}

void SqliteConnection::execute(std::string_view sql) { run(m_db, std::string(sql)); }

bool SqliteConnection::hasTable(std::string_view name) {
    const auto query = prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = $1");
    query->bind(1, std::string(name));
    return query->step();
}

const SqlDialect& SqliteConnection::dialect() const { return kDialect; }

void SqliteConnection::beginSave() {
    run(m_db, "BEGIN IMMEDIATE");
    m_guard.clearRefusal();
    m_guard.turnOn();
}

// The guard would refuse the transaction statements themselves.
void SqliteConnection::commit() {
    m_guard.turnOff();
    run(m_db, "COMMIT");
}

void SqliteConnection::rollback() noexcept {
    m_guard.turnOff();
    if (sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::optional<std::string> SqliteConnection::refusal() const { return m_guard.refusal(); }

}  // namespace jex::server
