#include "postgres_connection.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace jex::server {

namespace {

// The type numbers of PostgreSQL's built-in types that we send or read as whole numbers.
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
// Leaves the type to the server, as for a quoted literal in the same place.
constexpr Oid kInferred = 0;

const SqlDialect kDialect{"coalesce"};

constexpr int kMaxParameters = 65535;

struct PgResultClear {
    void operator()(PGresult* result) const { PQclear(result); }
};
using PgResultHandle = std::unique_ptr<PGresult, PgResultClear>;

// SQLSTATEs after which running the whole transaction again may succeed: a serialization
// failure, a deadlock, and a key a concurrent transaction took first.
bool isRetryable(const char* sqlState) {
    if (sqlState == nullptr) return false;
    const std::string_view state(sqlState);
    return state == "40001" || state == "40P01" || state == "23505";
}

std::string withoutTrailingNewlines(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// The server's own message for a failed result; libpq's when the connection itself failed.
SqlError resultError(PGconn* connection, const PGresult* result) {
    const char* primary =
        result != nullptr ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const char* sqlState =
        result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string message = primary != nullptr ? primary : PQerrorMessage(connection);
    return SqlError(withoutTrailingNewlines(message), isRetryable(sqlState));
}

// Takes the result of a command; throws SqlError unless it succeeded.
PgResultHandle checked(PGconn* connection, PGresult* raw) {
    PgResultHandle result(raw);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    throw resultError(connection, result.get());
}

// PostgreSQL text holds no NUL, and libpq would end the text at it without a word.
std::string nulFree(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw SqlError("a NUL character in a statement");
    return std::string(text);
}

PgResultHandle run(PGconn* connection, std::string_view sql) {
    return checked(connection, PQexec(connection, nulFree(sql).c_str()));
}

bool isWholeNumberType(Oid type) { return type == kInt2 || type == kInt4 || type == kInt8; }

SqlValue wholeNumber(std::string_view text) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw SqlError("not a whole number: " + std::string(text));
    }
    return number;
}

// The end of the quoted text, comment or dollar-quoted string that begins at begin, or begin
// when none does there.
std::size_t skipQuoted(std::string_view sql, std::size_t begin) {
    const std::string_view rest = sql.substr(begin);
    if (rest.starts_with("--")) return std::min(sql.find('\n', begin), sql.size());
    if (rest.starts_with("/*")) return std::min(sql.find("*/", begin + 2), sql.size() - 2) + 2;
    if (rest.front() == '\'' || rest.front() == '"') {
        // A doubled quote stands for itself and ends nothing.
        return std::min(sql.find(rest.front(), begin + 1), sql.size() - 1) + 1;
    }
    if (rest.front() != '$') return begin;
    const std::size_t tagEnd = sql.find_first_not_of(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_0123456789", begin + 1);
    if (tagEnd == std::string_view::npos || sql[tagEnd] != '$' ||
        (tagEnd > begin + 1 && std::isdigit(static_cast<unsigned char>(sql[begin + 1])))) {
        return begin;
    }
    const std::string_view tag = sql.substr(begin, tagEnd + 1 - begin);
    const std::size_t close = sql.find(tag, tagEnd + 1);
    return close == std::string_view::npos ? sql.size() : close + tag.size();
}

// The highest $n the statement names outside its quoted texts and comments: the parameters it
// takes, the unbound ones NULL.
int parameterCount(std::string_view sql) {
    int count = 0;
    for (std::size_t at = 0; at < sql.size();) {
        const std::size_t skipped = skipQuoted(sql, at);
        if (skipped != at) {
            at = skipped;
            continue;
        }
        ++at;
        if (sql[at - 1] != '$' || at == sql.size() ||
            !std::isdigit(static_cast<unsigned char>(sql[at]))) {
            continue;
        }
        int number = 0;
        const auto [end, error] = std::from_chars(sql.data() + at, sql.data() + sql.size(), number);
        // The wire protocol counts parameters in 16 bits; a larger number is the server's error
        // to report, not ours to make room for.
        if (error == std::errc() && number <= kMaxParameters) count = std::max(count, number);
        at = static_cast<std::size_t>(end - sql.data());
    }
    return count;
}

// One statement sent with its parameters as text; the rows of a run are read whole.
class PostgresStatement : public SqlStatement {
  public:
    PostgresStatement(PGconn* connection, std::string_view sql)
        : m_connection(connection),
          m_sql(nulFree(sql)),
          m_parameters(static_cast<std::size_t>(parameterCount(m_sql))) {}

    void bind(int index, const SqlValue& value) override {
        if (index < 1 || static_cast<std::size_t>(index) > m_parameters.size()) {
            throw SqlError("parameter index out of range: " + std::to_string(index));
        }
        m_parameters[static_cast<std::size_t>(index - 1)] = value;
    }

    bool step() override {
        if (!m_result) execute();
        if (m_row + 1 >= PQntuples(m_result.get())) {
            m_row = PQntuples(m_result.get());
            return false;
        }
        ++m_row;
        return true;
    }

    SqlValue column(int index) const override {
        if (!m_result || m_row < 0 || m_row >= PQntuples(m_result.get()) || index < 0 ||
            index >= PQnfields(m_result.get())) {
            throw SqlError("no such column: " + std::to_string(index));
        }
        if (PQgetisnull(m_result.get(), m_row, index)) return std::monostate{};
        const std::string_view text(
            PQgetvalue(m_result.get(), m_row, index),
            static_cast<std::size_t>(PQgetlength(m_result.get(), m_row, index)));
        if (isWholeNumberType(PQftype(m_result.get(), index))) return wholeNumber(text);
        return std::string(text);
    }

    int columnCount() const override { return m_result ? PQnfields(m_result.get()) : 0; }

    void reset() override {
        m_result.reset();
        m_row = -1;
        std::fill(m_parameters.begin(), m_parameters.end(), SqlValue());
    }

  private:
    void execute() {
        std::vector<Oid> types;
        std::vector<std::string> texts;
        texts.reserve(m_parameters.size());
        for (const SqlValue& value : m_parameters) {
            if (const auto* number = std::get_if<std::int64_t>(&value)) {
                types.push_back(kInt8);
                texts.push_back(std::to_string(*number));
            } else if (const auto* text = std::get_if<std::string>(&value)) {
                types.push_back(kInferred);
                texts.push_back(nulFree(*text));
            } else {
                types.push_back(kInferred);
                texts.emplace_back();
            }
        }
        std::vector<const char*> values;
        for (std::size_t at = 0; at < m_parameters.size(); ++at) {
            const bool isNull = std::holds_alternative<std::monostate>(m_parameters[at]);
            values.push_back(isNull ? nullptr : texts[at].c_str());
        }
        m_result = checked(
            m_connection, PQexecParams(m_connection, m_sql.c_str(), static_cast<int>(values.size()),
                                       types.data(), values.data(), nullptr, nullptr, 0));
        m_row = -1;
    }

    PGconn* m_connection;
    std::string m_sql;
    std::vector<SqlValue> m_parameters;
    PgResultHandle m_result;
    int m_row = -1;
};

// The password as libpq reads it from uri; empty when there is none or uri doesn't parse.
std::string passwordOf(const std::string& uri) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(uri.c_str(), &error);
    if (error != nullptr) PQfreemem(error);
    if (options == nullptr) return {};
    std::string password;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        if (std::string_view(option->keyword) == "password" && option->val != nullptr) {
            password = option->val;
        }
    }
    PQconninfoFree(options);
    return password;
}

// The password as written between "user:" and "@" in a URI, still percent-encoded.
std::string writtenPassword(const std::string& uri) {
    const std::size_t scheme = uri.find("://");
    if (scheme == std::string::npos) return {};
    const std::size_t authority = scheme + 3;
    const std::size_t at = uri.find('@', authority);
    const std::size_t slash = uri.find('/', authority);
    if (at == std::string::npos || (slash != std::string::npos && slash < at)) return {};
    const std::size_t colon = uri.find(':', authority);
    if (colon == std::string::npos || colon > at) return {};
    return uri.substr(colon + 1, at - colon - 1);
}

void replaceAll(std::string& text, const std::string& secret) {
    if (secret.empty()) return;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3)) {
        text.replace(at, secret.size(), "***");
    }
}

}  // namespace

std::string maskPassword(const std::string& uri, std::string text) {
    replaceAll(text, writtenPassword(uri));
    replaceAll(text, passwordOf(uri));
    return text;
}

PgConnHandle connectPostgres(const std::string& uri) {
    // The search path is fixed at the start of the session, so that a reset returns to it
    // whatever the URI or the role's settings say.
    const char* const keywords[] = {"dbname", "options", nullptr};
    const char* const values[] = {uri.c_str(), "-c search_path=public", nullptr};
    PgConnHandle connection(PQconnectdbParams(keywords, values, 1));
    if (!connection) throw SqlError("out of memory opening a PostgreSQL connection");
    if (PQstatus(connection.get()) != CONNECTION_OK) {
        throw SqlError(
            maskPassword(uri, withoutTrailingNewlines(PQerrorMessage(connection.get()))));
    }
    return connection;
}

PostgresConnection::PostgresConnection(PgConnHandle connection, Release release)
    : m_connection(std::move(connection)), m_release(std::move(release)) {}

// A connection goes back to the pool as a new one would come: nothing one request set (a
// setting, a prepared statement, a temporary table) reaches the next.
PostgresConnection::~PostgresConnection() {
    const bool reusable = m_release && PQstatus(m_connection.get()) == CONNECTION_OK &&
                          PQtransactionStatus(m_connection.get()) == PQTRANS_IDLE;
    if (!reusable) return;
    try {
        run(m_connection.get(), "DISCARD ALL");
    } catch (const SqlError&) {
        return;
    }
    m_release(std::move(m_connection));
}

std::unique_ptr<SqlStatement> PostgresConnection::prepare(std::string_view sql) {
    return std::make_unique<PostgresStatement>(m_connection.get(), sql);
}

void PostgresConnection::execute(std::string_view sql) { run(m_connection.get(), sql); }

bool PostgresConnection::hasTable(std::string_view name) {
    // to_regclass folds an unquoted name to lower case, as the statements' names are.
    PostgresStatement query(m_connection.get(), "SELECT to_regclass($1) IS NOT NULL");
    query.bind(1, std::string(name));
    return query.step() && query.column(0) == SqlValue(std::string("t"));
}

const SqlDialect& PostgresConnection::dialect() const { return kDialect; }

void PostgresConnection::beginSave() { execute("BEGIN ISOLATION LEVEL SERIALIZABLE"); }

void PostgresConnection::commit() {
    // COMMIT of an aborted transaction rolls it back and reports success.
    if (PQtransactionStatus(m_connection.get()) == PQTRANS_INERROR) {
        rollback();
        throw SqlError("the transaction was aborted by an earlier error");
    }
    execute("COMMIT");
}

void PostgresConnection::rollback() noexcept {
    // A failed COMMIT has ended the transaction already.
    if (PQtransactionStatus(m_connection.get()) == PQTRANS_IDLE) return;
    PQclear(PQexec(m_connection.get(), "ROLLBACK"));
}

}  // namespace jex::server
