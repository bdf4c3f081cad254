#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>

namespace jex::server {

// The guard of a save request on a SQLite connection: while it is on, only what the control's
// statements do compiles (reading anything a SELECT names, inserting into, updating and reading
// the order tables, and the functions those statements call); anything else fails to compile,
// and the first action refused is kept to name it in the error.
class StatementGuard {
  public:
    // Guards db, which outlives the guard; off until turnOn().
    explicit StatementGuard(sqlite3* db) : m_db(db) {}
    ~StatementGuard() { turnOff(); }
    StatementGuard(const StatementGuard&) = delete;
    StatementGuard& operator=(const StatementGuard&) = delete;

    void turnOn();
    void turnOff() noexcept;
    bool isOn() const noexcept { return m_on; }

    // Forgets the last refusal, before the next statement is compiled.
    void clearRefusal() { m_refusal.reset(); }
    // Keeps what, as the authorizer does a refused action, unless a refusal is already kept.
    void refuse(std::string what);
    // The first action refused since clearRefusal(), as "insert DiscussionType".
    const std::optional<std::string>& refusal() const noexcept { return m_refusal; }

  private:
    static int authorize(void* guard, int action, const char* first, const char* second,
                         const char* database, const char* trigger);

    sqlite3* m_db;
    bool m_on = false;
    std::optional<std::string> m_refusal;
};

}  // namespace jex::server
