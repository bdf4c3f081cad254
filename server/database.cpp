#include "database.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "demo_data.h"
#include "schema.h"
#include "statement.h"

namespace jex::server {

namespace {

// Requests of the server share the file through separate connections; a writer holds the lock
// only for one batch, so waiting a little beats failing with "database is locked".
constexpr int kBusyTimeoutMilliseconds = 5000;

// A write transaction that rolls back unless committed.
class WriteTransaction {
  public:
    explicit WriteTransaction(sqlite3* db) : m_db(db) { execute(db, "BEGIN IMMEDIATE"); }
    ~WriteTransaction() {
        if (!m_committed) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit() {
        execute(m_db, "COMMIT");
        m_committed = true;
    }

  private:
    sqlite3* m_db;
    bool m_committed = false;
};

sqlite3* openConnection(const std::filesystem::path& path) {
    sqlite3* db = nullptr;
    const int resultCode =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (resultCode == SQLITE_OK) return db;
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path.string() + ": " + message);
}

// A write-ahead log lets a load read while a save writes; the log mode stays with the file, and
// full syncing makes an answered save survive a power cut, which the log alone does not.
void setJournaling(sqlite3* db) {
    execute(db, "PRAGMA journal_mode=WAL");
    execute(db, "PRAGMA synchronous=FULL");
}

void ensureTables(sqlite3* db) {
    if (schemaState(db) == SchemaState::Complete) return;
    WriteTransaction transaction(db);
    // Another connection may have set the file up while this one waited for the lock.
    const SchemaState state = schemaState(db);
    if (state != SchemaState::Complete) createSchema(db);
    if (state == SchemaState::Empty) insertDemoData(db);
    transaction.commit();
}

}  // namespace

Database::Database(const std::filesystem::path& path) : m_db(openConnection(path)) {
    try {
        sqlite3_busy_timeout(m_db, kBusyTimeoutMilliseconds);
        setJournaling(m_db);
        ensureTables(m_db);
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

Database::~Database() { sqlite3_close(m_db); }

Database::Database(Database&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

}  // namespace jex::server
