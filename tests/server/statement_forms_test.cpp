// The server runs only the statements the control writes, one order a request, on both
// databases: anything else is refused whole, before a database sees it, and changes nothing.
#include "statement_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discussion_server.h"
#include "support/backend_store.h"
#include "support/server_saves.h"
#include "support/sql_rows.h"

namespace jex::server {
namespace {

const std::string kFollowUp = test::issueUpdate("PO1001", 1, "'Jan 05, 2027'");

struct StatementForms : ::testing::TestWithParam<test::Backend> {
    void SetUp() override {
        if (!store.skipReason().empty()) GTEST_SKIP() << store.skipReason();
        server.emplace(store.serverConnection());
    }
    std::string stored(const std::string& sql) { return test::rows(*store.owner(), sql); }
    // Every row of every table the server knows.
    std::string everything() {
        std::string text;
        for (const char* table :
             {"OrderHeader", "OrderDiscussion", "OrderDiscussionComment", "DiscussionGroup",
              "DiscussionType", "DiscussionPriority", "CommentType"}) {
            text += stored(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2");
        }
        return text;
    }

    test::BackendStore store{GetParam(), "statement-forms"};
    std::optional<DiscussionServer> server;
};

TEST_P(StatementForms, AnythingButTheControlsStatementsIsRefusedWhole) {
    const std::string withoutKey = kFollowUp.substr(0, kFollowUp.find(" Where"));
    // The batches of a request, and what the answer quotes.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"UPDATE OrderDiscussion SET IssueDescription='wiped'"}, "IssueDescription='wiped'"},
        {{"INSERT INTO OrderDiscussion (IssueSequence, OrderID) SELECT IssueSequence+100, "
          "OrderID FROM OrderDiscussion"},
         "SELECT IssueSequence+100"},
        {{"UPDATE OrderDiscussionComment SET CommentDescription = (SELECT IssueDescription FROM "
          "OrderDiscussion LIMIT 1)"},
         "(SELECT IssueDescription"},
        {{"DECLARE @MaxID Int SET @MaxID = (SELECT IssueDescription FROM OrderDiscussion)"},
         "SET @MaxID = (SELECT IssueDescription"},
        {{"DECLARE @MaxID Int SET @MaxID = (SELECT set_config('search_path', 'x', false))"},
         "set_config"},
        {{"DECLARE @MaxID Int SET @MaxID = (SELECT lo_from_bytea(0, 'x'))"}, "lo_from_bytea"},
        {{kFollowUp + "--"}, "a comment in: "},
        {{kFollowUp + " DROP TABLE OrderDiscussion"}, "DROP TABLE OrderDiscussion"},
        {{"DELETE FROM OrderDiscussionComment"}, "DELETE FROM OrderDiscussionComment"},
        {{"BEGIN " + kFollowUp + " COMMIT"}, "BEGIN"},
        {{"INSERT INTO DiscussionType (TypeCode, Description, GroupCode) Values(99,'Spam',1);"},
         "INSERT INTO DiscussionType"},
        {{withoutKey + ";"}, withoutKey},
        {{withoutKey + " Where IssueSequence =(SELECT 1)  and Orderid = 'PO1001';"}, "(SELECT 1)"},
        {{withoutKey + " Where IssueSequence =$1  and Orderid = 'PO1001';"}, "=$1"},
        {{withoutKey + " Where IssueSequence =1  and Orderid = 'PO1001' OR 1=1;"}, "OR 1=1"},
        {{kFollowUp, test::issueUpdate("PO1002", 1, "'Jan 05, 2027'")},
         "a second order in one request, in: UPDATE"},
    };
    const std::string before = everything();
    for (const auto& [batches, named] : cases) {
        const SaveAnswer answer = server->save(test::formBody(batches));

        EXPECT_EQ(answer.status, 400) << batches.back();
        EXPECT_EQ(answer.text.rfind("statement not allowed: ", 0), 0u) << answer.text;
        EXPECT_NE(answer.text.find(named), std::string::npos) << answer.text;
    }
    EXPECT_EQ(everything(), before);

    // Nothing of a refused request outlives it: the same server saves as before.
    EXPECT_EQ(server->save(test::formBody({kFollowUp})).text, "");
    EXPECT_EQ(stored("SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID = 'PO1001' AND "
                     "IssueSequence = 1"),
              "Jan 05, 2027\n");
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementForms, test::kBackends, test::backendName);

}  // namespace
}  // namespace jex::server
