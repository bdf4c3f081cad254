#include "statement_guard.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/text.h"

namespace jex::server {

namespace {

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
constexpr std::string_view kFunctions[] = {"max", "count", "ifnull"};

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

}  // namespace

void StatementGuard::turnOn() {
    sqlite3_set_authorizer(m_db, authorize, this);
    m_on = true;
}

void StatementGuard::turnOff() noexcept {
    if (!m_on) return;
    sqlite3_set_authorizer(m_db, nullptr, nullptr);
    m_on = false;
}

void StatementGuard::refuse(std::string what) {
    if (!m_refusal) m_refusal = std::move(what);
}

int StatementGuard::authorize(void* context, int action, const char* first, const char* second,
                              const char* database, const char* /*trigger*/) {
    if (isAllowed(action, first, second, database)) return SQLITE_OK;
    static_cast<StatementGuard*>(context)->refuse(describeAction(action, first, second));
    return SQLITE_DENY;
}

}  // namespace jex::server
