#include "statement.h"

#include <stdexcept>

namespace jex::server {

Statement::Statement(sqlite3* db, std::string_view sql) : m_db(db) {
    check(sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr));
}

Statement::~Statement() { sqlite3_finalize(m_statement); }

void Statement::bindText(int index, const char* text) {
    if (text == nullptr) {
        check(sqlite3_bind_null(m_statement, index));
        return;
    }
    bindText(index, std::string_view(text));
}

void Statement::bindText(int index, std::string_view text) {
    check(sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
}

void Statement::bindInteger(int index, std::optional<std::int64_t> value) {
    if (!value) {
        check(sqlite3_bind_null(m_statement, index));
        return;
    }
    check(sqlite3_bind_int64(m_statement, index, *value));
}

bool Statement::step() {
    const int resultCode = sqlite3_step(m_statement);
    if (resultCode == SQLITE_ROW) return true;
    if (resultCode == SQLITE_DONE) return false;
    check(resultCode);
    return false;
}

void Statement::reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::string Statement::text(int column) const {
    const auto* characters = sqlite3_column_text(m_statement, column);
    if (characters == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(characters),
                       static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)));
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

void Statement::check(int resultCode) const {
    if (resultCode == SQLITE_OK) return;
    throw std::runtime_error(sqlite3_errmsg(m_db));
}

void execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return;
    const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw std::runtime_error(text);
}

}  // namespace jex::server
