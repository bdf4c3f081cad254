// Saving through the server page: the body posted, the answer shown, and a failed save keeping
// its rows for the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comments/find_comment.h"
#include "control/headless_services.h"
#include "data/issue_record.h"
#include "support/discussion_document.h"
#include "support/fixed_page_server.h"

namespace jex {
namespace {

using Texts = std::vector<std::string>;

// The page of an order with stored issue 001 and its comments 005 and 006.
std::string order() {
    return test::Document{
        .issues = {test::issueRecord("001")},
        .comments = {test::commentRecord("005", "001"), test::commentRecord("006", "001")}}
        .xml();
}

struct SaveTransport : ::testing::Test {
    SaveTransport() { control.LoadData(page.url() + "/", "PO9"); }

    // Marks the issues and comments given by sequence.
    void mark(const Texts& issues, const Texts& comments) {
        for (const std::string& issue : issues) {
            moveToIssue(*control.state().DiscussionTable, issue);
            control.state().DiscussionTable->setField("IsUpdated", Value(true));
        }
        for (const std::string& comment : comments) {
            ASSERT_TRUE(findComment(*control.state().CommentTable, comment));
            control.state().CommentTable->setField("IsUpdated", Value(true));
        }
    }
    // The batches the next save sends; the rows it would clear stay marked.
    Texts batchesOf(const Texts& issues, const Texts& comments) {
        const std::string text = control.SaveDataToIIS("\x01");
        mark(issues, comments);
        Texts batches;
        for (size_t start = 0, end; (end = text.find('\x01', start)) != std::string::npos;
             start = end + 1) {
            batches.push_back(text.substr(start, end - start));
        }
        return batches;
    }

    test::FixedPageServer page{order()};
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
};

TEST_F(SaveTransport, Body_carriesEachBatchAsAnSqlFieldInOrder) {
    control.SaveData();
    EXPECT_EQ(page.posts().size(), 0u) << "nothing marked: nothing sent";
    mark({"001"}, {"005", "006"});
    const Texts batches = batchesOf({"001"}, {"005", "006"});
    ASSERT_EQ(batches.size(), 2u);

    control.SaveData();
    ASSERT_EQ(page.posts().size(), 1u);
    EXPECT_EQ(page.posts()[0], "/PODiscussion.asp application/x-www-form-urlencoded SQL=" +
                                   control.urlEncode(batches[0]) +
                                   "&SQL=" + control.urlEncode(batches[1]) + "&");
    EXPECT_EQ(host.messageBox.shown().size(), 0u);
}

TEST_F(SaveTransport, Answer_isShownWholeUnlessOnlyBlanks) {
    const std::string longAnswer = std::string(1500, 'x') + "end";
    for (const std::string answer : {"", "   ", " \t ", "a\r\n", longAnswer.c_str()}) {
        host.messageBox.clear();
        page.answer(200, answer);
        mark({}, {"005"});
        control.SaveData();

        const bool shown = answer.find_first_not_of(' ') != std::string::npos;
        ASSERT_EQ(host.messageBox.shown().size(), shown ? 1u : 0u) << answer;
        if (!shown) continue;
        const MessageBoxRequest& box = host.messageBox.shown().back();
        EXPECT_EQ(box.text, answer);
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(box.title, "Velmora Messaging");
    }
    // An error status with a blank answer is still a failed save, and says so.
    host.messageBox.clear();
    page.answer(503, " ");
    mark({}, {"005"});
    control.SaveData();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    EXPECT_EQ(host.messageBox.shown()[0].text, "Error During saving to Database");
}

TEST_F(SaveTransport, FailedSave_marksItsRowsAgainForTheNextSave) {
    for (const bool serverRefuses : {true, false}) {
        mark({"001"}, {"006"});
        const Texts batches = batchesOf({"001"}, {"006"});
        serverRefuses ? page.answer(500, "Invalid column name 'Typo'.") : page.stop();
        host.messageBox.clear();

        control.SaveData();

        ASSERT_EQ(host.messageBox.shown().size(), 1u) << "no error reports";
        const MessageBoxRequest& box = host.messageBox.shown().back();
        EXPECT_EQ(box.text, serverRefuses ? "Invalid column name 'Typo'."
                                          : "Error During saving to Database");
        EXPECT_EQ(box.icon, serverRefuses ? MsgIcon::Information : MsgIcon::None);
        EXPECT_EQ(batchesOf({"001"}, {"006"}), batches) << "the same rows, and only those";
    }
}

}  // namespace
}  // namespace jex
