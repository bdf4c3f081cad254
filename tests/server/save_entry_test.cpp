// The save entry point answers a body as a POST of it to the page is answered: one road for
// both, so that what the fuzzer finds in-process holds for the server.
#include <gtest/gtest.h>
#include <httplib.h>

#include <string>

#include "discussion_server.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

constexpr const char* kForm = "application/x-www-form-urlencoded";

TEST(SaveEntry, Save_answersAsThePostOfTheSameBody) {
    struct Case {
        std::string body;
        int status;
        bool stored;
    };
    const Case cases[] = {
        {"SQL=UPDATE+OrderHeader+SET+VendorName%3D%27Acme%27+WHERE+OrderID%3D%27PO1001%27&", 200,
         true},
        {"OrderID=PO1001", 400, false},
        {"SQL=DELETE+FROM+OrderHeader", 400, false},
        {"SQL=INSERT+INTO+OrderHeader+(OrderID)+VALUES+(%27PO1001%27)", 500, false},
        {"", 400, false},
    };
    const test::TempPath file;
    DiscussionServer server(file.path());
    httplib::Client client("127.0.0.1", server.start());
    for (const Case& c : cases) {
        const SaveAnswer direct = server.save(c.body);
        EXPECT_EQ(direct.status, c.status) << c.body;
        EXPECT_EQ(direct.text.empty(), c.stored) << c.body;

        const auto posted = client.Post("/PODiscussion.asp", c.body, kForm);
        ASSERT_TRUE(posted) << c.body;
        EXPECT_EQ(posted->status, direct.status) << c.body;
        EXPECT_EQ(posted->body, direct.text) << c.body;
    }
    // A body of another kind holds no fields, whatever it looks like.
    const auto plain = client.Post("/PODiscussion.asp", cases[0].body, "text/plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->status, 400);
}

}  // namespace
}  // namespace jex::server
