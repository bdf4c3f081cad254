#include "sqlite_store.h"

#include <gtest/gtest.h>

#include "sqlite_connection.h"
#include "support/sql_rows.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

std::int64_t countRows(SqlConnection& connection, const char* table) {
    return test::number(connection, std::string("SELECT count(*) FROM ") + table);
}

TEST(SqliteStore, SqliteStore_reopeningKeepsOneCopyOfTheDemoRows) {
    test::TempPath file;
    openSqliteStore(file.path());

    const auto again = openSqliteStore(file.path())->connect();

    EXPECT_EQ(countRows(*again, "OrderHeader"), 3);
    EXPECT_EQ(countRows(*again, "OrderDiscussion"), 6);
    EXPECT_EQ(countRows(*again, "OrderDiscussionComment"), 6);
}

TEST(SqliteStore, SqliteStore_missingTableIsCreatedWithoutDemoRows) {
    test::TempPath file;
    openSqliteStore(file.path())
        ->connect()
        ->execute("DROP TABLE CommentType; DELETE FROM OrderDiscussion");

    const auto again = openSqliteStore(file.path())->connect();

    EXPECT_EQ(countRows(*again, "CommentType"), 0);
    EXPECT_EQ(countRows(*again, "OrderDiscussion"), 0);
}

TEST(SqliteStore, SqliteStore_unopenableFileFailsAtOnce) {
    EXPECT_THROW(openSqliteStore("/nonexistent-directory/orders.db"), SqlError);
}

}  // namespace
}  // namespace jex::server
