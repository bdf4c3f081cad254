// The real server program killed outright in the middle of a stream of saves, and started again
// on the same file: every answered save is there, whole, and the file is sound.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/save_statements.h"
#include "support/server_process.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

// A new issue of PO1001 and one comment under it, both described by tag.
std::string newIssueSave(const std::string& tag) {
    return test::issueBase("PO1001") + test::commentBase("PO1001") + test::kIssueInsert +
           "Values(@MaxID+1,'PO1001',2,1,'Dec 05, 2026 14:07:09','Ann|7|1','" + tag +
           "','Dec 19, 2026',Null,'', Null,GETDATE(),7,1,'',0);" + test::kNewIssueCommentInsert +
           "1,@MaxID+1 ,'PO1001',1,'Dec 05, 2026 14:08:00','Ann|7|1','" + tag +
           "',-1,Null,0,Null,0,-1,GETDATE(),0,'7','1');";
}

std::set<std::string> texts(SqlConnection& connection, const std::string& sql) {
    const auto query = connection.prepare(sql);
    std::set<std::string> found;
    while (query->step()) found.insert(std::get<std::string>(query->column(0)));
    return found;
}

TEST(CrashRecovery, Server_killedMidSavesKeepsEveryAnsweredSaveWholeAndTheFileSound) {
    constexpr int kClients = 4;
    constexpr std::size_t kAnsweredBeforeKill = 24;
    const test::TempPath file("crash");
    test::ServerProcess server({"--db", file.path().string()});
    ASSERT_NE(server.port(), 0);

    std::atomic<bool> killed{false};
    std::atomic<std::size_t> answeredCount{0};
    std::vector<std::vector<std::string>> answered(kClients);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&, i] {
            httplib::Client client("127.0.0.1", server.port());
            for (int n = 0; !killed; ++n) {
                const std::string tag = "crash " + std::to_string(i) + "-" + std::to_string(n);
                const auto result =
                    client.Post("/PODiscussion.asp", httplib::Params{{"SQL", newIssueSave(tag)}});
                if (!result || result->status != 200 || !result->body.empty()) continue;
                answered[i].push_back(tag);
                ++answeredCount;
            }
        });
    }
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (answeredCount < kAnsweredBeforeKill && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    server.kill();
    killed = true;
    for (std::thread& client : clients) client.join();
    ASSERT_GE(answeredCount, kAnsweredBeforeKill);

    test::ServerProcess restarted({"--db", file.path().string()});
    ASSERT_NE(restarted.port(), 0);
    httplib::Client client("127.0.0.1", restarted.port());
    const auto load = client.Get("/PODiscussion.asp?OrderID=PO1001");
    ASSERT_TRUE(load);
    EXPECT_EQ(load->status, 200);

    const auto database = test::openDatabase(file.path());
    EXPECT_EQ(texts(*database, "PRAGMA integrity_check"), std::set<std::string>{"ok"});
    const std::set<std::string> issues =
        texts(*database,
              "SELECT IssueDescription FROM OrderDiscussion WHERE OrderID='PO1001' "
              "AND IssueDescription LIKE 'crash %'");
    // A comment counts only under the issue its save stored with it.
    const std::set<std::string> commentsWithTheirIssue =
        texts(*database,
              "SELECT CommentDescription FROM OrderDiscussionComment c JOIN OrderDiscussion i "
              "USING (OrderID, IssueSequence) WHERE OrderID='PO1001' AND "
              "CommentDescription = IssueDescription");
    const std::set<std::string> comments =
        texts(*database,
              "SELECT CommentDescription FROM OrderDiscussionComment WHERE "
              "OrderID='PO1001' AND CommentDescription LIKE 'crash %'");
    EXPECT_EQ(commentsWithTheirIssue, issues) << "a save stored in part";
    EXPECT_EQ(comments, issues) << "a save stored in part";
    for (const auto& tags : answered) {
        for (const std::string& tag : tags) EXPECT_EQ(issues.count(tag), 1u) << tag << " lost";
    }
}

}  // namespace
}  // namespace jex::server
