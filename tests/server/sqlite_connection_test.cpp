#include "sqlite_connection.h"

#include <gtest/gtest.h>

#include <string>

#include "sqlite_statement.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

struct SqliteConnectionTest : ::testing::Test {
    test::TempPath file{"sqlite-connection"};
    std::unique_ptr<SqliteConnection> connection = test::openDatabase(file.path());
};

// Parameters are found by their number, wherever and however often the text names them.
TEST_F(SqliteConnectionTest, SqliteStatement_bindsAndReadsByNumber) {
    const auto query = connection->prepare("SELECT $2 || $1, $1 + $1, 2.5, NULL, $3");
    query->bind(1, std::int64_t{4});
    query->bind(2, std::string("x"));
    query->bind(7, std::string("unused"));

    ASSERT_TRUE(query->step());
    EXPECT_EQ(query->columnCount(), 5);
    EXPECT_EQ(query->column(0), SqlValue(std::string("x4")));
    EXPECT_EQ(query->column(1), SqlValue(std::int64_t{8}));
    EXPECT_EQ(query->column(2), SqlValue(std::string("2.5")));
    EXPECT_EQ(query->column(3), SqlValue());
    EXPECT_EQ(query->column(4), SqlValue()) << "a parameter never bound is NULL";
    EXPECT_FALSE(query->step());

    query->reset();
    query->bind(1, std::int64_t{1});
    ASSERT_TRUE(query->step());
    EXPECT_EQ(query->column(0), SqlValue()) << "reset clears the bindings";
}

// Only a busy or locked file may pass when the request runs again.
TEST(SqliteError, SqliteError_retryableOnlyWhenAnotherConnectionHoldsTheFile) {
    const std::pair<int, bool> cases[] = {
        {SQLITE_BUSY, true},        {SQLITE_BUSY_SNAPSHOT, true}, {SQLITE_LOCKED, true},
        {SQLITE_CONSTRAINT, false}, {SQLITE_ERROR, false},        {SQLITE_AUTH, false},
    };
    for (const auto& [code, retryable] : cases) {
        EXPECT_EQ(sqliteError(nullptr, code).retryable(), retryable) << sqlite3_errstr(code);
    }
}

// The guard is on only from beginSave() to the end of the transaction, and names what it refused.
TEST_F(SqliteConnectionTest, SqliteConnection_guardHoldsOnlyDuringASave) {
    const char* const kDelete = "DELETE FROM OrderHeader WHERE OrderID = 'none'";
    connection->prepare(kDelete)->step();
    EXPECT_FALSE(connection->refusal());

    connection->beginSave();
    EXPECT_THROW(connection->prepare(kDelete), SqlError);
    EXPECT_EQ(connection->refusal(), "delete OrderHeader");
    EXPECT_THROW(connection->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_EQ(connection->refusal(), "a second statement");
    connection->prepare("UPDATE OrderHeader SET OpenProblemExists = 5");
    EXPECT_FALSE(connection->refusal());
    connection->rollback();

    connection->prepare(kDelete)->step();
    EXPECT_THROW(connection->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_FALSE(connection->refusal());
}

}  // namespace
}  // namespace jex::server
