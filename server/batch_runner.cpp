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
#include "platform/text.h"
#include "sql_values.h"
#include "statement_forms.h"

namespace jex::server {

namespace {

// A request that keeps meeting concurrent ones gives up after this many runs.
constexpr int kMaxAttempts = 20;
// The longest pause before the next run grows by this much per run.
constexpr std::chrono::milliseconds kPauseStep{5};

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

// Where a value of a compiled statement comes from when it runs.
struct Parameter {
    enum class From { Slot, Variable, Now } from;
    std::string_view variable;  // From::Variable
};

// A statement shape made ready for the database, once a request: what it does, its SQL with
// "$n" where a value goes, and where each value comes from.
struct Compiled {
    enum class Kind { Declare, Assign, Change } kind;
    std::vector<std::string_view> declared;  // Kind::Declare
    std::string_view target;                 // Kind::Assign
    std::string sql;
    std::vector<Parameter> parameters;
    std::unique_ptr<SqlStatement> prepared;  // at its first run
};

// The tokens as the database's SQL: slots, variables and GETDATE() become parameters.
void translate(StatementTokens tokens, Compiled& out) {
    const auto parameter = [&](Parameter p) {
        out.parameters.push_back(p);
        out.sql += '$';
        out.sql += std::to_string(out.parameters.size());
    };
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        const Token& token = tokens[at];
        if (isSlot(token)) {
            parameter({Parameter::From::Slot, {}});
        } else if (isVariable(token)) {
            parameter({Parameter::From::Variable, token.text});
        } else if (const auto callEnd = getDateCallEnd(tokens, at)) {
            parameter({Parameter::From::Now, {}});
            at = *callEnd;
        } else {
            out.sql += token.text;
        }
    }
}

// DECLARE @A int[, @B int ...][;]
void compileDeclare(StatementTokens statement, std::size_t keyword, Compiled& out) {
    std::size_t at = keyword;
    for (;;) {
        const std::size_t name = nextSignificant(statement, at + 1);
        const std::size_t type = nextSignificant(statement, name + 1);
        if (name == statement.size() || !isVariable(statement[name]) ||
            !isWordAt(statement, type, "int")) {
            throw StatementRefused(std::string(writtenText(statement)));
        }
        out.declared.push_back(statement[name].text);
        at = nextSignificant(statement, type + 1);
        if (at == statement.size() || isFinalSemicolon(statement, at)) return;
        if (!isSymbolAt(statement, at, ","))
            throw StatementRefused(std::string(writtenText(statement)));
    }
}

// SET @A = expression[;], read as a query of one value.
void compileAssign(StatementTokens statement, std::size_t keyword, std::string_view nullReplacement,
                   Compiled& out) {
    const std::size_t name = nextSignificant(statement, keyword + 1);
    const std::size_t equals = nextSignificant(statement, name + 1);
    const std::size_t end = expressionEnd(statement);
    if (name == statement.size() || !isVariable(statement[name]) ||
        !isSymbolAt(statement, equals, "=") || nextSignificant(statement, equals + 1) >= end) {
        throw StatementRefused(std::string(writtenText(statement)));
    }
    out.target = statement[name].text;
    // The parentheses keep the expression one expression: no FROM, no second statement.
    const bool isBase = isMaxSubquery(statement, equals + 1, end);
    out.sql = isBase ? "SELECT " + std::string(nullReplacement) + "((" : "SELECT (";
    translate(statement.subspan(equals + 1, end - equals - 1), out);
    out.sql += isBase ? "), 0)" : ")";
}

Compiled compile(const StatementForm& form, const SqlDialect& dialect) {
    Tokens tokens = form.tokens;
    const StatementTokens statement(tokens);
    const std::size_t first = nextSignificant(statement, 0);
    renameIsNull(statement, dialect.nullReplacement);
    Compiled out;
    if (isWordAt(statement, first, "DECLARE")) {
        out.kind = Compiled::Kind::Declare;
        compileDeclare(statement, first, out);
    } else if (isWordAt(statement, first, "SET")) {
        out.kind = Compiled::Kind::Assign;
        compileAssign(statement, first, dialect.nullReplacement, out);
    } else {
        out.kind = Compiled::Kind::Change;
        if (isWordAt(statement, first, "UPDATE")) unqualifySetTargets(statement);
        translate(statement, out);
    }
    return out;
}

// The statements a request has compiled, by their shape: the shapes are few, so a change set of
// a thousand rows compiles each of them once and runs it a thousand times.
using CompiledStatements = std::unordered_map<const StatementForm*, Compiled>;

// A declared variable; empty until a SET gives it a value.
struct Variable {
    std::string_view name;
    std::optional<std::int64_t> value;
};

// One batch: its statements in order and the variables they declare, which die with it.
class Batch {
  public:
    Batch(SqlConnection& connection, const std::string& timeStamp, CompiledStatements& compiled)
        : m_connection(connection), m_timeStamp(timeStamp), m_compiled(compiled) {}

    // What runs is the shape's own text, the posted values bound into its slots.
    void run(const RecognizedBatch& batch) {
        for (const RecognizedStatement& statement : batch) {
            auto [entry, isNew] = m_compiled.try_emplace(statement.form);
            if (isNew) entry->second = compile(*statement.form, m_connection.dialect());
            runStatement(entry->second, statement);
        }
    }

  private:
    void runStatement(Compiled& compiled, const RecognizedStatement& statement) {
        switch (compiled.kind) {
            case Compiled::Kind::Declare:
                for (const std::string_view name : compiled.declared) addVariable(name);
                return;
            case Compiled::Kind::Assign: {
                Variable& target = declared(compiled.target);
                SqlStatement& prepared = bind(compiled, statement.values);
                target.value = wholeNumber(reportingFailures(statement.written,
                                                             [&] {
                                                                 if (!prepared.step())
                                                                     throw SqlError("no value");
                                                                 return prepared.column(0);
                                                             }),
                                           statement.written);
                return;
            }
            case Compiled::Kind::Change: {
                SqlStatement& prepared = bind(compiled, statement.values);
                reportingFailures(statement.written, [&] {
                    while (prepared.step()) {
                    }
                });
                return;
            }
        }
    }

    // The statement prepared (the first time) or reset, with this run's values bound.
    SqlStatement& bind(Compiled& compiled, const std::vector<SqlValue>& slots) {
        std::vector<SqlValue> values;
        values.reserve(compiled.parameters.size());
        std::size_t nextSlot = 0;
        for (const Parameter& parameter : compiled.parameters) {
            switch (parameter.from) {
                case Parameter::From::Slot:
                    values.push_back(slots.at(nextSlot++));
                    break;
                case Parameter::From::Variable:
                    values.push_back(sqlValue(declared(parameter.variable).value));
                    break;
                case Parameter::From::Now:
                    values.push_back(m_timeStamp);
                    break;
            }
        }
        if (compiled.prepared) {
            compiled.prepared->reset();
        } else {
            compiled.prepared = m_connection.prepare(compiled.sql);
        }
        for (std::size_t index = 0; index < values.size(); ++index)
            compiled.prepared->bind(static_cast<int>(index) + 1, values[index]);
        return *compiled.prepared;
    }

    // Runs action; a database error names the statement, and one the guard caused refuses it.
    template <class Action>
    auto reportingFailures(const std::string& written, Action action) -> decltype(action()) {
        try {
            return action();
        } catch (const SqlError& error) {
            if (const auto refused = m_connection.refusal()) {
                throw StatementRefused(*refused + " in: " + written);
            }
            throw SqlError(std::string(error.what()) + " in: " + written, error.retryable());
        }
    }

    static std::optional<std::int64_t> wholeNumber(const SqlValue& value,
                                                   const std::string& written) {
        if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
        const auto number = wholeNumberOf(value);
        // The value read is not shown: it may be any order's text.
        if (!number) throw SqlError("a value read is not a whole number in: " + written);
        return number;
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
