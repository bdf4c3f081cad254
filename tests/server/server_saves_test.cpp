// Real server processes on both databases. They run only the statements the control writes, one
// order a request: anything else is refused whole, before a database sees it, and changes nothing.
// Two on one store, clients saving to one order through both at once, one killed outright among
// the saves and started again: no save is answered with a failure, every answered save is there,
// stored once and whole, numbers run without gaps or twins, and the order's open-problem flag
// agrees with its issues at the end.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/backend_store.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"

namespace jex::server {
namespace {

// jexdiscussions-server in a process of its own, killed with the object.
class ServerProcess {
  public:
    // Starts it with the shell words `arguments` and waits for the line that names its port;
    // port() is 0 when none came or the server listens elsewhere than on loopback.
    explicit ServerProcess(const std::string& arguments) {
        // The shell tells its process id, which the server then takes over.
        m_output = ::popen(("echo $$; exec " JEXSERVER_PATH " " + arguments).c_str(), "r");
        char line[256];
        if (m_output == nullptr || std::fgets(line, sizeof line, m_output) == nullptr) return;
        m_pid = std::atoi(line);
        const std::string expected = "listening on http://127.0.0.1:";
        if (std::fgets(line, sizeof line, m_output) != nullptr &&
            std::string(line).starts_with(expected))
            m_port = std::atoi(line + expected.size());
    }
    ~ServerProcess() { kill(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }

    // SIGKILL: no chance to finish a request, close the database or flush anything.
    void kill() {
        if (m_pid > 0) ::kill(m_pid, SIGKILL);
        if (m_output != nullptr) ::pclose(m_output);
        m_pid = -1;
        m_output = nullptr;
    }

  private:
    std::FILE* m_output = nullptr;
    pid_t m_pid = -1;
    int m_port = 0;
};

constexpr int kClients = 8;
const std::string kFollowUp = test::issueUpdate("PO1001", 1, "'Jan 05, 2027'");

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
        const auto result = post(client % 2, {batch, test::openProblemBatch("PO1003")});
        if (result && (result->status != 200 || !result->body.empty()))
            failures[client] += result->body + "\n";
        return result && result->status == 200 && result->body.empty();
    }
    httplib::Result post(int server, const std::vector<std::string>& batches) {
        return httplib::Client("127.0.0.1", servers[server]->port())
            .Post("/PODiscussion.asp", test::formBody(batches),
                  "application/x-www-form-urlencoded");
    }
    void allClients(const std::function<void(int)>& work) {
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i) clients.emplace_back(work, i);
        for (std::thread& client : clients) client.join();
    }
    std::string stored(const std::string& sql) { return test::rows(*store.owner(), sql); }

    test::BackendStore store{GetParam(), "server-processes"};
    std::optional<ServerProcess> servers[2];
    std::vector<std::string> failures = std::vector<std::string>(kClients);
};

TEST_P(ServerProcesses, AnythingButTheControlsStatementsIsRefusedWhole) {
    const std::string withoutKey = kFollowUp.substr(0, kFollowUp.find(" Where"));
    // The batches of a request, and what the answer quotes.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"UPDATE OrderDiscussion SET IssueDescription='wiped'"}, "IssueDescription='wiped'"},
        {{kFollowUp + "--"}, "a comment in: "},
        {{kFollowUp + " DROP TABLE OrderDiscussion"}, "DROP TABLE OrderDiscussion"},
        {{withoutKey + ";"}, withoutKey},
        {{withoutKey + " Where IssueSequence =(SELECT 1)  and Orderid = 'PO1001';"}, "(SELECT 1)"},
        {{withoutKey + " Where IssueSequence =$1  and Orderid = 'PO1001';"}, "=$1"},
        {{withoutKey + " Where IssueSequence =IssueSequence  and Orderid = 'PO1001';"}, "=Issue"},
        {{withoutKey + " Where IssueSequence =1  and Orderid = 'PO1001' OR 1=1;"}, "OR 1=1"},
        {{kFollowUp, test::issueUpdate("PO1002", 1, "'Jan 05, 2027'")},
         "a second order in one request, in: UPDATE"},
    };
    // Every row of every table the server knows.
    const auto everything = [&] {
        std::string text;
        for (const char* table :
             {"OrderHeader", "OrderDiscussion", "OrderDiscussionComment", "DiscussionGroup",
              "DiscussionType", "DiscussionPriority", "CommentType"}) {
            text += stored(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2");
        }
        return text;
    };
    const std::string before = everything();
    for (const auto& [batches, named] : cases) {
        const auto answer = post(0, batches);

        ASSERT_TRUE(answer) << batches.back();
        EXPECT_EQ(answer->status, 400) << batches.back();
        EXPECT_EQ(answer->body.rfind("statement not allowed: ", 0), 0u) << answer->body;
        EXPECT_NE(answer->body.find(named), std::string::npos) << answer->body;
    }
    EXPECT_EQ(everything(), before);

    // Nothing of a refused request outlives it: the same server saves as before.
    EXPECT_EQ(post(0, {kFollowUp})->body, "");
    EXPECT_EQ(stored("SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID = 'PO1001' AND "
                     "IssueSequence = 1"),
              "Jan 05, 2027\n");
}

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
