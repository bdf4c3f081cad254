// Two real server processes on one store, clients saving to one order through both at once, one
// server killed outright among the saves and started again: no save is answered with a failure,
// every answered save is there, stored once and whole, numbers run without gaps or twins, and
// the order's open-problem flag agrees with its issues at the end.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/backend_store.h"
#include "support/server_process.h"
#include "support/server_saves.h"
#include "support/sql_rows.h"

namespace jex::server {
namespace {

constexpr int kClients = 8;

struct ServerProcesses : ::testing::TestWithParam<test::Backend> {
    void SetUp() override {
        if (!store.skipReason().empty()) GTEST_SKIP() << store.skipReason();
        for (int i : {0, 1}) start(i);
    }
    void start(int i) {
        servers[i].emplace("--db '" + store.serverConnection() + "'");
        ASSERT_NE(servers[i]->port(), 0);
    }
    // Saves batch and the open-problem batch through the client's server; an answer other than
    // "stored" goes to the client's failures. False unless stored.
    bool save(int client, const std::string& batch) {
        const auto result = httplib::Client("127.0.0.1", servers[client % 2]->port())
                                .Post("/PODiscussion.asp",
                                      test::formBody({batch, test::openProblemBatch("PO1003")}),
                                      "application/x-www-form-urlencoded");
        if (result && (result->status != 200 || !result->body.empty()))
            failures[client] += result->body + "\n";
        return result && result->status == 200 && result->body.empty();
    }
    void allClients(const std::function<void(int)>& work) {
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i) clients.emplace_back(work, i);
        for (std::thread& client : clients) client.join();
    }
    std::string stored(const std::string& sql) { return test::rows(*store.owner(), sql); }

    test::BackendStore store{GetParam(), "server-processes"};
    std::optional<test::ServerProcess> servers[2];
    std::vector<std::string> failures = std::vector<std::string>(kClients);
};

TEST_P(ServerProcesses, SavingThroughTwoAndAKillStoresEveryAnsweredSaveOnceAndWhole) {
    std::atomic<bool> stop{false};
    std::atomic<int> answeredCount{0};
    std::vector<std::vector<std::string>> answered(kClients);
    std::thread saving([&] {
        allClients([&](int i) {
            for (int n = 0; !stop; ++n) {
                const std::string tag = "c" + std::to_string(i) + "-" + std::to_string(n);
                if (!save(i, test::newIssueSave("PO1003", tag))) continue;
                answered[i].push_back(tag);
                ++answeredCount;
            }
        });
    });
    const auto waitFor = [&](int count) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (answeredCount < count && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    waitFor(24);
    servers[0]->kill();
    const int atKill = answeredCount;
    waitFor(atKill + 8);  // the other server goes on
    stop = true;
    saving.join();
    ASSERT_GE(answeredCount, atKill + 8);
    start(0);

    // Each client resolves the issues of its tags that were stored, answered or not.
    allClients([&](int i) {
        std::string resolve;
        for (const std::int64_t issue :
             test::numbers(*store.owner(),
                           "SELECT IssueSequence FROM OrderDiscussion WHERE "
                           "IssueDescription LIKE 'c" +
                               std::to_string(i) + "-%'"))
            resolve += test::issueUpdate("PO1003", static_cast<int>(issue), "'Dec 19, 2026'",
                                         "'done'", "'Dec 06, 2026'", "'Ann'");
        if (!save(i, resolve)) failures[i] += "the resolving save\n";
    });
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");

    if (GetParam() == test::Backend::Sqlite) {
        EXPECT_EQ(stored("PRAGMA integrity_check"), "ok\n");
    }
    const std::string issues = stored(
        "SELECT IssueSequence, IssueDescription, Resolution FROM OrderDiscussion WHERE OrderID = "
        "'PO1003' ORDER BY 1");
    // Each comment sits under the issue its save stored with it, under the same number.
    EXPECT_EQ(stored("SELECT CommentSequence, CommentDescription, Resolution FROM "
                     "OrderDiscussionComment c JOIN OrderDiscussion d ON c.OrderID = d.OrderID "
                     "AND c.IssueSequence = d.IssueSequence WHERE d.OrderID = 'PO1003' AND "
                     "c.CommentDescription = d.IssueDescription ORDER BY 1"),
              issues)
        << "a save stored in part";
    const std::string n = std::to_string(test::number(
        *store.owner(), "SELECT count(*) FROM OrderDiscussion WHERE OrderID = 'PO1003'"));
    EXPECT_EQ(stored("SELECT max(IssueSequence), count(Resolution), (SELECT count(*) FROM "
                     "OrderDiscussionComment WHERE OrderID = 'PO1003'), OpenProblemExists FROM "
                     "OrderDiscussion JOIN OrderHeader USING (OrderID) WHERE OrderID = 'PO1003' "
                     "GROUP BY OpenProblemExists"),
              n + "|" + n + "|" + n + "|0\n")
        << "numbers with gaps, a comment without its issue, or an issue left open";
    for (const auto& tags : answered) {
        for (const std::string& tag : tags)
            EXPECT_NE(issues.find("|" + tag + "|"), std::string::npos) << tag << " lost";
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ServerProcesses, test::kBackends, test::backendName);

}  // namespace
}  // namespace jex::server
