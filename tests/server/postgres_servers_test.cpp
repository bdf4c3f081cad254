// Two real server processes on one PostgreSQL database, clients saving to the same order through
// both at once: every save is stored once and whole, numbers run without gaps or twins, and the
// order's open-problem flag agrees with its issues at the end.
#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "postgres_store.h"
#include "support/postgres_database.h"
#include "support/save_statements.h"
#include "support/server_process.h"
#include "support/sql_rows.h"

namespace jex::server {
namespace {

constexpr const char* kOrder = "PO1003";  // no issues yet, no open problem

std::string newIssueSave(const std::string& tag) {
    return test::issueBase(kOrder) + test::commentBase(kOrder) + test::kIssueInsert +
           "Values(@MaxID+1,'PO1003',2,1,'Dec 05, 2026 14:07:09','Ann|7|1','" + tag +
           "','Dec 19, 2026',Null,'', Null,GETDATE(),7,1,'',0);" + test::kNewIssueCommentInsert +
           "1,@MaxID+1 ,'PO1003',1,'Dec 05, 2026 14:08:00','Ann|7|1','" + tag +
           "',-1,Null,0,Null,0,-1,GETDATE(),0,'7','1');";
}

// Resolves the issues of those numbers.
std::string resolveSave(const std::vector<std::int64_t>& issues) {
    std::string batch;
    for (const std::int64_t issue : issues) {
        batch += test::issueUpdate(kOrder, static_cast<int>(issue), "'Dec 19, 2026'", "'done'",
                                   "'Dec 06, 2026'", "'Ann'");
    }
    return batch;
}

TEST(PostgresServers, TwoServersSavingToOneOrderAtOnceStoreEverySaveOnceAndWhole) {
    constexpr int kClients = 8;
    constexpr int kIssuesPerClient = 3;
    const auto cluster = test::PostgresCluster::fromEnvironment();
    JEX_SKIP_WITHOUT_POSTGRES(cluster);
    const test::PostgresDatabase database(*cluster);
    const auto owner = openPostgresStore(database.ownerUri(), database.serverRole());
    const test::ServerProcess servers[] = {
        test::ServerProcess({"--db", database.serverUri()}),
        test::ServerProcess({"--db", database.serverUri()}),
    };
    for (const auto& server : servers) ASSERT_NE(server.port(), 0);

    // Each client adds its issues (each with a comment); then all resolve theirs at once, and
    // the last of them race each other for the open-problem flag.
    std::vector<std::string> failures(kClients);
    const auto save = [&](int client, const std::string& batch) {
        httplib::Client http("127.0.0.1", servers[client % 2].port());
        const auto result =
            http.Post("/PODiscussion.asp",
                      httplib::Params{{"SQL", batch}, {"SQL", test::openProblemBatch(kOrder)}});
        if (!result || result->status != 200 || !result->body.empty())
            failures[client] += (result ? result->body : httplib::to_string(result.error())) + "\n";
    };
    const auto allClients = [&](const std::function<void(int)>& work) {
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i) clients.emplace_back(work, i);
        for (std::thread& client : clients) client.join();
    };
    const auto prefix = [](int client) { return "c" + std::to_string(client) + "-"; };
    allClients([&](int i) {
        for (int n = 0; n < kIssuesPerClient; ++n)
            save(i, newIssueSave(prefix(i) + std::to_string(n)));
    });
    const auto connection = owner->connect();
    std::vector<std::vector<std::int64_t>> issues(kClients);
    for (int i = 0; i < kClients; ++i) {
        issues[i] = test::numbers(*connection,
                                  "SELECT IssueSequence FROM OrderDiscussion WHERE OrderID = "
                                  "'PO1003' AND IssueDescription LIKE '" +
                                      prefix(i) + "%'");
    }
    allClients([&](int i) { save(i, resolveSave(issues[i])); });
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");

    std::string expectedNumbers;
    for (int n = 1; n <= kClients * kIssuesPerClient; ++n)
        expectedNumbers += std::to_string(n) + "\n";
    EXPECT_EQ(test::rows(*connection,
                         "SELECT IssueSequence FROM OrderDiscussion WHERE OrderID = "
                         "'PO1003' ORDER BY 1"),
              expectedNumbers);
    EXPECT_EQ(test::rows(*connection,
                         "SELECT CommentSequence FROM OrderDiscussionComment WHERE "
                         "OrderID = 'PO1003' ORDER BY 1"),
              expectedNumbers);
    // Each comment sits under the issue its save stored with it, and every issue is resolved.
    EXPECT_EQ(
        test::number(*connection,
                     "SELECT count(*) FROM OrderDiscussionComment c JOIN OrderDiscussion d ON "
                     "c.OrderID = d.OrderID AND c.IssueSequence = d.IssueSequence AND "
                     "c.CommentDescription = d.IssueDescription WHERE d.OrderID = 'PO1003' AND "
                     "d.Resolution = 'done'"),
        kClients * kIssuesPerClient);
    EXPECT_EQ(test::number(*connection,
                           "SELECT OpenProblemExists FROM OrderHeader WHERE OrderID = 'PO1003'"),
              0);
}

}  // namespace
}  // namespace jex::server
