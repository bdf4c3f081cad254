// A save request with an arbitrary form body, handled in-process as the page handles a POST:
// an answer, never a crash, and nothing but the statements the control writes reaches SQLite.
// The same input also fills the values of batches the control's own builder writes, and those
// are never refused.
// An observer of its own checks the last: it sees every statement any connection runs, and
// after each request compares the schema, the tables other than the order tables and the files
// beside the database with what they were before the first.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "discussion_server.h"
#include "platform/windows1252.h"
#include "save/sql_values.h"
#include "save/statements.h"
#include "sql_connection.h"

namespace {

// Statements that change order rows, read, or frame the request's transaction.
constexpr std::string_view kRequestStatementKinds[] = {"INSERT", "UPDATE", "SELECT",
                                                       "BEGIN",  "COMMIT", "ROLLBACK"};
constexpr std::string_view kOrderTables[] = {"OrderDiscussion", "OrderDiscussionComment",
                                             "OrderHeader"};

// Every statement run on any connection of the process, while recording.
struct StatementLog {
    bool recording = false;
    std::vector<std::string> statements;
};
StatementLog g_log;

int recordStatement(unsigned /*event*/, void* /*context*/, void* /*statement*/, void* sql) {
    if (g_log.recording) g_log.statements.emplace_back(static_cast<const char*>(sql));
    return 0;
}

int traceConnection(sqlite3* db, char** /*error*/, const sqlite3_api_routines* /*api*/) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, recordStatement, nullptr);
    return SQLITE_OK;
}

std::string upperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

bool isRequestStatement(std::string_view sql) {
    const std::string head = upperCase(sql.substr(0, 8));
    return std::any_of(std::begin(kRequestStatementKinds), std::end(kRequestStatementKinds),
                       [&](std::string_view kind) { return head.starts_with(kind); });
}

[[noreturn]] void fail(const std::string& why) {
    std::cerr << "fuzz_save_request: " << why << "\n";
    std::abort();
}

// What no save may change, read through a connection of the observer's own.
class Snapshot {
  public:
    explicit Snapshot(const std::filesystem::path& database) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            fail("the observer cannot open the database");
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
        m_text = rows(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY name");
        for (const std::string& table : otherTables(db))
            m_text += rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
        sqlite3_close(db);
        for (const auto& entry : std::filesystem::directory_iterator(database.parent_path()))
            m_text += entry.path().filename().string() + "\n";
    }
    bool operator==(const Snapshot&) const = default;

  private:
    static std::string rows(sqlite3* db, const std::string& query) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            fail("the observer cannot read: " + query);
        std::string text;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                const auto* value = sqlite3_column_text(statement, column);
                text += value == nullptr ? "NULL" : reinterpret_cast<const char*>(value);
                text += '|';
            }
            text += '\n';
        }
        sqlite3_finalize(statement);
        return text;
    }

    static std::vector<std::string> otherTables(sqlite3* db) {
        std::vector<std::string> tables;
        std::string names = rows(db, "SELECT name FROM sqlite_schema WHERE type = 'table'");
        for (size_t end = names.find("|\n"); end != std::string::npos; end = names.find("|\n")) {
            const std::string name = names.substr(0, end);
            names.erase(0, end + 2);
            if (std::find(std::begin(kOrderTables), std::end(kOrderTables), name) ==
                std::end(kOrderTables))
                tables.push_back(name);
        }
        return tables;
    }

    std::string m_text;
};

// The page on a database of its own, and what the observer knows of it before any request.
struct Fixture {
    Fixture() {
        std::string pattern = (baseDirectory() / "jex-fuzz-save-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) fail("no temporary directory");
        directory = pattern;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
        server = std::make_unique<jex::server::DiscussionServer>(directory / "orders.db");
        // What opening the database and a connection runs (journal settings, the schema check)
        // is allowed too.
        g_log.recording = true;
        jex::server::openOrderStore((directory / "orders.db").string())->connect();
        g_log.recording = false;
        openingStatements.insert(g_log.statements.begin(), g_log.statements.end());
        before = std::make_unique<Snapshot>(directory / "orders.db");
    }
    ~Fixture() {
        server.reset();
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }

    // Memory-backed when the system has it: every stored save syncs the file.
    static std::filesystem::path baseDirectory() {
        std::error_code ignored;
        if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path directory;
    std::unique_ptr<jex::server::DiscussionServer> server;
    std::set<std::string> openingStatements;
    std::unique_ptr<Snapshot> before;
};

void checkStatements(const Fixture& fixture) {
    for (const std::string& sql : g_log.statements) {
        if (!isRequestStatement(sql) && !fixture.openingStatements.contains(sql))
            fail("a statement the control never writes ran: " + sql);
    }
}

void checkAnswer(const jex::server::SaveAnswer& answer) {
    const bool stored = answer.status == 200 && answer.text.empty();
    const bool refused = (answer.status == 400 || answer.status == 500) && !answer.text.empty();
    if (!stored && !refused)
        fail("an answer of status " + std::to_string(answer.status) + ": " + answer.text);
}

// The input taken apart into the values of a change set, as the screen would give them.
class ChangeValues {
  public:
    explicit ChangeValues(std::string_view data) : m_data(data) {}

    std::string text() {
        const size_t end = std::min(m_data.find('\0'), m_data.size());
        std::string taken(m_data.substr(0, end));
        m_data.remove_prefix(std::min(end + 1, m_data.size()));
        return taken;
    }
    // Dates and the user name never hold a quote: the control writes them undoubled.
    std::string unquotedText() {
        std::string taken = text();
        std::erase(taken, '\'');
        return taken;
    }
    jex::Value number() {
        const std::string taken = text();
        int value = 0;
        for (const unsigned char c : taken) value = (value * 31 + c) % 1000;
        return jex::Value(static_cast<int16_t>(value - 500));
    }
    int choice(int count) {
        return m_data.empty() ? 0 : static_cast<unsigned char>(m_data[0]) % count;
    }

  private:
    std::string_view m_data;
};

// Batches the control's own builder writes for order PO1001, with the input's values in their
// written forms: one for a new issue with a new and a moved comment, one for stored rows, the
// open-problem batch.
std::vector<std::string> controlBatches(std::string_view data) {
    namespace sql = jex::sql;
    using jex::Value;
    ChangeValues in(data);
    const auto bases = static_cast<sql::NewIssueBases>(in.choice(4));
    const bool zeroCommentBase = in.choice(2) == 0;
    const std::string key = sql::quoted(Value("PO1001"));
    const std::string user = sql::emptyIsBlank(Value(in.unquotedText()));
    const sql::NewIssueValues issue{key,
                                    sql::plain(in.number()),
                                    sql::plain(in.number()),
                                    sql::quoted(Value(in.unquotedText())),
                                    user,
                                    sql::quotedDoubled(Value(in.text())),
                                    sql::emptyIsNull(Value(in.unquotedText())),
                                    "Null",
                                    "''",
                                    sql::emptyIsNullDoubled(Value(in.text())),
                                    sql::emptyIsBlankPlain(in.number()),
                                    sql::typeNumber(in.number()),
                                    "''",
                                    "0"};
    const auto comment = [&](const char* sequence, const char* issueSequence) {
        return sql::CommentValues{sequence,
                                  issueSequence,
                                  key,
                                  sql::plain(in.number()),
                                  sql::quoted(Value(in.unquotedText())),
                                  user,
                                  sql::quotedDoubled(Value(in.text())),
                                  sql::flag(Value(in.choice(2) == 0)),
                                  sql::nullIsNull(Value(in.unquotedText())),
                                  "0",
                                  "Null",
                                  "0",
                                  "-1",
                                  "0",
                                  sql::nullIsNull(Value(in.unquotedText())),
                                  "'1'"};
    };
    const sql::IssueChangeValues change{sql::emptyIsNullDoubled(Value(in.unquotedText())),
                                        "Null",
                                        "''",
                                        sql::plain(in.number()),
                                        sql::plain(in.number()),
                                        sql::emptyIsNullDoubled(Value(in.text())),
                                        "''",
                                        "0",
                                        "1",
                                        key};
    return {sql::newIssueDeclarations(bases, key) + sql::newIssueInsert(issue) +
                sql::newIssueCommentInsert(comment("007N", "005N"), 1) +
                sql::movedCommentUpdate(comment("6", "005N")),
            sql::issueUpdate(change) + sql::commentBaseDeclaration(zeroCommentBase, key) +
                sql::storedIssueCommentInsert(comment("008N", "001"), 1) +
                sql::storedCommentUpdate(comment("2", "001")),
            sql::openProblemBatch(key)};
}

std::string formBody(const std::vector<std::string>& batches) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string body;
    for (const std::string& batch : batches) {
        body += "SQL=";
        for (const unsigned char c : jex::utf8ToWindows1252(batch)) {
            body += '%';
            body += kHex[c >> 4];
            body += kHex[c & 0x0F];
        }
        body += '&';
    }
    return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Fixture fixture;
    g_log.statements.clear();
    g_log.recording = true;
    const jex::server::SaveAnswer answer =
        fixture.server->save(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string input(reinterpret_cast<const char*>(data), size);
    const jex::server::SaveAnswer built = fixture.server->save(formBody(controlBatches(input)));
    g_log.recording = false;
    checkAnswer(answer);
    checkAnswer(built);
    if (built.status == 400) fail("a batch the control writes was refused: " + built.text);
    checkStatements(fixture);
    if (!(Snapshot(fixture.directory / "orders.db") == *fixture.before))
        fail("a save changed what only the order tables may change");
    return 0;
}
