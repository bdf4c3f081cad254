// A server that asks for a user name and password: the control sends the ones written into its
// server address for the load and the save alike, and a refusal is a failed load or save.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/headless_services.h"
#include "discussion_server.h"
#include "support/control_session.h"
#include "support/list_texts.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex {
namespace {

constexpr const char* kPassword = "Op3n:Se@me%";
// As written into an address.
constexpr const char* kEncodedPassword = "Op3n%3ASe%40me%25";

struct CredentialsRoad : ::testing::Test {
    CredentialsRoad() {
        server.requireCredentials({"clerk", kPassword});
        port = server.start();
        control.setUserName("Clerk Kent|77|1");
    }
    // The server's base address with userInfo ("user:password@", or "") written into it.
    std::string address(const std::string& userInfo) const {
        return "http://" + userInfo + "127.0.0.1:" + std::to_string(port) + "/";
    }
    std::int64_t commentsCalled(const std::string& description) {
        return test::number(*test::openDatabase(file.path()),
                            "SELECT count(*) FROM OrderDiscussionComment WHERE "
                            "CommentDescription = '" +
                                description + "'");
    }
    // Nothing the control showed or logged gives the password away.
    void expectPasswordNeverShown() {
        std::vector<std::string> texts = host.eventLog.entries();
        for (const MessageBoxRequest& box : host.messageBox.shown()) texts.push_back(box.text);
        for (const std::string& text : texts) {
            EXPECT_EQ(text.find(kPassword), std::string::npos) << text;
            EXPECT_EQ(text.find(kEncodedPassword), std::string::npos) << text;
        }
    }

    test::TempPath file{"credentials-road"};
    server::DiscussionServer server{file.path()};
    int port = 0;
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

// Every loader fails without the right user and password; with them the order loads, and a
// save the server refuses for them is shown and its rows sent again by the next save.
TEST_F(CredentialsRoad, OnlyTheRightCredentialsLoadAndSave) {
    const std::string userInfos[] = {"", "clerk@", "clerk:wrong@"};
    for (const std::string& userInfo : userInfos) {
        host.messageBox.clear();
        control.LoadData(address(userInfo), "PO1001");
        EXPECT_EQ(test::reportsOf(host.messageBox).size(), 6u) << userInfo;
        EXPECT_EQ(ui.lstDiscussions.count(), 0) << userInfo;
        expectPasswordNeverShown();
    }
    host.messageBox.clear();
    control.LoadData(address(std::string("clerk:") + kEncodedPassword + "@"), "PO1001");
    ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    test::clickRow(ui.lstDiscussions, 10, "002");
    ui.cmdAddComment.userClick();
    ui.cboCommentType.userSelect(1);
    ui.txtCommentDescription.userType("Called the carrier");
    ui.cmdAddComment.userClick();

    const auto restart = [&](const char* password) {
        server.stop();
        server.requireCredentials({"clerk", password});
        server.start("127.0.0.1", port);
    };
    restart("changed");  // between the load and the save
    control.SaveData();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    EXPECT_EQ(host.messageBox.shown()[0].title, "Velmora Messaging");
    EXPECT_NE(host.messageBox.shown()[0].text.find("password"), std::string::npos);
    EXPECT_EQ(commentsCalled("Called the carrier"), 0);
    expectPasswordNeverShown();

    restart(kPassword);
    host.messageBox.clear();
    control.SaveData();  // the rows refused are sent again
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(commentsCalled("Called the carrier"), 1);
}

}  // namespace
}  // namespace jex
