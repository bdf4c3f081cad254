#include <gtest/gtest.h>
#include <httplib.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "discussion_server.h"
#include "support/raw_connection.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

constexpr const char* kForm = "application/x-www-form-urlencoded";

// A new issue of PO1001 with one comment under it, as the control writes it.
const std::string kNewIssueBatch =
    test::issueBase("PO1001") + test::commentBase("PO1001") + test::kIssueInsert +
    "Values(@MaxID+1,'PO1001',2,1,'Dec 05, 2026 14:07:09','Ann|7|1','Late','Dec 19, 2026',Null,"
    "'', Null,GETDATE(),7,1,'',0);" +
    test::kNewIssueCommentInsert +
    "1,@MaxID+1 ,'PO1001',1,'Dec 05, 2026 14:08:00','Ann|7|1','Chased',-1,Null,0,Null,0,-1,"
    "GETDATE(),0,'7','1');";

std::vector<std::int64_t> column(const std::filesystem::path& file, const std::string& sql) {
    return test::numbers(*test::openDatabase(file), sql);
}

std::vector<std::int64_t> issueSequences(const std::filesystem::path& file) {
    return column(file, "SELECT IssueSequence FROM OrderDiscussion WHERE OrderID='PO1001'");
}

std::vector<std::int64_t> commentSequences(const std::filesystem::path& file) {
    return column(file,
                  "SELECT CommentSequence FROM OrderDiscussionComment WHERE OrderID='PO1001'");
}

std::size_t distinctCount(const std::vector<std::int64_t>& values) {
    return std::set(values.begin(), values.end()).size();
}

class ServerRobustnessTest : public ::testing::Test {
  protected:
    int start() {
        m_server.setReadTimeout(std::chrono::seconds(1));
        return m_server.start();
    }

    test::TempPath m_file;
    DiscussionServer m_server{m_file.path()};
    int m_port = start();
    httplib::Client m_client{"127.0.0.1", m_port};
};

TEST_F(ServerRobustnessTest, ServerRobustness_saveBodyOverTheLimitIsRefusedUnrun) {
    const std::string fields = "SQL=" + httplib::detail::encode_query_param(kNewIssueBatch);
    struct Case {
        std::size_t bodySize;
        int status;
        std::size_t issuesAdded;
    };
    const Case cases[] = {{kMaxSaveBodyBytes + 1, 413, 0}, {kMaxSaveBodyBytes, 200, 1}};
    for (const Case& c : cases) {
        const std::size_t before = issueSequences(m_file.path()).size();
        const std::string body =
            fields + "&pad=" + std::string(c.bodySize - fields.size() - 5, 'x');

        const auto result = m_client.Post("/PODiscussion.asp", body, kForm);

        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, c.status) << c.bodySize << ": " << result->body;
        EXPECT_EQ(issueSequences(m_file.path()).size(), before + c.issuesAdded) << c.bodySize;
    }
}

// A client that stops halfway through its body is cut off, and others are served meanwhile.
TEST_F(ServerRobustnessTest, ServerRobustness_stalledClientIsClosedWithoutStallingOthers) {
    test::RawConnection stalled(m_port);
    ASSERT_TRUE(stalled.send("POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Type: " +
                             std::string(kForm) + "\r\nContent-Length: 100\r\n\r\nSQL=UPDATE"));

    const auto load = m_client.Get("/PODiscussion.asp?OrderID=PO1001");

    ASSERT_TRUE(load);
    EXPECT_EQ(load->status, 200);
    // The server's timeout is far shorter than the guard.
    EXPECT_TRUE(stalled.readUntilClosed(30)) << "the stalled connection stayed open";
}

// Concurrent saves each take the next sequences inside their own transaction.
TEST_F(ServerRobustnessTest, ServerRobustness_concurrentSavesStoreEveryRowOnce) {
    constexpr int kClients = 8;
    constexpr int kSavesEach = 5;
    const std::size_t issuesBefore = issueSequences(m_file.path()).size();
    const std::size_t commentsBefore = commentSequences(m_file.path()).size();
    std::vector<int> failures(kClients, 0);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([this, i, &failures] {
            httplib::Client client("127.0.0.1", m_port);
            for (int save = 0; save < kSavesEach; ++save) {
                const auto result =
                    client.Post("/PODiscussion.asp", httplib::Params{{"SQL", kNewIssueBatch}});
                if (!result || result->status != 200) ++failures[i];
            }
        });
    }
    for (std::thread& client : clients) client.join();

    EXPECT_EQ(failures, std::vector<int>(kClients, 0));
    const auto issues = issueSequences(m_file.path());
    const auto comments = commentSequences(m_file.path());
    EXPECT_EQ(issues.size(), issuesBefore + kClients * kSavesEach);
    EXPECT_EQ(comments.size(), commentsBefore + kClients * kSavesEach);
    EXPECT_EQ(distinctCount(issues), issues.size());
    EXPECT_EQ(distinctCount(comments), comments.size());
}

}  // namespace
}  // namespace jex::server
