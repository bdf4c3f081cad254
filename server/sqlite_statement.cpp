#include "sqlite_statement.h"

#include <charconv>
#include <string_view>

namespace jex::server {

namespace {

// n for a parameter named "$n", 0 for any other name.
int dollarNumber(const char* name) {
    if (name == nullptr || name[0] != '$') return 0;
    const std::string_view digits(name + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

std::vector<int> parameterSlots(sqlite3_stmt* statement) {
    std::vector<int> slots;
    for (int index = 1; index <= sqlite3_bind_parameter_count(statement); ++index) {
        const int number = dollarNumber(sqlite3_bind_parameter_name(statement, index));
        if (number <= 0) continue;
        if (slots.size() <= static_cast<std::size_t>(number)) slots.resize(number + 1, 0);
        slots[number] = index;
    }
    return slots;
}

bool isBusy(int resultCode) {
    const int primary = resultCode & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

}  // namespace

SqlError sqliteError(sqlite3* db, int resultCode) {
    return SqlError(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode),
                    isBusy(resultCode));
}

SqliteStatement::SqliteStatement(sqlite3* db, sqlite3_stmt* statement)
    : m_db(db), m_statement(statement), m_slots(parameterSlots(statement)) {}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

void SqliteStatement::bind(int index, const SqlValue& value) {
    // A parameter the text doesn't use takes no value, as on a server that is sent it unused.
    if (index <= 0 || static_cast<std::size_t>(index) >= m_slots.size() || m_slots[index] == 0) {
        return;
    }
    const int slot = m_slots[index];
    int resultCode = SQLITE_OK;
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        resultCode = sqlite3_bind_int64(m_statement, slot, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        resultCode = sqlite3_bind_text(m_statement, slot, text->data(),
                                       static_cast<int>(text->size()), SQLITE_TRANSIENT);
    } else {
        resultCode = sqlite3_bind_null(m_statement, slot);
    }
    if (resultCode != SQLITE_OK) throw sqliteError(m_db, resultCode);
}

bool SqliteStatement::step() {
    const int resultCode = sqlite3_step(m_statement);
    if (resultCode == SQLITE_ROW) return true;
    if (resultCode == SQLITE_DONE) return false;
    throw sqliteError(m_db, resultCode);
}

SqlValue SqliteStatement::column(int index) const {
    switch (sqlite3_column_type(m_statement, index)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(m_statement, index));
        default: {
            const auto* characters = sqlite3_column_text(m_statement, index);
            if (characters == nullptr) return std::string();
            return std::string(reinterpret_cast<const char*>(characters),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_statement, index)));
        }
    }
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(m_statement); }

void SqliteStatement::reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

}  // namespace jex::server
