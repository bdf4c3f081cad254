#include "batch_runner.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <iomanip>
#include <locale>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "batch_tokens.h"
#include "sql_values.h"
#include "statement_forms.h"

namespace jex::server {

namespace {

// A request that keeps meeting concurrent ones gives up after this many runs.
constexpr int kMaxAttempts = 20;
// The longest pause before the next run grows by this much per run.
constexpr std::chrono::milliseconds kPauseStep{5};

// The statement as the error texts show it: as posted.
std::string shown(std::string_view written) { return std::string(written); }

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

// The T-SQL function takes the database's own name for it.
void renameIsNull(StatementTokens tokens, std::string_view replacement) {
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        if (isWord(tokens[at], "isnull") &&
            isSymbolAt(tokens, nextSignificant(tokens, at + 1), "(")) {
            tokens[at].text = replacement;
        }
    }
}

// The next assignment of an UPDATE's SET list after from; tokens.size() when the list ends.
std::size_t nextAssignment(StatementTokens tokens, std::size_t from) {
    for (std::size_t at = from; at < tokens.size(); ++at) {
        if (tokens[at].depth != 0) continue;
        if (isWord(tokens[at], "WHERE") || isWord(tokens[at], "FROM")) return tokens.size();
        if (isSymbolAt(tokens, at, ",")) return at;
    }
    return tokens.size();
}

// The databases take no table name before a column that an UPDATE sets; the one in WHERE may
// stay.
void unqualifySetTargets(StatementTokens tokens) {
    std::size_t at = 0;
    while (at < tokens.size() && !(tokens[at].depth == 0 && isWord(tokens[at], "SET"))) ++at;
    while (at < tokens.size()) {
        const std::size_t target = nextSignificant(tokens, at + 1);
        const std::size_t dot = nextSignificant(tokens, target + 1);
        if (isSymbolAt(tokens, dot, ".")) {
            const std::size_t column = nextSignificant(tokens, dot + 1);
            for (std::size_t qualifier = target; qualifier < column; ++qualifier) {
                tokens[qualifier].text = {};
            }
        }
        at = nextAssignment(tokens, target);
    }
}

// The index of the ")" of "GETDATE()" starting at at; nothing when the tokens there are no call
// of it.
std::optional<std::size_t> getDateCallEnd(StatementTokens tokens, std::size_t at) {
    if (!isWord(tokens[at], "GETDATE")) return std::nullopt;
    const std::size_t open = nextSignificant(tokens, at + 1);
    const std::size_t close = nextSignificant(tokens, open + 1);
    if (!isSymbolAt(tokens, open, "(") || !isSymbolAt(tokens, close, ")")) return std::nullopt;
    return close;
}

bool isFinalSemicolon(StatementTokens statement, std::size_t at) {
    return isSymbolAt(statement, at, ";") && nextSignificant(statement, at + 1) == statement.size();
}

// Where a SET's expression ends: before a closing ";", if any.
std::size_t expressionEnd(StatementTokens statement) {
    std::size_t last = statement.size();
    while (last > 0 && statement[last - 1].kind == TokenKind::Blank) --last;
    return last > 0 && isFinalSemicolon(statement, last - 1) ? last - 1 : statement.size();
}

// "(SELECT Max(...) ...)" and nothing else: the base a batch numbers new rows from. An order
// without rows yet has no Max, and its first row takes number 1, as when the control writes the
// base 0 itself; without this the first comment of an order would have no number.
bool isMaxSubquery(StatementTokens statement, std::size_t from, std::size_t end) {
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

// SQL for the database and the values of its parameters.
struct Translated {
    std::string sql;
    std::vector<SqlValue> parameters;

    void appendParameter(SqlValue value) {
        parameters.push_back(std::move(value));
        sql += '$';
        sql += std::to_string(parameters.size());
    }
};

// A declared variable; empty until a SET gives it a value.
struct Variable {
    std::string_view name;
    std::optional<std::int64_t> value;
};

// The statements a request has compiled, by their SQL: the shapes are few, so a change set of
// a thousand rows compiles each of them once and runs it a thousand times.
using CompiledStatements = std::unordered_map<std::string, std::unique_ptr<SqlStatement>>;

// One batch: its statements in order and the variables they declare, which die with it.
class Batch {
  public:
    Batch(SqlConnection& connection, const std::string& timeStamp, CompiledStatements& compiled)
        : m_connection(connection), m_timeStamp(timeStamp), m_compiled(compiled) {}

    // What runs is the shape's own text, the posted values bound into its slots.
    void run(const RecognizedBatch& batch) {
        for (const RecognizedStatement& statement : batch) {
            Tokens tokens = statement.form->tokens;
            m_values = &statement.values;
            m_nextValue = 0;
            runStatement(tokens, statement.written);
        }
    }

  private:
    void runStatement(StatementTokens statement, std::string_view written) {
        const std::size_t first = nextSignificant(statement, 0);
        if (first == statement.size()) return;
        renameIsNull(statement, m_connection.dialect().nullReplacement);
        if (isWordAt(statement, first, "DECLARE")) return declare(statement, first, written);
        if (isWordAt(statement, first, "SET")) return assign(statement, first, written);
        if (isWordAt(statement, first, "INSERT") &&
            isWordAt(statement, nextSignificant(statement, first + 1), "INTO")) {
            return change(statement, written);
        }
        // UPDATE OR REPLACE would delete the rows it collides with.
        if (isWordAt(statement, first, "UPDATE") &&
            !isWordAt(statement, nextSignificant(statement, first + 1), "OR")) {
            unqualifySetTargets(statement);
            return change(statement, written);
        }
        throw StatementRefused(shown(written));
    }

    // DECLARE @A int[, @B int ...][;]
    void declare(StatementTokens statement, std::size_t keyword, std::string_view written) {
        std::size_t at = keyword;
        for (;;) {
            const std::size_t name = nextSignificant(statement, at + 1);
            const std::size_t type = nextSignificant(statement, name + 1);
            if (name == statement.size() || !isVariable(statement[name]) ||
                !isWordAt(statement, type, "int")) {
                throw StatementRefused(shown(written));
            }
            addVariable(statement[name].text);
            at = nextSignificant(statement, type + 1);
            if (at == statement.size() || isFinalSemicolon(statement, at)) return;
            if (!isSymbolAt(statement, at, ",")) throw StatementRefused(shown(written));
        }
    }

    // SET @A = expression[;], the expression's value taken as a whole number.
    void assign(StatementTokens statement, std::size_t keyword, std::string_view written) {
        const std::size_t name = nextSignificant(statement, keyword + 1);
        const std::size_t equals = nextSignificant(statement, name + 1);
        const std::size_t end = expressionEnd(statement);
        if (name == statement.size() || !isVariable(statement[name]) ||
            !isSymbolAt(statement, equals, "=") || nextSignificant(statement, equals + 1) >= end) {
            throw StatementRefused(shown(written));
        }
        Variable& target = declared(statement[name].text);
        // The parentheses keep the expression one expression: no FROM, no second statement.
        Translated query;
        const bool isBase = isMaxSubquery(statement, equals + 1, end);
        query.sql = isBase ? "SELECT " + std::string(m_connection.dialect().nullReplacement) + "(("
                           : "SELECT (";
        translate(statement.subspan(equals + 1, end - equals - 1), query);
        query.sql += isBase ? "), 0)" : ")";
        target.value = wholeNumber(evaluate(query, written), written);
    }

    // An INSERT or UPDATE.
    void change(StatementTokens statement, std::string_view written) {
        Translated change;
        change.sql.reserve(written.size() + 16);
        translate(statement, change);
        reportingFailures(written, [&] {
            SqlStatement& prepared = prepare(change);
            while (prepared.step()) {
            }
        });
    }

    // The value of the query's first column.
    SqlValue evaluate(const Translated& query, std::string_view written) {
        return reportingFailures(written, [&] {
            SqlStatement& prepared = prepare(query);
            if (!prepared.step()) throw SqlError("no value");
            return prepared.column(0);
        });
    }

    SqlStatement& prepare(const Translated& translated) {
        std::unique_ptr<SqlStatement>& statement = m_compiled[translated.sql];
        if (statement) {
            statement->reset();
        } else {
            statement = m_connection.prepare(translated.sql);
        }
        for (std::size_t index = 0; index < translated.parameters.size(); ++index) {
            statement->bind(static_cast<int>(index) + 1, translated.parameters[index]);
        }
        return *statement;
    }

    // Runs action; a database error names the statement, and one the guard caused refuses it.
    template <class Action>
    auto reportingFailures(std::string_view written, Action action) -> decltype(action()) {
        try {
            return action();
        } catch (const SqlError& error) {
            if (const auto refused = m_connection.refusal()) {
                throw StatementRefused(*refused + " in: " + shown(written));
            }
            throw SqlError(std::string(error.what()) + " in: " + shown(written), error.retryable());
        }
    }

    static std::optional<std::int64_t> wholeNumber(const SqlValue& value,
                                                   std::string_view written) {
        if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
        const auto number = wholeNumberOf(value);
        // The value read is not shown: it may be any order's text.
        if (!number) throw SqlError("a value read is not a whole number in: " + shown(written));
        return number;
    }

    // The tokens as the database's SQL: variables and GETDATE() become parameters.
    void translate(StatementTokens tokens, Translated& out) {
        for (std::size_t at = 0; at < tokens.size(); ++at) {
            const Token& token = tokens[at];
            if (isSlot(token)) {
                out.appendParameter((*m_values)[m_nextValue++]);
            } else if (isVariable(token)) {
                out.appendParameter(sqlValue(declared(token.text).value));
            } else if (const auto callEnd = getDateCallEnd(tokens, at)) {
                out.appendParameter(m_timeStamp);
                at = *callEnd;
            } else {
                out.sql += token.text;
            }
        }
    }

    // T-SQL variable names ignore letter case.
    Variable* find(std::string_view name) {
        const auto entry = std::find_if(m_variables.begin(), m_variables.end(),
                                        [&](auto& v) { return equalsIgnoringCase(v.name, name); });
        return entry == m_variables.end() ? nullptr : &*entry;
    }

    void addVariable(std::string_view name) {
        if (find(name) != nullptr) {
            throw SqlError("The variable name '" + std::string(name) + "' is declared twice.");
        }
        m_variables.push_back({name, std::nullopt});
    }

    Variable& declared(std::string_view name) {
        Variable* variable = find(name);
        if (variable == nullptr) {
            throw SqlError("Must declare the scalar variable \"" + std::string(name) + "\".");
        }
        return *variable;
    }

    SqlConnection& m_connection;
    const std::string& m_timeStamp;
    CompiledStatements& m_compiled;
    std::vector<Variable> m_variables;
    const std::vector<SqlValue>* m_values = nullptr;  // of the statement running
    std::size_t m_nextValue = 0;
};

void runOnce(SqlConnection& connection, const std::vector<RecognizedBatch>& batches) {
    connection.beginSave();
    const std::string timeStamp = localTimeStamp();
    CompiledStatements compiled;
    for (const RecognizedBatch& batch : batches) Batch(connection, timeStamp, compiled).run(batch);
    // Compiled statements hold the connection's locks until released.
    compiled.clear();
    connection.commit();
}

// A random pause, longer on the whole for later attempts, so that the requests that met part.
void pauseBeforeAttempt(int attempt) {
    thread_local std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<long> milliseconds(1, kPauseStep.count() * attempt);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds(random)));
}

}  // namespace

BatchResult BatchRunner::run(const std::vector<std::string>& batches) const {
    std::vector<RecognizedBatch> recognized;
    try {
        recognized = recognizeRequest(batches);
    } catch (const StatementRefused& refusal) {
        return {BatchOutcome::Refused, refusal.what()};
    }
    for (int attempt = 1;; ++attempt) {
        try {
            runOnce(m_connection, recognized);
            return {};
        } catch (const StatementRefused& refusal) {
            m_connection.rollback();
            return {BatchOutcome::Refused, refusal.what()};
        } catch (const SqlError& error) {
            m_connection.rollback();
            if (!error.retryable() || attempt == kMaxAttempts) {
                return {BatchOutcome::Failed, error.what()};
            }
        } catch (const std::exception& error) {
            m_connection.rollback();
            return {BatchOutcome::Failed, error.what()};
        }
        pauseBeforeAttempt(attempt);
    }
}

}  // namespace jex::server
