#include "batch_runner.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iomanip>
#include <iterator>
#include <locale>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "statement.h"

namespace jex::server {

namespace {

// A statement the control never writes, or one that reaches beyond the order tables: the request
// is refused rather than failed.
class StatementRefused : public std::runtime_error {
  public:
    explicit StatementRefused(const std::string& what)
        : std::runtime_error("statement not allowed: " + what) {}
};

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return lowerCase(a) == lowerCase(b);
}

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Tokens: just enough of the dialect to find where statements begin, with string literals,
// quoted names and comments kept whole so that nothing inside them counts.

enum class TokenKind { Blank, Word, Number, Quoted, Symbol };

struct Token {
    TokenKind kind;
    std::string text;
    int depth;  // parentheses open around the token
};

using Tokens = std::vector<Token>;

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isWordStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalpha(byte) != 0 || c == '_' || c == '@' || c == '#' || byte >= 0x80;
}
bool isWordPart(char c) { return isWordStart(c) || isDigit(c) || c == '$'; }

template <class Predicate>
std::size_t runEnd(std::string_view sql, std::size_t at, Predicate belongs) {
    while (at < sql.size() && belongs(sql[at])) ++at;
    return at;
}

// A doubled quote stands for itself inside a literal or a quoted name.
std::size_t quotedEnd(std::string_view sql, std::size_t begin) {
    const char close = sql[begin] == '[' ? ']' : sql[begin];
    std::size_t at = begin + 1;
    while (at < sql.size()) {
        if (sql[at] != close) {
            ++at;
            continue;
        }
        if (close != ']' && at + 1 < sql.size() && sql[at + 1] == close) {
            at += 2;
            continue;
        }
        return at + 1;
    }
    return sql.size();
}

std::size_t blankEnd(std::string_view sql, std::size_t begin) {
    const std::string_view rest = sql.substr(begin);
    if (rest.starts_with("--")) {
        const std::size_t lineEnd = sql.find('\n', begin);
        return lineEnd == std::string_view::npos ? sql.size() : lineEnd + 1;
    }
    if (rest.starts_with("/*")) {
        const std::size_t close = sql.find("*/", begin + 2);
        return close == std::string_view::npos ? sql.size() : close + 2;
    }
    return runEnd(sql, begin, isSpace);
}

// A number ends where letters begin, so "= 0INSERT" is the number 0 and then INSERT.
std::size_t numberEnd(std::string_view sql, std::size_t begin) {
    std::size_t end = runEnd(sql, begin, isDigit);
    if (end + 1 < sql.size() && sql[end] == '.' && isDigit(sql[end + 1])) {
        end = runEnd(sql, end + 1, isDigit);
    }
    return end;
}

std::pair<TokenKind, std::size_t> nextToken(std::string_view sql, std::size_t begin) {
    const char c = sql[begin];
    const std::string_view rest = sql.substr(begin);
    if (isSpace(c) || rest.starts_with("--") || rest.starts_with("/*")) {
        return {TokenKind::Blank, blankEnd(sql, begin)};
    }
    if (c == '\'' || c == '"' || c == '[') return {TokenKind::Quoted, quotedEnd(sql, begin)};
    if (isWordStart(c)) return {TokenKind::Word, runEnd(sql, begin, isWordPart)};
    if (isDigit(c)) return {TokenKind::Number, numberEnd(sql, begin)};
    return {TokenKind::Symbol, begin + 1};
}

Tokens tokenize(std::string_view sql) {
    Tokens tokens;
    int depth = 0;
    for (std::size_t at = 0; at < sql.size();) {
        const auto [kind, end] = nextToken(sql, at);
        std::string text(sql.substr(at, end - at));
        if (text == ")") depth = std::max(0, depth - 1);
        const bool opens = text == "(";
        tokens.push_back({kind, std::move(text), depth});
        if (opens) ++depth;
        at = end;
    }
    return tokens;
}

bool isWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::Word && equalsIgnoringCase(token.text, word);
}

bool isVariable(const Token& token) {
    return token.kind == TokenKind::Word && token.text.size() > 1 && token.text.front() == '@';
}

// The first token at or after from that isn't blank; tokens.size() when there is none.
std::size_t nextSignificant(const Tokens& tokens, std::size_t from) {
    while (from < tokens.size() && tokens[from].kind == TokenKind::Blank) ++from;
    return std::min(from, tokens.size());
}

bool isWordAt(const Tokens& tokens, std::size_t at, std::string_view word) {
    return at < tokens.size() && isWord(tokens[at], word);
}

bool isSymbolAt(const Tokens& tokens, std::size_t at, std::string_view symbol) {
    return at < tokens.size() && tokens[at].kind == TokenKind::Symbol && tokens[at].text == symbol;
}

std::string textOf(const Tokens& tokens, std::size_t from = 0, std::size_t to = std::string::npos) {
    std::string text;
    for (std::size_t at = from; at < std::min(to, tokens.size()); ++at) text += tokens[at].text;
    return text;
}

// The statement as the error texts show it.
std::string shown(std::string_view sql) { return std::string(trimmed(sql)); }

// T-SQL needs no ";" between statements: one begins at DECLARE, INSERT, UPDATE or a SET of a
// variable that stands outside parentheses (the SET of an UPDATE names a column).
bool startsStatement(const Tokens& tokens, std::size_t at) {
    const Token& token = tokens[at];
    if (token.kind != TokenKind::Word || token.depth != 0) return false;
    if (isWord(token, "DECLARE") || isWord(token, "INSERT") || isWord(token, "UPDATE")) return true;
    const std::size_t next = nextSignificant(tokens, at + 1);
    return isWord(token, "SET") && next < tokens.size() && isVariable(tokens[next]);
}

std::vector<Tokens> splitStatements(const Tokens& tokens) {
    std::vector<Tokens> statements(1);
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        if (startsStatement(tokens, at) && !statements.back().empty()) statements.emplace_back();
        statements.back().push_back(tokens[at]);
    }
    return statements;
}

// ISNULL is an operator in SQLite, so the T-SQL function takes SQLite's name for it.
void renameIsNull(Tokens& tokens) {
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        if (isWord(tokens[at], "isnull") &&
            isSymbolAt(tokens, nextSignificant(tokens, at + 1), "(")) {
            tokens[at].text = "ifnull";
        }
    }
}

// The next assignment of an UPDATE's SET list after from; tokens.size() when the list ends.
std::size_t nextAssignment(const Tokens& tokens, std::size_t from) {
    for (std::size_t at = from; at < tokens.size(); ++at) {
        if (tokens[at].depth != 0) continue;
        if (isWord(tokens[at], "WHERE") || isWord(tokens[at], "FROM")) return tokens.size();
        if (isSymbolAt(tokens, at, ",")) return at;
    }
    return tokens.size();
}

// SQLite takes no table name before a column that an UPDATE sets; the one in WHERE may stay.
void unqualifySetTargets(Tokens& tokens) {
    std::size_t at = 0;
    while (at < tokens.size() && !(tokens[at].depth == 0 && isWord(tokens[at], "SET"))) ++at;
    while (at < tokens.size()) {
        const std::size_t target = nextSignificant(tokens, at + 1);
        const std::size_t dot = nextSignificant(tokens, target + 1);
        if (isSymbolAt(tokens, dot, ".")) {
            const std::size_t column = nextSignificant(tokens, dot + 1);
            for (std::size_t qualifier = target; qualifier < column; ++qualifier) {
                tokens[qualifier].text.clear();
            }
        }
        at = nextAssignment(tokens, target);
    }
}

// The guard: the authorizer lets a batch read and write only the order tables, with the
// functions the control's statements call; the first action it refuses is kept for the error.

// Indexed by the authorizer's action code.
// clang-format off
constexpr const char* kActionNames[] = {
    "copy", "create index", "create table", "create temp index", "create temp table",
    "create temp trigger", "create temp view", "create trigger", "create view", "delete",
    "drop index", "drop table", "drop temp index", "drop temp table", "drop temp trigger",
    "drop temp view", "drop trigger", "drop view", "insert", "pragma", "read", "select",
    "transaction", "update", "attach", "detach", "alter table", "reindex", "analyze",
    "create vtable", "drop vtable", "function", "savepoint", "recursive",
};
// clang-format on
static_assert(SQLITE_RECURSIVE + 1 == std::size(kActionNames));

constexpr std::string_view kOrderTables[] = {"OrderDiscussion", "OrderDiscussionComment",
                                             "OrderHeader"};
constexpr std::string_view kFunctions[] = {"max", "count", "ifnull", "getdate"};

template <std::size_t N>
bool holdsIgnoringCase(const std::string_view (&names)[N], const char* name) {
    return name != nullptr && std::any_of(std::begin(names), std::end(names), [&](auto known) {
               return equalsIgnoringCase(known, name);
           });
}

bool isOrderTable(const char* database, const char* table) {
    return database != nullptr && std::string_view(database) == "main" &&
           holdsIgnoringCase(kOrderTables, table);
}

bool isAllowed(int action, const char* first, const char* second, const char* database) {
    switch (action) {
        case SQLITE_SELECT:
            return true;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_READ:
            return isOrderTable(database, first);
        case SQLITE_FUNCTION:
            return holdsIgnoringCase(kFunctions, second);
        default:
            return false;
    }
}

std::string describeAction(int action, const char* first, const char* second) {
    std::string text = action >= 0 && action < static_cast<int>(std::size(kActionNames))
                           ? kActionNames[action]
                           : "action " + std::to_string(action);
    for (const char* argument : {first, second}) {
        if (argument != nullptr) text += std::string(" ") + argument;
    }
    return text;
}

struct Guard {
    std::string refused;
};

int authorize(void* context, int action, const char* first, const char* second,
              const char* database, const char* /*trigger*/) {
    if (isAllowed(action, first, second, database)) return SQLITE_OK;
    auto& guard = *static_cast<Guard*>(context);
    if (guard.refused.empty()) guard.refused = describeAction(action, first, second);
    return SQLITE_DENY;
}

// Keeps the guard on the connection while it lives.
class GuardScope {
  public:
    GuardScope(sqlite3* db, Guard& guard) : m_db(db) {
        sqlite3_set_authorizer(db, authorize, &guard);
    }
    ~GuardScope() { sqlite3_set_authorizer(m_db, nullptr, nullptr); }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

  private:
    sqlite3* m_db;
};

// GETDATE(): the local time as the control writes time stamps; the classic locale keeps the month
// names English whatever the process's locale.
std::string localTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&local, "%b %d, %Y %H:%M:%S");
    return text.str();
}

void getDate(sqlite3_context* context, int /*argumentCount*/, sqlite3_value** /*arguments*/) {
    const std::string text = localTimeStamp();
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Running one batch.

struct ValueFree {
    void operator()(sqlite3_value* value) const { sqlite3_value_free(value); }
};
// A variable's value; empty until a SET gives it one.
using Variable = std::unique_ptr<sqlite3_value, ValueFree>;

struct StatementFinalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using PreparedStatement = std::unique_ptr<sqlite3_stmt, StatementFinalize>;

// One batch: its statements in order and the variables they declare, which die with it.
class Batch {
  public:
    Batch(sqlite3* db, Guard& guard) : m_db(db), m_guard(guard) {}

    void run(std::string_view sql) {
        for (Tokens& statement : splitStatements(tokenize(sql))) runStatement(statement);
    }

  private:
    void runStatement(Tokens& statement) {
        const std::size_t first = nextSignificant(statement, 0);
        if (first == statement.size()) return;
        renameIsNull(statement);
        if (isWordAt(statement, first, "DECLARE")) return declare(statement, first);
        if (isWordAt(statement, first, "SET")) return assign(statement, first);
        if (isWordAt(statement, first, "INSERT") &&
            isWordAt(statement, nextSignificant(statement, first + 1), "INTO")) {
            return change(textOf(statement));
        }
        // UPDATE OR REPLACE would delete the rows it collides with.
        if (isWordAt(statement, first, "UPDATE") &&
            !isWordAt(statement, nextSignificant(statement, first + 1), "OR")) {
            unqualifySetTargets(statement);
            return change(textOf(statement));
        }
        throw StatementRefused(shown(textOf(statement)));
    }

    // DECLARE @A int[, @B int ...][;]
    void declare(const Tokens& statement, std::size_t keyword) {
        std::size_t at = keyword;
        for (;;) {
            const std::size_t name = nextSignificant(statement, at + 1);
            const std::size_t type = nextSignificant(statement, name + 1);
            if (name == statement.size() || !isVariable(statement[name]) ||
                !isWordAt(statement, type, "int")) {
                throw StatementRefused(shown(textOf(statement)));
            }
            addVariable(statement[name].text);
            at = nextSignificant(statement, type + 1);
            if (at == statement.size() || isFinalSemicolon(statement, at)) return;
            if (!isSymbolAt(statement, at, ",")) throw StatementRefused(shown(textOf(statement)));
        }
    }

    // SET @A = expression[;]
    void assign(const Tokens& statement, std::size_t keyword) {
        const std::size_t name = nextSignificant(statement, keyword + 1);
        const std::size_t equals = nextSignificant(statement, name + 1);
        if (name == statement.size() || !isVariable(statement[name]) ||
            !isSymbolAt(statement, equals, "=")) {
            throw StatementRefused(shown(textOf(statement)));
        }
        const std::size_t end = expressionEnd(statement);
        const std::string expression = textOf(statement, equals + 1, end);
        if (trimmed(expression).empty()) throw StatementRefused(shown(textOf(statement)));
        Variable& target = declared(statement[name].text);
        // The parentheses keep the expression one expression: no FROM, no second statement.
        const std::string value = isMaxSubquery(statement, equals + 1, end)
                                      ? "ifnull((" + expression + "), 0)"
                                      : "(" + expression + ")";
        target = evaluate("SELECT " + value, textOf(statement));
    }

    // "(SELECT Max(...) ...)" and nothing else: the base a batch numbers new rows from. An order
    // without rows yet has no Max, and its first row takes number 1, as when the control writes
    // the base 0 itself; without this the first comment of an order would have no number.
    static bool isMaxSubquery(const Tokens& statement, std::size_t from, std::size_t end) {
        const std::size_t open = nextSignificant(statement, from);
        const std::size_t select = nextSignificant(statement, open + 1);
        const std::size_t max = nextSignificant(statement, select + 1);
        if (!isSymbolAt(statement, open, "(") || !isWordAt(statement, select, "SELECT") ||
            !isWordAt(statement, max, "Max") ||
            !isSymbolAt(statement, nextSignificant(statement, max + 1), "(")) {
            return false;
        }
        std::size_t close = end;
        while (close > open + 1 && statement[close - 1].kind == TokenKind::Blank) --close;
        if (!isSymbolAt(statement, close - 1, ")")) return false;
        // The parenthesis that opens the expression closes it only at its end.
        return std::all_of(statement.begin() + static_cast<std::ptrdiff_t>(open) + 1,
                           statement.begin() + static_cast<std::ptrdiff_t>(close) - 1,
                           [](const Token& token) { return token.depth > 0; });
    }

    // An INSERT or UPDATE.
    void change(const std::string& sql) {
        const PreparedStatement statement = prepare(sql, sql);
        bindVariables(statement.get());
        int resultCode = SQLITE_ROW;
        while (resultCode == SQLITE_ROW) resultCode = sqlite3_step(statement.get());
        if (resultCode != SQLITE_DONE) throw failure(sql);
    }

    // The value of a SELECT; errors show the statement as the batch wrote it.
    Variable evaluate(const std::string& sql, const std::string& written) {
        const PreparedStatement statement = prepare(sql, written);
        bindVariables(statement.get());
        if (sqlite3_step(statement.get()) != SQLITE_ROW) throw failure(written);
        return Variable(sqlite3_value_dup(sqlite3_column_value(statement.get(), 0)));
    }

    // Compiles sql, which must hold exactly one statement, under the guard.
    PreparedStatement prepare(const std::string& sql, const std::string& written) {
        m_guard.refused.clear();
        sqlite3_stmt* compiled = nullptr;
        const char* tail = nullptr;
        const int resultCode =
            sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &compiled, &tail);
        PreparedStatement statement(compiled);
        if (!m_guard.refused.empty()) {
            throw StatementRefused(m_guard.refused + " in: " + shown(written));
        }
        if (resultCode != SQLITE_OK) throw failure(written);
        // SQLite compiles only the first statement; whatever follows would run unchecked.
        const std::string_view rest(tail, static_cast<std::size_t>(sql.data() + sql.size() - tail));
        if (!trimmed(rest).empty()) {
            throw StatementRefused("a second statement in: " + shown(written));
        }
        if (!statement) throw StatementRefused("an empty statement");
        return statement;
    }

    void bindVariables(sqlite3_stmt* statement) {
        for (int index = 1; index <= sqlite3_bind_parameter_count(statement); ++index) {
            const char* name = sqlite3_bind_parameter_name(statement, index);
            if (name == nullptr || name[0] != '@') continue;
            const Variable& value = declared(name);
            if (value && sqlite3_bind_value(statement, index, value.get()) != SQLITE_OK) {
                throw std::runtime_error(sqlite3_errmsg(m_db));
            }
        }
    }

    std::runtime_error failure(const std::string& sql) const {
        return std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + shown(sql));
    }

    // T-SQL variable names ignore letter case; SQLite's parameter names don't.
    void addVariable(const std::string& name) {
        const auto [entry, added] = m_variables.try_emplace(lowerCase(name));
        if (!added) throw std::runtime_error("The variable name '" + name + "' is declared twice.");
    }

    Variable& declared(const std::string& name) {
        const auto entry = m_variables.find(lowerCase(name));
        if (entry == m_variables.end()) {
            throw std::runtime_error("Must declare the scalar variable \"" + name + "\".");
        }
        return entry->second;
    }

    static bool isFinalSemicolon(const Tokens& statement, std::size_t at) {
        return isSymbolAt(statement, at, ";") &&
               nextSignificant(statement, at + 1) == statement.size();
    }

    static std::size_t expressionEnd(const Tokens& statement) {
        std::size_t last = statement.size();
        while (last > 0 && statement[last - 1].kind == TokenKind::Blank) --last;
        return last > 0 && isFinalSemicolon(statement, last - 1) ? last - 1 : statement.size();
    }

    sqlite3* m_db;
    Guard& m_guard;
    std::map<std::string, Variable> m_variables;
};

void runGuarded(sqlite3* db, const std::vector<std::string>& batches) {
    Guard guard;
    const GuardScope scope(db, guard);
    for (const std::string& batch : batches) Batch(db, guard).run(batch);
}

}  // namespace

BatchRunner::BatchRunner(sqlite3* db) : m_db(db) {
    const int resultCode = sqlite3_create_function_v2(db, "GETDATE", 0, SQLITE_UTF8, nullptr,
                                                      getDate, nullptr, nullptr, nullptr);
    if (resultCode != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db));
}

BatchResult BatchRunner::run(const std::vector<std::string>& batches) const {
    try {
        execute(m_db, "BEGIN IMMEDIATE");
    } catch (const std::exception& error) {
        return {BatchOutcome::Failed, error.what()};
    }
    BatchResult result;
    try {
        runGuarded(m_db, batches);
        execute(m_db, "COMMIT");
        return result;
    } catch (const StatementRefused& refusal) {
        result = {BatchOutcome::Refused, refusal.what()};
    } catch (const std::exception& error) {
        result = {BatchOutcome::Failed, error.what()};
    }
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return result;
}

}  // namespace jex::server
