// Saves on SQLite: the connection's parameters, the failures a save runs again after and the guard
// of a save; setting a file up; and the batch runner, on batches written as the control's batch
// builder writes them, blanks included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch_runner.h"
#include "sqlite_statement.h"
#include "sqlite_store.h"
#include "support/server_saves.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

using test::rows;

struct SqliteFile : ::testing::Test {
    test::TempPath file{"sqlite-file"};
    std::unique_ptr<SqliteConnection> database = test::openDatabase(file.path());
};

// Parameters are found by their number, wherever and however often the text names them; one
// never bound is NULL, and reset clears the bindings.
TEST_F(SqliteFile, StatementBindsAndReadsByNumber) {
    const auto query = database->prepare("SELECT $2 || $1, $1 + $1, 2.5, NULL, $3");
    query->bind(1, std::int64_t{4});
    query->bind(2, std::string("x"));
    query->bind(7, std::string("unused"));
    ASSERT_TRUE(query->step());
    const SqlValue expected[] = {std::string("x4"), std::int64_t{8}, std::string("2.5"), {}, {}};
    for (int column = 0; column < 5; ++column) EXPECT_EQ(query->column(column), expected[column]);
    query->reset();
    ASSERT_TRUE(query->step());
    EXPECT_EQ(query->column(1), SqlValue());
}

// Only a busy or locked file may pass when the request runs again.
TEST(SqliteError, RetryableOnlyWhenAnotherConnectionHoldsTheFile) {
    const std::pair<int, bool> cases[] = {
        {SQLITE_BUSY, true},        {SQLITE_BUSY_SNAPSHOT, true}, {SQLITE_LOCKED, true},
        {SQLITE_CONSTRAINT, false}, {SQLITE_ERROR, false},        {SQLITE_AUTH, false},
    };
    for (const auto& [code, retryable] : cases) {
        EXPECT_EQ(sqliteError(nullptr, code).retryable(), retryable) << sqlite3_errstr(code);
    }
}

// The guard is on only from beginSave() to the end of the transaction, and names what it refused.
TEST_F(SqliteFile, GuardHoldsOnlyDuringASave) {
    const char* const kDelete = "DELETE FROM OrderHeader WHERE OrderID = 'none'";
    database->prepare(kDelete)->step();
    EXPECT_FALSE(database->refusal());

    database->beginSave();
    EXPECT_THROW(database->prepare(kDelete), SqlError);
    EXPECT_EQ(database->refusal(), "delete OrderHeader");
    EXPECT_THROW(database->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_EQ(database->refusal(), "a second statement");
    database->prepare("UPDATE OrderHeader SET OpenProblemExists = 5");
    EXPECT_FALSE(database->refusal());
    database->rollback();

    database->prepare(kDelete)->step();
    EXPECT_THROW(database->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_FALSE(database->refusal());
}

// Opening a file again keeps one copy of the demo rows, and sets up only a missing table.
TEST_F(SqliteFile, StoreSetsUpOnlyWhatIsMissing) {
    const auto again = openSqliteStore(file.path())->connect();
    const char* const kCounts =
        "SELECT (SELECT count(*) FROM OrderHeader), (SELECT count(*) FROM OrderDiscussion), "
        "(SELECT count(*) FROM OrderDiscussionComment), (SELECT count(*) FROM CommentType)";
    EXPECT_EQ(test::rows(*again, kCounts), "3|6|6|4\n");

    again->execute("DROP TABLE CommentType; DELETE FROM OrderDiscussion");
    EXPECT_EQ(test::rows(*openSqliteStore(file.path())->connect(), kCounts), "3|0|6|0\n");
    EXPECT_THROW(openSqliteStore("/nonexistent-directory/orders.db"), SqlError);
}

// Issue 5 of PO1001, its text holding a doubled quote, and comments 7 and 8 under it.
const std::string kNewIssue = [] {
    const std::string save = test::newIssueSave("PO1001", "Joe''s order");
    std::string second = save.substr(save.find(test::kNewIssueCommentInsert));
    return save + second.replace(second.find("+1,@"), 4, "+2,@");
}();

// Resolves issue 2 of PO1002 and gives it the order's first comment; "= 0" meets the INSERT
// with no blank between.
const std::string kExistingRowsBatch =
    test::issueUpdate("PO1002", 2, "'Nov 17, 2026'", "'Delivered'", "'Dec 05, 2026 15:00:00'",
                      "'Maria Lopez|4711|2'") +
    " DECLARE @MAXCommentID Int Set @MAXCommentID = 0" + test::kStoredIssueCommentInsert +
    "1,2,'PO1002',0,'Dec 05, 2026 15:00:00','Maria Lopez|4711|2','Counted again',0,Null,-1,"
    "'Dec 09, 2026',0,0,GETDATE(),0,'4711','2');";

TEST(BatchRunner, StoresTheControlsBatches) {
    const std::string fresh = test::newIssueSave("PO1003", "first");
    const struct {
        std::vector<std::string> batches;
        const char* check;
        const char* expected;
    } cases[] = {
        // GETDATE() writes the control's own time stamp form.
        {{kNewIssue},
         "SELECT IssueSequence, IssueDescription, IssueFollowUp, ResolvedDate, CommentSequence, "
         "FocusCenter, "
         "c.RecordLastUpdated GLOB '[A-Z][a-z][a-z] [0-3][0-9], 2[0-9][0-9][0-9] "
         "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]' FROM OrderDiscussion JOIN OrderDiscussionComment c "
         "USING (OrderID, IssueSequence) WHERE OrderID = 'PO1001' AND IssueSequence > 4",
         "5|Joe's order|Dec 19, 2026|NULL|7|-1|1\n5|Joe's order|Dec 19, 2026|NULL|8|-1|1\n"},
        {{kExistingRowsBatch, test::openProblemBatch("PO1002")},
         "SELECT Resolution, CommentSequence, FollowupCSC, OpenProblemExists FROM OrderDiscussion "
         "JOIN OrderDiscussionComment USING (OrderID, IssueSequence) JOIN OrderHeader USING "
         "(OrderID) WHERE OrderID = 'PO1002'",
         "Delivered|1|Dec 09, 2026|0\n"},
        {{"DECLARE @MaxID Int Set @MaxID = -1 DECLARE @MAXCommentID Int Set @MAXCommentID = 0 " +
              fresh.substr(fresh.find("INSERT")),
          test::openProblemBatch("PO1003")},
         "SELECT IssueSequence, CommentSequence, OpenProblemExists FROM OrderDiscussion JOIN "
         "OrderDiscussionComment USING (OrderID, IssueSequence) JOIN OrderHeader USING (OrderID) "
         "WHERE OrderID = 'PO1003'",
         "0|1|1\n"},
        {{test::openProblemBatch("PO1001")},
         "SELECT OpenProblemExists, RecordLastUpdated FROM OrderHeader WHERE OrderID = 'PO1001'",
         "1|Nov 21, 2026 10:12:40\n"},
    };
    for (const auto& c : cases) {
        test::TempPath file;
        const auto database = test::openDatabase(file.path());
        const BatchResult result = BatchRunner(*database).run(c.batches);
        EXPECT_EQ(result.outcome, BatchOutcome::Stored) << result.error;
        EXPECT_EQ(rows(*database, c.check), c.expected) << c.check;
    }
}

// A value read that is not a number is reported without showing it: it may be any order's text.
TEST_F(SqliteFile, FailingBatchLeavesNothingOfTheRequest) {
    database->execute(
        "UPDATE OrderHeader SET OpenProblemExists = 'top secret' WHERE OrderID = 'PO1001'");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        // Comment 1 of the order is taken.
        {{kNewIssue, " DECLARE @MAXCommentID Int Set @MAXCommentID = 0" +
                         test::kStoredIssueCommentInsert +
                         "1,2,'PO1001',0,'Dec 05, 2026 15:00:00','Ann','Again',0,Null,0,Null,0,0,"
                         "GETDATE(),0,'7','1');"},
         "UNIQUE constraint failed"},
        // The first batch's variables died with it.
        {{kNewIssue, kNewIssue.substr(kNewIssue.find("INSERT"))},
         "Must declare the scalar variable \"@MaxID\"."},
        {{test::openProblemBatch("PO1001")}, "a value read is not a whole number in: "},
    };
    const auto snapshot = [&] {
        std::string text;
        for (const char* table : {"OrderHeader", "OrderDiscussion", "OrderDiscussionComment"})
            text += rows(*database, std::string("SELECT * FROM ") + table);
        return text;
    };
    const std::string before = snapshot();
    for (const auto& [batches, error] : cases) {
        const BatchResult result = BatchRunner(*database).run(batches);

        EXPECT_EQ(result.outcome, BatchOutcome::Failed) << error;
        EXPECT_NE(result.error.find(error), std::string::npos) << result.error;
        EXPECT_EQ(result.error.find("top secret"), std::string::npos) << result.error;
        EXPECT_EQ(snapshot(), before) << error;
    }
}

// A connection whose commit meets a concurrent save the first `conflicts` times.
struct ConflictingConnection final : SqlConnection {
    ConflictingConnection(SqlConnection& inner, int conflicts, bool retryable)
        : inner(inner), conflicts(conflicts), retryable(retryable) {}
    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override {
        return inner.prepare(sql);
    }
    void execute(std::string_view sql) override { inner.execute(sql); }
    bool hasTable(std::string_view name) override { return inner.hasTable(name); }
    const SqlDialect& dialect() const override { return inner.dialect(); }
    void beginSave() override {
        ++begun;
        inner.beginSave();
    }
    void commit() override {
        if (conflicts-- > 0) throw SqlError("could not serialize access", retryable);
        inner.commit();
    }
    void rollback() noexcept override { inner.rollback(); }
    std::optional<std::string> refusal() const override { return inner.refusal(); }

    SqlConnection& inner;
    int conflicts;
    bool retryable;
    int begun = 0;
};

// A request that met a concurrent one runs again from the start, rolled back in between, so
// that it is stored once; the retries are bounded.
TEST_F(SqliteFile, ConflictRunsTheRequestAgain) {
    const struct {
        int conflicts;
        bool retryable;
        BatchOutcome outcome;
        int runs;
    } cases[] = {
        {2, true, BatchOutcome::Stored, 3},
        {1, false, BatchOutcome::Failed, 1},
        {1000, true, BatchOutcome::Failed, 20},
    };
    for (const auto& c : cases) {
        ConflictingConnection connection(*database, c.conflicts, c.retryable);

        const BatchResult result = BatchRunner(connection).run({kNewIssue});

        EXPECT_EQ(result.outcome, c.outcome) << result.error;
        EXPECT_EQ(connection.begun, c.runs) << c.conflicts;
        EXPECT_EQ(rows(*database, "SELECT count(*) FROM OrderDiscussion WHERE OrderID = 'PO1001'"),
                  "5\n");
    }
}

}  // namespace
}  // namespace jex::server
