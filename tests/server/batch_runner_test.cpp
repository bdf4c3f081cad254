// The batches below are written as the control's batch builder writes them, blanks included.
#include "batch_runner.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <vector>

#include "discussion_server.h"
#include "platform/dates.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

// The statements of order PO1001; onOrder() moves them to another order.
const std::string kIssueBase = test::issueBase("PO1001");
const std::string kCommentBase = test::commentBase("PO1001");
const std::string kOpenProblem = test::openProblemBatch("PO1001");
const std::string kIssueInsert =
    test::kIssueInsert +
    "Values(@MaxID+1,'PO1001',2,1,'Dec 05, 2026 14:07:09','Maria Lopez|4711|2','Joe''s "
    "order','Dec 19, 2026',Null,'', Null,GETDATE(),4711,2,'',0);";
const std::string kCommentInsert =
    test::kNewIssueCommentInsert +
    "K,@MaxID+1 ,'PO1001',1,'Dec 05, 2026 14:08:00','Maria Lopez|4711|2','Comment K',-1,Null,0,"
    "Null,0,-1,GETDATE(),0,'4711','2');";

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string onOrder(const std::string& sql, std::string_view key) {
    return replaced(sql, "PO1001", key);
}

const std::string kNewIssueBatch = kIssueBase + kCommentBase + kIssueInsert +
                                   replaced(kCommentInsert, "K", "1") +
                                   replaced(kCommentInsert, "K", "2");

// Resolves issue 2 of PO1002 and gives it the order's first comment; "= 0" meets the INSERT
// with no blank between.
const std::string kExistingRowsBatch =
    "UPDATE OrderDiscussion SET IssueFollowUp ='Nov 17, 2026', ResolvedDate = 'Dec 05, 2026 "
    "15:00:00', ResolvedBy = 'Maria Lopez|4711|2', Type= 2, Priority = 1,Resolution = "
    "'Delivered', RecordLastUpdated = GETDATE(), ResolvedByPersonId = 4711, ResolvedByPersonType "
    "= 2 Where IssueSequence =2  and Orderid = 'PO1002'; DECLARE @MAXCommentID Int Set "
    "@MAXCommentID = 0" +
    test::kStoredIssueCommentInsert +
    "1,2,'PO1002',0,'Dec 05, 2026 15:00:00','Maria Lopez|4711|2','Counted again',0,Null,-1,"
    "'Dec 09, 2026',0,0,GETDATE(),0,'4711','2');";

using test::rows;

std::string snapshot(SqlConnection& connection) {
    std::string text = rows(connection, "SELECT name, sql FROM sqlite_master ORDER BY name");
    const auto tables =
        connection.prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (tables->step()) {
        text += rows(connection, "SELECT * FROM " + std::get<std::string>(tables->column(0)));
    }
    return text;
}

class BatchRunnerTest : public ::testing::Test {
  protected:
    BatchResult run(const std::vector<std::string>& batches) {
        return BatchRunner(*m_database).run(batches);
    }
    std::string query(const std::string& sql) { return rows(*m_database, sql); }

    test::TempPath m_file;
    std::unique_ptr<SqliteConnection> m_database = test::openDatabase(m_file.path());
};

TEST_F(BatchRunnerTest, BatchRunner_newIssueAndItsCommentsTakeTheNextNumbers) {
    const BatchResult result = run({kNewIssueBatch});

    ASSERT_EQ(result.outcome, BatchOutcome::Stored) << result.error;
    EXPECT_EQ(query("SELECT IssueDescription, IssueFollowUp, ResolvedDate FROM OrderDiscussion "
                    "WHERE OrderID = 'PO1001' AND IssueSequence = 5"),
              "Joe's order|Dec 19, 2026|NULL\n");
    EXPECT_EQ(query("SELECT CommentSequence, CommentDescription FROM OrderDiscussionComment WHERE "
                    "OrderID = 'PO1001' AND IssueSequence = 5 ORDER BY CommentSequence"),
              "7|Comment 1\n8|Comment 2\n");
    // GETDATE() writes the control's own time stamp form.
    std::string stamp = query(
        "SELECT RecordLastUpdated FROM OrderDiscussion WHERE OrderID = 'PO1001' AND "
        "IssueSequence = 5");
    if (!stamp.empty()) stamp.pop_back();
    const auto date = parseDate(stamp);
    ASSERT_TRUE(date) << stamp;
    EXPECT_EQ(formatDate(*date, DatePattern::TimeStamp), stamp);
}

TEST(BatchRunner, BatchRunner_existingRowsAndTheOpenProblemFlag) {
    struct Case {
        std::vector<std::string> batches;
        const char* check;
        const char* expected;
    };
    const Case cases[] = {
        {{kExistingRowsBatch, onOrder(kOpenProblem, "PO1002")},
         "SELECT Resolution, CommentSequence, FollowupCSC, OpenProblemExists FROM OrderDiscussion "
         "JOIN OrderDiscussionComment USING (OrderID, IssueSequence) JOIN OrderHeader USING "
         "(OrderID) WHERE OrderID = 'PO1002'",
         "Delivered|1|Dec 09, 2026|0\n"},
        {{"DECLARE @MaxID Int Set @MaxID = -1 DECLARE @MAXCommentID Int Set @MAXCommentID = 0 " +
              onOrder(kIssueInsert, "PO1003"),
          onOrder(kOpenProblem, "PO1003")},
         "SELECT IssueSequence, OpenProblemExists FROM OrderDiscussion JOIN OrderHeader USING "
         "(OrderID) WHERE OrderID = 'PO1003'",
         "0|1\n"},
        {{kOpenProblem},
         "SELECT OpenProblemExists, RecordLastUpdated FROM OrderHeader WHERE OrderID = 'PO1001'",
         "1|Nov 21, 2026 10:12:40\n"},
        // An order without rows has no Max to number from: its first issue and comment are 1.
        {{onOrder(kIssueBase + kCommentBase + kIssueInsert + replaced(kCommentInsert, "K", "1"),
                  "PO1003")},
         "SELECT IssueSequence, CommentSequence FROM OrderDiscussionComment WHERE OrderID = "
         "'PO1003'",
         "1|1\n"},
    };
    for (const Case& c : cases) {
        test::TempPath file;
        const auto database = test::openDatabase(file.path());

        const BatchResult result = BatchRunner(*database).run(c.batches);

        EXPECT_EQ(result.outcome, BatchOutcome::Stored) << result.error;
        EXPECT_EQ(rows(*database, c.check), c.expected) << c.check;
    }
}

TEST_F(BatchRunnerTest, BatchRunner_failingBatchLeavesNothingOfTheRequest) {
    struct Case {
        std::string secondBatch;
        const char* error;
    };
    // Comment 1 of the order is taken.
    const std::string commentOne =
        " DECLARE @MAXCommentID Int Set @MAXCommentID = 0" + test::kStoredIssueCommentInsert +
        "1,2,'PO1001',0,'Dec 05, 2026 15:00:00','Ann','Again',0,Null,0,Null,0,0,GETDATE(),0,'7',"
        "'1');";
    const Case cases[] = {
        {commentOne, "UNIQUE constraint failed"},
        // The first batch's variables died with it.
        {kIssueInsert, "Must declare the scalar variable \"@MaxID\"."},
    };
    const std::string before = snapshot(*m_database);
    for (const Case& c : cases) {
        const BatchResult result = run({kNewIssueBatch, c.secondBatch});

        EXPECT_EQ(result.outcome, BatchOutcome::Failed) << c.secondBatch;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
        EXPECT_EQ(snapshot(*m_database), before) << c.secondBatch;
    }
}

// A connection whose commit meets a concurrent save the first `conflicts` times.
class ConflictingConnection final : public SqlConnection {
  public:
    ConflictingConnection(SqlConnection& inner, int conflicts, bool retryable)
        : m_inner(inner), m_conflicts(conflicts), m_retryable(retryable) {}

    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override {
        return m_inner.prepare(sql);
    }
    void execute(std::string_view sql) override { m_inner.execute(sql); }
    bool hasTable(std::string_view name) override { return m_inner.hasTable(name); }
    const SqlDialect& dialect() const override { return m_inner.dialect(); }
    void beginSave() override {
        ++begun;
        m_inner.beginSave();
    }
    void commit() override {
        if (m_conflicts-- > 0) throw SqlError("could not serialize access", m_retryable);
        m_inner.commit();
    }
    void rollback() noexcept override { m_inner.rollback(); }
    std::optional<std::string> refusal() const override { return m_inner.refusal(); }

    int begun = 0;

  private:
    SqlConnection& m_inner;
    int m_conflicts;
    bool m_retryable;
};

// A request that met a concurrent one runs again from the start, rolled back in between, so
// that it is stored once; the retries are bounded.
TEST_F(BatchRunnerTest, BatchRunner_conflictRunsTheRequestAgain) {
    struct Case {
        int conflicts;
        bool retryable;
        BatchOutcome outcome;
        int runs;
        const char* issues;
    };
    const Case cases[] = {
        {2, true, BatchOutcome::Stored, 3, "5\n"},
        {1, false, BatchOutcome::Failed, 1, "5\n"},
        {1000, true, BatchOutcome::Failed, 20, "5\n"},
    };
    for (const Case& c : cases) {
        ConflictingConnection connection(*m_database, c.conflicts, c.retryable);

        const BatchResult result = BatchRunner(connection).run({kNewIssueBatch});

        EXPECT_EQ(result.outcome, c.outcome) << result.error;
        EXPECT_EQ(connection.begun, c.runs) << c.conflicts;
        EXPECT_EQ(query("SELECT count(*) FROM OrderDiscussion WHERE OrderID = 'PO1001'"), c.issues);
    }
}

// The page gets url-encoded Windows-1252 batches, one per SQL field, in body order.
TEST(BatchRunner, BatchRunner_serverRunsThePostedFieldsAsOneRequest) {
    test::TempPath file;
    DiscussionServer server(file.path());
    httplib::Client client("127.0.0.1", server.start());
    // A comment on stored issue 2, its text "Caf\xE9 \x80" in the Western European code page.
    const std::string comment =
        "SQL=" + httplib::detail::encode_query_param(
                     test::commentBase("PO1001") + test::kStoredIssueCommentInsert +
                     "1,2,'PO1001',0,'Dec 05, 2026 15:00:00','Ann','Caf@ @',0,Null,0,Null,0,0,"
                     "GETDATE(),0,'7','1');");
    const std::string encodedComment = replaced(comment, "%40%20%40", "%E9%20%80");
    struct Case {
        std::string body;
        int status;
        std::string answer;
    };
    const Case cases[] = {
        {encodedComment + "&" + encodedComment, 200, ""},  // equal fields are two changes
        {"SQL=" + httplib::detail::encode_query_param(
                      test::issueUpdate("PO1001", 2, "'" + std::string(20000, 'x') + "'")),
         200, ""},  // longer than the library's own limit for a form body
        {"Other=1", 400, "no SQL field"},
        {"SQL=DELETE+FROM+OrderHeader", 400, "statement not allowed: DELETE FROM OrderHeader"},
        {"SQL=" + httplib::detail::encode_query_param(kIssueInsert), 500,
         "Must declare the scalar variable \"@MaxID\"."},
    };
    for (const Case& c : cases) {
        const auto result =
            client.Post("/app/PODiscussion.asp", c.body, "application/x-www-form-urlencoded");

        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, c.status) << c.body;
        EXPECT_EQ(result->body, c.answer) << c.body;
    }
    const auto smuggled = client.Post("/PODiscussion.asp?SQL=DELETE+FROM+OrderHeader", "SQL=x",
                                      "application/x-www-form-urlencoded");
    ASSERT_TRUE(smuggled);
    EXPECT_EQ(smuggled->status, 400) << "only the body carries batches";
    const auto database = test::openDatabase(file.path());
    EXPECT_EQ(rows(*database,
                   "SELECT CommentSequence, CommentDescription FROM OrderDiscussionComment WHERE "
                   "OrderID = 'PO1001' AND CommentSequence > 6"),
              "7|Caf\xC3\xA9 \xE2\x82\xAC\n8|Caf\xC3\xA9 \xE2\x82\xAC\n");
}

}  // namespace
}  // namespace jex::server
