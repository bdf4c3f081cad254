// The PostgreSQL store: the owner's first start sets the database up once, the servers' role
// gets only what a save needs, and connections are kept only when left clean.
#include "postgres_store.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/postgres_database.h"
#include "support/sql_rows.h"

namespace jex::server {
namespace {

struct PostgresStoreTest : ::testing::Test {
    void SetUp() override {
        JEX_SKIP_WITHOUT_POSTGRES(cluster);
        database.emplace(*cluster);
    }
    std::int64_t count(SqlConnection& connection, const std::string& sql) {
        return test::number(connection, "SELECT count(*) FROM " + sql);
    }

    std::optional<test::PostgresCluster> cluster = test::PostgresCluster::fromEnvironment();
    std::optional<test::PostgresDatabase> database;
};

TEST_F(PostgresStoreTest, ServersStartingTogetherOnAnEmptyDatabaseSetItUpOnce) {
    std::vector<std::thread> starts;
    std::vector<std::string> errors(4);
    for (std::size_t i = 0; i < errors.size(); ++i) {
        starts.emplace_back([&, i] {
            try {
                openPostgresStore(database->ownerUri(), database->serverRole());
            } catch (const SqlError& error) {
                errors[i] = error.what();
            }
        });
    }
    for (std::thread& start : starts) start.join();
    for (const std::string& error : errors) EXPECT_EQ(error, "");
    const auto connection = openPostgresStore(database->serverUri())->connect();
    EXPECT_EQ(count(*connection, "OrderHeader"), 3);
    EXPECT_EQ(count(*connection, "OrderDiscussion WHERE OrderID = 'PO1001'"), 4);
}

TEST_F(PostgresStoreTest, TheServersRoleCannotSetUpTheTables) {
    try {
        openPostgresStore(database->serverUri());
        ADD_FAILURE() << "the restricted role created the tables";
    } catch (const SqlError& error) {
        EXPECT_NE(std::string(error.what()).find("permission denied"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(openPostgresStore(database->ownerUri(), "jex_server; DROP TABLE x"), SqlError);
}

TEST_F(PostgresStoreTest, ConnectionsAreKeptOnlyWhenLeftOutsideATransaction) {
    const auto store = openPostgresStore(database->ownerUri());
    const std::string uri = database->ownerUri();
    const std::size_t colon = uri.find(':', uri.find("://") + 3);
    const std::string password = uri.substr(colon + 1, uri.find('@') - colon - 1);
    EXPECT_EQ(store->description().find(password), std::string::npos) << store->description();
    const auto backend = [](SqlConnection& connection) {
        return test::number(connection, "SELECT pg_backend_pid()");
    };
    const std::int64_t first = backend(*store->connect());
    EXPECT_EQ(backend(*store->connect()), first);
    store->connect()->execute("SET search_path TO pg_catalog");
    EXPECT_EQ(test::rows(*store->connect(), "SHOW search_path"), "public\n")
        << "a connection kept starts afresh";
    EXPECT_EQ(backend(*store->connect()), first);
    {
        const auto connection = store->connect();
        connection->beginSave();
    }
    EXPECT_NE(backend(*store->connect()), first);
}

}  // namespace
}  // namespace jex::server
