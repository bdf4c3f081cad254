#include "database.h"

#include <gtest/gtest.h>

#include "statement.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

std::int64_t countRows(const Database& database, const char* table) {
    Statement query(database.handle(), std::string("SELECT count(*) FROM ") + table);
    query.step();
    return query.integer(0);
}

TEST(Database, Database_reopeningKeepsOneCopyOfTheDemoRows) {
    test::TempPath file;
    { const Database first(file.path()); }

    const Database again(file.path());

    EXPECT_EQ(countRows(again, "OrderHeader"), 3);
    EXPECT_EQ(countRows(again, "OrderDiscussion"), 6);
    EXPECT_EQ(countRows(again, "OrderDiscussionComment"), 6);
}

TEST(Database, Database_missingTableIsCreatedWithoutDemoRows) {
    test::TempPath file;
    {
        const Database first(file.path());
        execute(first.handle(), "DROP TABLE CommentType; DELETE FROM OrderDiscussion");
    }

    const Database again(file.path());

    EXPECT_EQ(countRows(again, "CommentType"), 0);
    EXPECT_EQ(countRows(again, "OrderDiscussion"), 0);
}

// The log mode is the file's own, so a connection that did not set it sees it too; the sync level
// is per connection.
TEST(Database, Database_fileIsJournaledAheadAndSyncedFully) {
    test::TempPath file;
    const Database server(file.path());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.path().c_str(), &other), SQLITE_OK);

    {
        Statement mode(other, "PRAGMA journal_mode");
        EXPECT_TRUE(mode.step());
        EXPECT_EQ(mode.text(0), "wal");
    }
    sqlite3_close(other);
    Statement sync(server.handle(), "PRAGMA synchronous");
    ASSERT_TRUE(sync.step());
    EXPECT_EQ(sync.integer(0), 2);  // FULL
}

}  // namespace
}  // namespace jex::server
