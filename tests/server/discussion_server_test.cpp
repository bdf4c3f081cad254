#include "discussion_server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <pugixml.hpp>
#include <string>

#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

TEST(DiscussionServer, DiscussionServer_pagePathMatchesTheLastSegmentIgnoringCase) {
    struct Case {
        const char* path;
        bool isPage;
    };
    const Case cases[] = {
        {"/PODiscussion.asp", true},        {"//PODiscussion.asp", true},
        {"/app/podiscussion.ASP", true},    {"PODiscussion.asp", true},
        {"/PODiscussion.asp/", false},      {"/PODiscussion.aspx", false},
        {"/PODiscussion.asp/x.asp", false}, {"/", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isDiscussionPagePath(c.path), c.isPage) << c.path;
    }
}

class DiscussionServerTest : public ::testing::Test {
  protected:
    test::TempPath m_file;
    DiscussionServer m_server{m_file.path()};
    int m_port = m_server.start();
    httplib::Client m_client{"127.0.0.1", m_port};
};

// Which paths are the page is the table above; here the page is reached over HTTP.
TEST_F(DiscussionServerTest, DiscussionServer_answersTheDocumentOfTheOrder) {
    const auto result = m_client.Get("/app/podiscussion.ASP?OrderID=PO1001");

    ASSERT_TRUE(result) << httplib::to_string(result.error());
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/xml; charset=utf-8");
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(result->body.c_str()));
    const pugi::xml_node issues = document.document_element().child("Issues");
    EXPECT_EQ(std::distance(issues.begin(), issues.end()), 4);
}

TEST_F(DiscussionServerTest, DiscussionServer_refusesWhatIsNotALoad) {
    struct Case {
        const char* target;
        int status;
    };
    const Case cases[] = {
        {"/PODiscussion.asp", 400},
        {"/PODiscussion.asp?orderid=PO1001", 400},
        {"/Other.asp?OrderID=PO1001", 404},
    };
    for (const Case& c : cases) {
        const auto result = m_client.Get(c.target);

        ASSERT_TRUE(result) << c.target;
        EXPECT_EQ(result->status, c.status) << c.target;
        EXPECT_FALSE(result->body.empty()) << c.target;
    }
}

TEST_F(DiscussionServerTest, DiscussionServer_databaseErrorAnswers500WithItsText) {
    test::openDatabase(m_file.path())
        ->execute("ALTER TABLE OrderDiscussion RENAME COLUMN Resolution TO Outcome");

    const auto result = m_client.Get("/PODiscussion.asp?OrderID=PO1001");

    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 500);
    EXPECT_NE(result->body.find("Resolution"), std::string::npos) << result->body;
}

// The same bytes read as the declared charset: the code page unless UTF-8 is declared, and a
// body that is not the UTF-8 it declares stores nothing.
TEST_F(DiscussionServerTest, DiscussionServer_decodesTheSaveByTheDeclaredCharset) {
    const auto save = [&](const std::string& description, const char* contentType) {
        const std::string body =
            "SQL=UPDATE+OrderDiscussion+SET+IssueFollowUp+%3D+" + description +
            "%2C+ResolvedDate+%3D+Null%2C+ResolvedBy+%3D+%27%27%2C+Type%3D+1%2C+Priority+%3D+1%2C"
            "Resolution+%3D+Null%2C+RecordLastUpdated+%3D+GETDATE%28%29%2C+ResolvedByPersonId+%3D"
            "+%27%27%2C+ResolvedByPersonType+%3D+0+Where+IssueSequence+%3D1++and+Orderid+%3D+%27"
            "PO1001%27%3B&";
        const auto result = m_client.Post("/PODiscussion.asp", body, contentType);
        EXPECT_TRUE(result);
        return result ? result->status : 0;
    };
    const auto followUp = [&] {
        return test::rows(*test::openDatabase(m_file.path()),
                          "SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID='PO1001' AND "
                          "IssueSequence=1");
    };
    EXPECT_EQ(save("%27%C5%81%27", "application/x-www-form-urlencoded"), 200);
    EXPECT_EQ(followUp(), "\u00C5\u0081\n") << "the code page's bytes C5 and 81";
    EXPECT_EQ(save("%27%C5%81%27", "application/x-www-form-urlencoded; Charset=UTF-8"), 200);
    EXPECT_EQ(followUp(), "Ł\n");
    EXPECT_EQ(save("%27%C5%27", "application/x-www-form-urlencoded; charset=utf-8"), 400);
    EXPECT_EQ(followUp(), "Ł\n");
}

}  // namespace
}  // namespace jex::server
