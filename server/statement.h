#pragma once

#include <sqlite3.h>

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace jex::server {

// One prepared SQLite statement, finalized with the object. Every failing call throws
// std::runtime_error carrying SQLite's message; the connection stays usable.
class Statement {
  public:
    // Compiles the first statement of sql; throws when it doesn't compile.
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds text to the 1-based parameter index; a null pointer binds NULL. Throws on failure.
    void bindText(int index, const char* text);
    // Binds text to the 1-based parameter index. Throws on failure.
    void bindText(int index, std::string_view text);
    // Binds a whole number, or NULL when value is empty. Throws on failure.
    void bindInteger(int index, std::optional<std::int64_t> value);
    // Binds values to the parameters 1, 2, ... in order (texts, whole numbers, optional numbers).
    template <class... Values>
    void bindAll(const Values&... values);
    // Binds values as bindAll does, runs a statement that returns no rows and makes it ready for
    // the next run. Throws on failure.
    template <class... Values>
    void run(const Values&... values);

    // Runs to the next result row: true when there is one, false when the statement is done.
    // Throws when SQLite reports an error.
    bool step();
    // Makes the statement ready to run again with new bindings.
    void reset();

    // Values of the current row's 0-based column; a NULL reads as empty text or 0.
    bool isNull(int column) const;
    std::string text(int column) const;
    std::int64_t integer(int column) const;

  private:
    void bindValue(int index, const char* text) { bindText(index, text); }
    void bindValue(int index, std::string_view text) { bindText(index, text); }
    template <std::integral Number>
    void bindValue(int index, Number value) {
        bindInteger(index, static_cast<std::int64_t>(value));
    }
    template <std::integral Number>
    void bindValue(int index, std::optional<Number> value) {
        bindInteger(index, value ? std::optional<std::int64_t>(*value) : std::nullopt);
    }
    void check(int resultCode) const;

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

template <class... Values>
void Statement::bindAll(const Values&... values) {
    int index = 0;
    (bindValue(++index, values), ...);
}

template <class... Values>
void Statement::run(const Values&... values) {
    bindAll(values...);
    step();
    reset();
}

// Runs one or more statements that return no rows; throws std::runtime_error carrying SQLite's
// message at the first failing one (the statements before it keep their effect).
void execute(sqlite3* db, const char* sql);

}  // namespace jex::server
