#include "direct_statements.h"

#include <sqlite3.h>

#include <ctime>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "batch_runner.h"
#include "sqlite_connection.h"

namespace jex::bench {

namespace {

struct ConnectionClose {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionClose>;

Connection open(const std::filesystem::path& database) {
    sqlite3* db = nullptr;
    const int resultCode = sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    Connection connection(db);
    if (resultCode != SQLITE_OK) {
        throw std::runtime_error("cannot open " + database.string() + ": " +
                                 sqlite3_errstr(resultCode));
    }
    return connection;
}

void run(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
    const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw std::runtime_error(text + " in: " + sql);
}

// The runner's own transaction is not part of what it executes for the batches.
bool isTransactionControl(std::string_view sql) {
    return sql == "BEGIN IMMEDIATE" || sql == "COMMIT" || sql == "ROLLBACK";
}

int collectStatement(unsigned /*event*/, void* context, void* statement, void* /*text*/) {
    auto& statements = *static_cast<std::vector<std::string>*>(context);
    char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
    if (expanded != nullptr && !isTransactionControl(expanded)) statements.emplace_back(expanded);
    sqlite3_free(expanded);
    return 0;
}

// The same text the server's GETDATE() gives, written the short way.
void getDate(sqlite3_context* context, int /*argumentCount*/, sqlite3_value** /*arguments*/) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%b %d, %Y %H:%M:%S", &local);
    sqlite3_result_text(context, text, static_cast<int>(length), SQLITE_TRANSIENT);
}

}  // namespace

std::vector<std::string> executedStatements(const std::filesystem::path& database,
                                            const std::vector<std::string>& batches) {
    server::SqliteConnection connection(database, false);
    std::vector<std::string> statements;
    sqlite3_trace_v2(connection.handle(), SQLITE_TRACE_STMT, collectStatement, &statements);
    const server::BatchResult result = server::BatchRunner(connection).run(batches);
    sqlite3_trace_v2(connection.handle(), 0, nullptr, nullptr);
    if (result.outcome != server::BatchOutcome::Stored) {
        throw std::runtime_error("the batches did not store: " + result.error);
    }
    return statements;
}

void runInOneTransaction(const std::filesystem::path& database,
                         const std::vector<std::string>& statements) {
    const Connection db = open(database);
    sqlite3_create_function_v2(db.get(), "GETDATE", 0, SQLITE_UTF8, nullptr, getDate, nullptr,
                               nullptr, nullptr);
    run(db.get(), "BEGIN IMMEDIATE");
    try {
        for (const std::string& statement : statements) run(db.get(), statement);
        run(db.get(), "COMMIT");
    } catch (...) {
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace jex::bench
