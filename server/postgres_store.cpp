#include "postgres_store.h"

#include <poll.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <utility>
#include <vector>

#include "postgres_connection.h"
#include "table_set_up.h"

namespace jex::server {

namespace {

// Connections kept open between requests: opening one costs a server process and an
// authentication exchange, tens of milliseconds.
class ConnectionPool {
  public:
    explicit ConnectionPool(std::string uri) : m_uri(std::move(uri)) {}

    // An idle connection that is still open, or a new one. Throws SqlError as connectPostgres.
    PgConnHandle take() {
        for (PgConnHandle idle = takeIdle(); idle; idle = takeIdle()) {
            if (stillOpen(idle.get())) return idle;
        }
        return connectPostgres(m_uri);
    }

    void give(PgConnHandle connection) {
        const std::lock_guard lock(m_mutex);
        if (m_idle.size() < kMaxIdle) m_idle.push_back(std::move(connection));
    }

  private:
    static constexpr std::size_t kMaxIdle = 8;

    PgConnHandle takeIdle() {
        const std::lock_guard lock(m_mutex);
        if (m_idle.empty()) return nullptr;
        PgConnHandle connection = std::move(m_idle.back());
        m_idle.pop_back();
        return connection;
    }

    // An idle connection has nothing to read unless the server closed it (a restart, an idle
    // timeout); reading then tells libpq so.
    static bool stillOpen(PGconn* connection) {
        pollfd socket{PQsocket(connection), POLLIN, 0};
        if (::poll(&socket, 1, 0) > 0) PQconsumeInput(connection);
        return PQstatus(connection) == CONNECTION_OK;
    }

    std::string m_uri;
    std::mutex m_mutex;
    std::vector<PgConnHandle> m_idle;
};

class PostgresStore : public OrderStore {
  public:
    explicit PostgresStore(const std::string& uri)
        : m_pool(std::make_shared<ConnectionPool>(uri)), m_description(maskPassword(uri, uri)) {}

    std::unique_ptr<SqlConnection> connect() const override {
        return std::make_unique<PostgresConnection>(
            m_pool->take(), [pool = m_pool](PgConnHandle idle) { pool->give(std::move(idle)); });
    }

    std::string description() const override { return m_description; }

  private:
    std::shared_ptr<ConnectionPool> m_pool;
    std::string m_description;
};

bool isPlainRoleName(const std::string& name) {
    const auto isNamePart = [](unsigned char c) { return std::isalnum(c) != 0 || c == '_'; };
    return !name.empty() && std::isdigit(static_cast<unsigned char>(name.front())) == 0 &&
           std::all_of(name.begin(), name.end(), isNamePart);
}

void grantServerRights(SqlConnection& connection, const std::string& role) {
    connection.execute(
        "GRANT SELECT, INSERT, UPDATE"
        " ON OrderHeader, OrderDiscussion, OrderDiscussionComment TO " +
        role);
    connection.execute(
        "GRANT SELECT ON DiscussionGroup, DiscussionType, DiscussionPriority,"
        " CommentType TO " +
        role);
}

// Any number for the lock that lets one server at a time look at and set up the tables; the
// lock goes with the transaction.
constexpr const char* kSetUpLock = "SELECT pg_advisory_xact_lock(7315001)";

void setUp(SqlConnection& connection, const std::string& grantTo) {
    connection.execute("BEGIN");
    try {
        connection.execute(kSetUpLock);
        setUpTables(connection);
        if (!grantTo.empty()) grantServerRights(connection, grantTo);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace

std::unique_ptr<OrderStore> openPostgresStore(const std::string& uri, const std::string& grantTo) {
    if (!grantTo.empty() && !isPlainRoleName(grantTo)) {
        throw SqlError("not a plain role name: " + grantTo);
    }
    auto store = std::make_unique<PostgresStore>(uri);
    try {
        setUp(*store->connect(), grantTo);
    } catch (const SqlError& error) {
        throw SqlError(maskPassword(uri, error.what()), error.retryable());
    }
    return store;
}

}  // namespace jex::server
