// The real server program killed outright in the middle of a stream of saves, and started again
// on the same file: every answered save is there, whole, and the file is sound.
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "database.h"
#include "statement.h"
#include "support/save_statements.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

// jexdiscussions-server on a database file, in a process of its own.
class ServerProcess {
  public:
    // Starts it and waits for the line that names its port; port() is 0 when none came or the
    // server listens elsewhere than on loopback.
    explicit ServerProcess(const std::filesystem::path& database) {
        int output[2];
        if (::pipe(output) != 0) return;
        const std::string path = database.string();
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(output[1], STDOUT_FILENO);
            ::execl(JEXSERVER_PATH, JEXSERVER_PATH, "--db", path.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(output[1]);
        m_output = output[0];
        m_port = readPort();
    }
    ~ServerProcess() {
        kill();
        if (m_output >= 0) ::close(m_output);
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }

    // SIGKILL: no chance to finish a request, close the database or flush anything.
    void kill() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

  private:
    // "listening on http://127.0.0.1:<port>/": loopback unless told otherwise.
    int readPort() {
        std::string line;
        pollfd ready{m_output, POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, 10000) == 1 && ::read(m_output, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        const std::string expected = "listening on http://127.0.0.1:";
        if (line.rfind(expected, 0) != 0) return 0;
        return std::atoi(line.c_str() + expected.size());
    }

    pid_t m_pid = -1;
    int m_output = -1;
    int m_port = 0;
};

// A new issue of PO1001 and one comment under it, both described by tag.
std::string newIssueSave(const std::string& tag) {
    return test::issueBase("PO1001") + test::commentBase("PO1001") + test::kIssueInsert +
           "Values(@MaxID+1,'PO1001',2,1,'Dec 05, 2026 14:07:09','Ann|7|1','" + tag +
           "','Dec 19, 2026',Null,'', Null,GETDATE(),7,1,'',0);" + test::kNewIssueCommentInsert +
           "1,@MaxID+1 ,'PO1001',1,'Dec 05, 2026 14:08:00','Ann|7|1','" + tag +
           "',-1,Null,0,Null,0,-1,GETDATE(),0,'7','1');";
}

std::set<std::string> texts(sqlite3* db, const std::string& sql) {
    Statement query(db, sql);
    std::set<std::string> found;
    while (query.step()) found.insert(query.text(0));
    return found;
}

TEST(CrashRecovery, Server_killedMidSavesKeepsEveryAnsweredSaveWholeAndTheFileSound) {
    constexpr int kClients = 4;
    constexpr std::size_t kAnsweredBeforeKill = 24;
    const test::TempPath file("crash");
    ServerProcess server(file.path());
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

    ServerProcess restarted(file.path());
    ASSERT_NE(restarted.port(), 0);
    httplib::Client client("127.0.0.1", restarted.port());
    const auto load = client.Get("/PODiscussion.asp?OrderID=PO1001");
    ASSERT_TRUE(load);
    EXPECT_EQ(load->status, 200);

    const Database database(file.path());
    EXPECT_EQ(texts(database.handle(), "PRAGMA integrity_check"), std::set<std::string>{"ok"});
    const std::set<std::string> issues =
        texts(database.handle(),
              "SELECT IssueDescription FROM OrderDiscussion WHERE OrderID='PO1001' "
              "AND IssueDescription LIKE 'crash %'");
    // A comment counts only under the issue its save stored with it.
    const std::set<std::string> commentsWithTheirIssue =
        texts(database.handle(),
              "SELECT CommentDescription FROM OrderDiscussionComment c JOIN OrderDiscussion i "
              "USING (OrderID, IssueSequence) WHERE OrderID='PO1001' AND "
              "CommentDescription = IssueDescription");
    const std::set<std::string> comments =
        texts(database.handle(),
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
