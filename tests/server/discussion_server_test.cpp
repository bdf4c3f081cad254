// The page over HTTP: what is a load, how a save's body is read and decoded, its limits, a
// stalled client, and the credentials gate.
#include "discussion_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

#include "basic_auth.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

// A TCP connection to the server on loopback that sends a request byte for byte as written.
class RawConnection {
  public:
    // Connects and sends request; sent() tells whether all of it went.
    RawConnection(int port, const std::string& request) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_sent = ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 ::send(m_socket, request.data(), request.size(), 0) ==
                     static_cast<ssize_t>(request.size());
    }
    ~RawConnection() { ::close(m_socket); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool sent() const { return m_sent; }
    // Everything the server sends until it closes the connection; nothing when it is still open
    // after `seconds` (a guard against hanging the suite).
    std::optional<std::string> readUntilClosed(long seconds) {
        const timeval guard{seconds, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        std::string received;
        char buffer[4096];
        ssize_t length = 0;
        while ((length = ::recv(m_socket, buffer, sizeof buffer, 0)) > 0)
            received.append(buffer, length);
        return length == 0 ? std::optional(received) : std::nullopt;
    }

  private:
    int m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    bool m_sent = false;
};

constexpr const char* kForm = "application/x-www-form-urlencoded";

TEST(BasicAuth, CredentialsFileHoldsOneLineUserColonPassword) {
    const std::pair<const char*, const char*> cases[] = {
        // content (nullptr: no file), "user|password" read
        {"ann:secret\n", "ann|secret"},
        {"ann:se:cr:et\r\nignored:line\n", "ann|se:cr:et"},
        {"ann:", "ann|"},
        {"ann secret\n", "refused"},
        {":secret\n", "refused"},
        {"", "refused"},
        {nullptr, "refused"},
    };
    for (const auto& [content, read] : cases) {
        const test::TempPath file("credentials");
        if (content != nullptr) std::ofstream(file.path()) << content;
        std::string got = "refused";
        try {
            const Credentials credentials = readCredentialsFile(file.path());
            got = credentials.user + "|" + credentials.password;
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(got, read) << (content != nullptr ? content : "<no file>");
    }
}

struct ServedFile : ::testing::Test {
    void SetUp() override {
        server.setReadTimeout(std::chrono::seconds(1));
        port = server.start();
    }
    httplib::Client client() const { return httplib::Client("127.0.0.1", port); }
    std::string stored(const std::string& sql) const {
        return test::rows(*test::openDatabase(file.path()), sql);
    }
    std::string followUp() const {
        return stored(
            "SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID='PO1001' AND IssueSequence=1");
    }

    test::TempPath file;
    DiscussionServer server{file.path()};
    int port = 0;
};

// A save of issue 1's follow-up, its value given url-encoded.
std::string followUpSave(const std::string& encoded) {
    std::string body = test::formBody({test::issueUpdate("PO1001", 1, "'@'")});
    return body.replace(body.find("%40"), 3, encoded);
}

// The page is the last segment of the path, in any letter case.
TEST_F(ServedFile, AnswersOnlyALoadOfAnOrderAndTheDatabasesErrorAs500) {
    const std::pair<const char*, int> cases[] = {
        {"/app/podiscussion.ASP?OrderID=PO1001", 200},
        {"//PODiscussion.asp?OrderID=PO1001", 200},
        {"/PODiscussion.asp", 400},
        {"/PODiscussion.asp?orderid=PO1001", 400},
        {"/Other.asp?OrderID=PO1001", 404},
        {"/PODiscussion.aspx?OrderID=PO1001", 404},
        {"/PODiscussion.asp/?OrderID=PO1001", 404},
        {"/PODiscussion.asp/x.asp?OrderID=PO1001", 404},
    };
    for (const auto& [target, status] : cases) {
        const auto result = client().Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, status) << target;
        EXPECT_EQ(result->get_header_value("Content-Type"),
                  status == 200 ? "text/xml; charset=utf-8" : "text/plain; charset=utf-8");
        EXPECT_NE(result->body.find(status == 200 ? "<OrderID>PO1001<" : " "), std::string::npos)
            << target;
    }
    test::openDatabase(file.path())
        ->execute("ALTER TABLE OrderDiscussion RENAME COLUMN Resolution TO Outcome");
    const auto failed = client().Get("/PODiscussion.asp?OrderID=PO1001");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 500);
    EXPECT_NE(failed->body.find("Resolution"), std::string::npos) << failed->body;
}

// Fields in body order, each decoded as the declared charset (the code page unless UTF-8 is
// declared); what is refused leaves the follow-up as it was.
TEST_F(ServedFile, SaveRunsTheBodysSqlFieldsAsOneRequest) {
    const std::string twice = test::formBody({test::newIssueSave("PO1001", "twice")});
    const std::string atLimit = followUpSave("limit") + "&pad=";
    const std::string longest = atLimit + std::string(kMaxSaveBodyBytes - atLimit.size(), 'x');
    struct Case {
        std::string body;
        std::string type;
        int status;
        std::string answer;
        std::string followUp;
        const char* path = "/app/PODiscussion.asp";
    };
    const Case cases[] = {
        {followUpSave("Caf%E9+%80%C5%81"), kForm, 200, "", "Café €Å\u0081"},
        {followUpSave("%C5"), std::string(kForm) + "; Charset=UTF-8", 400,
         "The request declares UTF-8, but this SQL field is not UTF-8: " +
             test::issueUpdate("PO1001", 1, "'\u00C5'"),
         "Café €Å\u0081"},
        // longer than the library's own limit for a form body
        {followUpSave(std::string(20000, 'y')), kForm, 200, "", std::string(20000, 'y')},
        {longest + "x", kForm, 413, "The save is longer than 8388608 bytes.",
         std::string(20000, 'y')},
        {longest, kForm, 200, "", "limit"},
        {"Other=1", kForm, 400, "no SQL field", "limit"},
        {followUpSave("smuggled"), kForm, 400, "SQL fields belong in the request body", "limit",
         "/PODiscussion.asp?SQL=DELETE+FROM+OrderHeader"},
        {twice + twice, kForm, 200, "", "limit"},  // equal fields are two changes
    };
    for (const Case& c : cases) {
        const auto result = client().Post(c.path, c.body, c.type);

        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, c.status) << c.body.substr(0, 200);
        EXPECT_EQ(result->body, c.answer);
        EXPECT_EQ(followUp(), c.followUp + "\n") << c.body.substr(0, 200);
    }
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE IssueDescription = 'twice'"),
              "2\n");
}

// A client that stops halfway through its body is cut off, and others are served meanwhile.
TEST_F(ServedFile, StalledClientIsClosedWithoutStallingOthers) {
    RawConnection stalled(
        port, "POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Type: " + std::string(kForm) +
                  "\r\nContent-Length: 100\r\n\r\nSQL=UPDATE");
    ASSERT_TRUE(stalled.sent());

    const auto load = client().Get("/PODiscussion.asp?OrderID=PO1001");

    ASSERT_TRUE(load);
    EXPECT_EQ(load->status, 200);
    // The server's timeout is far shorter than the guard.
    EXPECT_TRUE(stalled.readUntilClosed(30)) << "the stalled connection stayed open";
}

struct GuardedFile : ServedFile {
    void SetUp() override {
        server.requireCredentials({"ann", "s3cr:et"});
        ServedFile::SetUp();
    }
};

// Every route is behind the gate: only the basic scheme with exactly the credentials gets
// through; anything else is answered 401 with the challenge, and neither a load nor a save runs.
TEST_F(GuardedFile, AdmitsOnlyTheBasicSchemeWithExactlyTheCredentials) {
    const auto basic = [](const std::string& user, const std::string& password) {
        return httplib::make_basic_authentication_header(user, password).second;
    };
    const std::string right = basic("ann", "s3cr:et");
    const std::pair<std::string, bool> cases[] = {
        {right, true},
        {"basic  " + right.substr(6) + " ", true},
        {basic("ann", "s3cr:e"), false},
        {basic("ann", "s3cr:etc"), false},
        {basic("Ann", "s3cr:et"), false},
        {basic("ann:s3cr", "et") + "x", false},
        {"Bearer " + right.substr(6), false},
        {right.substr(6), false},
        {"Basic", false},
        {"", false},
    };
    std::string expected = followUp();
    int saves = 0;
    for (const auto& [authorization, admitted] : cases) {
        const httplib::Headers headers{{"Authorization", authorization}};
        const std::string value = std::to_string(++saves);

        const auto load = client().Get("/PODiscussion.asp?OrderID=PO1001", headers);
        const auto save = client().Post("/PODiscussion.asp", headers, followUpSave(value), kForm);

        ASSERT_TRUE(load && save) << authorization;
        EXPECT_EQ(load->status, admitted ? 200 : 401) << authorization;
        EXPECT_EQ(save->status, admitted ? 200 : 401) << authorization;
        EXPECT_EQ(load->get_header_value("WWW-Authenticate"),
                  admitted ? "" : BasicAuth::kChallenge);
        if (admitted) expected = value + "\n";
        EXPECT_EQ(followUp(), expected) << authorization;
    }
    // Without credentials: the refused request's body is never read as a request of its own, the
    // server hangs up.
    RawConnection raw(
        port, "POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nSQL=x");
    ASSERT_TRUE(raw.sent());
    const auto answer = raw.readUntilClosed(10);
    ASSERT_TRUE(answer) << "the connection stayed open";
    EXPECT_EQ(answer->rfind("HTTP/1.1 401", 0), 0u) << *answer;
}

}  // namespace
}  // namespace jex::server
