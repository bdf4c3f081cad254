// A save request with an arbitrary form body, handled in-process as the page handles a POST:
// an answer, never a crash, and nothing but the statements the control writes reaches SQLite.
// The same input also fills the values of batches the control's own builder writes, and those
// are never refused.
// An observer of its own checks the last: it sees every statement any connection runs, and
// after each request compares the schema, the tables other than the order tables and the files
// beside the database with what they were before the first.
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "discussion_server.h"
#include "platform/windows1252.h"
#include "save/sql_values.h"
#include "save/statements.h"
#include "sqlite_connection.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"

namespace {

namespace fs = std::filesystem;

// Every statement run on any connection of the process, while recording.
bool g_recording = false;
std::vector<std::string> g_statements;

int traceConnection(sqlite3* db, char** /*error*/, const sqlite3_api_routines* /*api*/) {
    const auto record = [](unsigned, void*, void*, void* sql) {
        if (g_recording) g_statements.emplace_back(static_cast<const char*>(sql));
        return 0;
    };
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, record, nullptr);
    return SQLITE_OK;
}

[[noreturn]] void fail(const std::string& why) {
    std::cerr << "fuzz_save_request: " << why << "\n";
    std::abort();
}

// What no save may change, read through a connection of the observer's own.
std::string snapshot(const fs::path& database) {
    constexpr std::string_view kOrderTables[] = {"OrderDiscussion", "OrderDiscussionComment",
                                                 "OrderHeader"};
    jex::server::SqliteConnection db(database, false);
    std::string text =
        jex::test::rows(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY name");
    std::istringstream tables(
        jex::test::rows(db, "SELECT name FROM sqlite_schema WHERE type = 'table'"));
    for (std::string table; std::getline(tables, table);) {
        if (std::ranges::find(kOrderTables, table) == std::end(kOrderTables))
            text += jex::test::rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
    }
    for (const auto& entry : fs::directory_iterator(database.parent_path()))
        text += entry.path().filename().string() + "\n";
    return text;
}

// A directory of its own, memory-backed when the system has it: every stored save syncs the file.
fs::path newDirectory() {
    for (const fs::path& base : {fs::path("/dev/shm"), fs::temp_directory_path()}) {
        std::string pattern = (base / "jex-fuzz-save-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) return pattern;
    }
    fail("no temporary directory");
}

// The page on a database of its own, and what the observer knows of it before any request.
struct Fixture {
    Fixture() {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
        // What opening the database and a connection runs (journal settings, the schema check)
        // is allowed too.
        g_recording = true;
        jex::server::openOrderStore(database.string())->connect();
        g_recording = false;
        opening.insert(g_statements.begin(), g_statements.end());
        before = snapshot(database);
    }
    ~Fixture() {
        server.reset();
        std::error_code ignored;
        fs::remove_all(database.parent_path(), ignored);
    }

    fs::path database = newDirectory() / "orders.db";
    std::unique_ptr<jex::server::DiscussionServer> server =
        std::make_unique<jex::server::DiscussionServer>(database);
    std::set<std::string> opening;
    std::string before;
};

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
    jex::Value unquoted() {
        std::string taken = text();
        std::erase(taken, '\'');
        return jex::Value(taken);
    }
    jex::Value number() {
        int value = 0;
        for (const unsigned char c : text()) value = (value * 31 + c) % 1000;
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
    const std::string user = sql::emptyIsBlank(in.unquoted());
    // The written forms of the values, as the builder's callers make them.
    const auto number = [&] { return sql::plain(in.number()); };
    const auto date = [&] { return sql::quoted(in.unquoted()); };
    const auto text = [&] { return sql::quotedDoubled(Value(in.text())); };
    const auto optionalText = [&] { return sql::emptyIsNullDoubled(Value(in.text())); };
    const auto optionalDate = [&] { return sql::nullIsNull(in.unquoted()); };
    const auto followUp = [&] { return sql::emptyIsNull(in.unquoted()); };
    const auto changedFollowUp = [&] { return sql::emptyIsNullDoubled(in.unquoted()); };
    const auto personType = [&] { return sql::emptyIsBlankPlain(in.number()); };
    const auto type = [&] { return sql::typeNumber(in.number()); };
    const auto flag = [&] { return sql::flag(Value(in.choice(2) == 0)); };
    const sql::NewIssueValues issue{key,          number(),   number(), date(), user,
                                    text(),       followUp(), "Null",   "''",   optionalText(),
                                    personType(), type(),     "''",     "0"};
    const auto comment = [&](const char* sequence, const char* issueSequence) {
        return sql::CommentValues{
            sequence,       issueSequence, key,    number(), date(), user, text(),         flag(),
            optionalDate(), "0",           "Null", "0",      "-1",   "0",  optionalDate(), "'1'"};
    };
    const sql::IssueChangeValues change{changedFollowUp(), "Null", "''", number(), number(),
                                        optionalText(),    "''",   "0",  "1",      key};
    std::vector<std::string> batches = {
        sql::newIssueDeclarations(bases, key) + sql::newIssueInsert(issue) +
            sql::newIssueCommentInsert(comment("007N", "005N"), 1) +
            sql::movedCommentUpdate(comment("6", "005N")),
        sql::issueUpdate(change) + sql::commentBaseDeclaration(zeroCommentBase, key) +
            sql::storedIssueCommentInsert(comment("008N", "001"), 1) +
            sql::storedCommentUpdate(comment("2", "001")),
        sql::openProblemBatch(key)};
    // The page reads a body that declares no charset in the code page.
    for (std::string& batch : batches) batch = jex::utf8ToWindows1252(batch);
    return batches;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Fixture fixture;
    const std::string input(reinterpret_cast<const char*>(data), size);
    g_statements.clear();
    g_recording = true;
    const jex::server::SaveAnswer answers[] = {
        fixture.server->save(input),
        fixture.server->save(jex::test::formBody(controlBatches(input)))};
    g_recording = false;
    for (const jex::server::SaveAnswer& answer : answers) {
        const bool stored = answer.status == 200 && answer.text.empty();
        const bool refused = (answer.status == 400 || answer.status == 500) && !answer.text.empty();
        if (!stored && !refused)
            fail("an answer of status " + std::to_string(answer.status) + ": " + answer.text);
    }
    if (answers[1].status == 400)
        fail("a batch the control writes was refused: " + answers[1].text);
    // Statements that change order rows, read, or frame the request's transaction.
    static const std::regex kRequestStatement("^(INSERT|UPDATE|SELECT|BEGIN|COMMIT|ROLLBACK)",
                                              std::regex::icase);
    for (const std::string& sql : g_statements) {
        if (!std::regex_search(sql.substr(0, 8), kRequestStatement) &&
            !fixture.opening.contains(sql))
            fail("a statement the control never writes ran: " + sql);
    }
    if (snapshot(fixture.database) != fixture.before)
        fail("a save changed what only the order tables may change");
    return 0;
}
