#include "basic_auth.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <string>

#include "discussion_server.h"
#include "support/raw_connection.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

TEST(BasicAuth, CredentialsFile_oneLineUserColonPassword) {
    struct Case {
        const char* content;  // nullptr: no file
        const char* user;     // nullptr: refused
        const char* password;
    };
    const Case cases[] = {
        {"ann:secret\n", "ann", "secret"},
        {"ann:se:cr:et\r\nignored:line\n", "ann", "se:cr:et"},
        {"ann:", "ann", ""},
        {"ann secret\n", nullptr, ""},
        {":secret\n", nullptr, ""},
        {"", nullptr, ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        const test::TempPath file("credentials");
        if (c.content != nullptr) std::ofstream(file.path()) << c.content;
        const std::string shown = c.content != nullptr ? c.content : "<no file>";
        if (c.user == nullptr) {
            EXPECT_THROW(readCredentialsFile(file.path()), std::runtime_error) << shown;
            continue;
        }
        const Credentials read = readCredentialsFile(file.path());
        EXPECT_EQ(read.user + "|" + read.password, std::string(c.user) + "|" + c.password) << shown;
    }
}

TEST(BasicAuth, Admits_onlyTheBasicSchemeWithExactlyTheCredentials) {
    const BasicAuth auth({"ann", "s3cr:et"});
    const auto basic = [](const std::string& user, const std::string& password) {
        return httplib::make_basic_authentication_header(user, password).second;
    };
    const std::string right = basic("ann", "s3cr:et");
    struct Case {
        std::string authorization;
        bool admitted;
    };
    const Case cases[] = {
        {right, true},
        {"basic " + right.substr(6) + "  ", true},
        {basic("ann", "s3cr:e"), false},
        {basic("ann", "s3cr:etc"), false},
        {basic("Ann", "s3cr:et"), false},
        {basic("ann:s3cr", "et") + "x", false},
        {"Bearer " + right.substr(6), false},
        {right.substr(6), false},
        {"Basic", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(auth.admits(c.authorization), c.admitted) << c.authorization;
    }
}

// Every route is behind the gate: a request without the credentials is answered 401 with the
// challenge, and neither a load nor a save runs.
TEST(BasicAuth, Server_refusesEveryRequestWithoutTheCredentials) {
    const test::TempPath file;
    DiscussionServer server(file.path());
    server.requireCredentials({"ann", "s3cr:et"});
    const int port = server.start();
    httplib::Client client("127.0.0.1", port);
    const std::string save = "SQL=" + httplib::detail::encode_query_param(
                                          test::issueUpdate("PO1001", 1, "'Jan 05, 2027'"));
    const auto followUp = [&] {
        return test::rows(*test::openDatabase(file.path()),
                          "SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID = 'PO1001' "
                          "AND IssueSequence = 1");
    };
    const std::string before = followUp();
    struct Case {
        const char* user;  // nullptr: no credentials sent
        const char* password;
        int status;
    };
    const Case cases[] = {{nullptr, "", 401},
                          {"ann", "wrong", 401},
                          {"bob", "s3cr:et", 401},
                          {"ann", "s3cr:et", 200}};
    for (const Case& c : cases) {
        httplib::Headers headers;
        if (c.user != nullptr)
            headers.insert(httplib::make_basic_authentication_header(c.user, c.password));
        const std::string who = c.user != nullptr ? std::string(c.user) + ":" + c.password : "-";

        const auto load = client.Get("/PODiscussion.asp?OrderID=PO1001", headers);
        const auto stored =
            client.Post("/PODiscussion.asp", headers, save, "application/x-www-form-urlencoded");

        ASSERT_TRUE(load && stored) << who;
        EXPECT_EQ(load->status, c.status) << who;
        EXPECT_EQ(stored->status, c.status) << who;
        const bool refused = c.status == 401;
        EXPECT_EQ(load->get_header_value("WWW-Authenticate"), refused ? BasicAuth::kChallenge : "")
            << who;
        EXPECT_EQ(load->body.find("PO1001") != std::string::npos, !refused) << who;
        EXPECT_EQ(followUp(), refused ? before : "Jan 05, 2027\n") << who;
    }
    // The refused request's body is never read as a request of its own: the server hangs up.
    test::RawConnection raw(port);
    ASSERT_TRUE(
        raw.send("POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\n"
                 "SQL=x"));
    const auto answer = raw.readUntilClosed(10);
    ASSERT_TRUE(answer) << "the connection stayed open";
    EXPECT_EQ(answer->rfind("HTTP/1.1 401", 0), 0u) << *answer;
}

}  // namespace
}  // namespace jex::server
