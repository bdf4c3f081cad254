#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "postgres_store.h"
#include "sql_connection.h"
#include "support/postgres_database.h"
#include "support/temp_path.h"

namespace jex::test {

// The databases the end-to-end suites run on, as their test parameter.
enum class Backend { Sqlite, Postgres };

inline const auto kBackends = ::testing::Values(Backend::Sqlite, Backend::Postgres);

inline void PrintTo(Backend backend, std::ostream* out) {
    *out << (backend == Backend::Sqlite ? "sqlite" : "postgres");
}
inline std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return ::testing::PrintToString(info.param);
}

// A fresh demo store of one test on one backend: a SQLite file, or a PostgreSQL database set up
// by its owner, which grants the restricted role the servers run as. A test skips when its
// backend is not at hand (skipReason()).
class BackendStore {
  public:
    BackendStore(Backend backend, const std::string& stem) : m_file(stem) {
        if (backend == Backend::Sqlite) {
            m_owner = server::openOrderStore(m_file.path().string());
            m_serverConnection = m_file.path().string();
            return;
        }
        const auto cluster = PostgresCluster::fromEnvironment();
        if (!cluster) return;
        m_postgres.emplace(*cluster);
        m_owner = server::openPostgresStore(m_postgres->ownerUri(), m_postgres->serverRole());
        m_serverConnection = m_postgres->serverUri();
    }

    // Why the test can't run here; empty when it can.
    std::string skipReason() const {
        return m_owner ? std::string()
                       : "no PostgreSQL cluster: run under scripts/test.sh, or "
                         "eval \"$(scripts/postgres.sh start)\" first";
    }
    // What the server under test opens (as its --db takes it).
    const std::string& serverConnection() const { return m_serverConnection; }
    // A connection as the tables' owner, to look at or change what the server stores.
    std::unique_ptr<server::SqlConnection> owner() const { return m_owner->connect(); }

  private:
    TempPath m_file;
    std::optional<PostgresDatabase> m_postgres;
    std::unique_ptr<server::OrderStore> m_owner;
    std::string m_serverConnection;
};

}  // namespace jex::test
