// Saving through the server page: the body posted and its form encoding, the answer shown, and a
// failed save keeping its rows for the next one.
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

    // An order with stored issue 001 and its comments 005 and 006.
    test::FixedPageServer page{test::Document{
        .issues = {test::issueRecord("001")},
        .comments = {test::commentRecord("005", "001"), test::commentRecord("006", "001")}}
                                   .xml()};
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
};

// The body carries each batch as an SQL field, in order, form-encoded from the Western European
// code page. The answer is shown whole unless only blanks; a failed save, refused by the server
// or not sent, says so and marks its rows again for the next save, and only those.
TEST_F(SaveTransport, BodyAndAnswer_encodedAndShownAndAFailedSaveMarksItsRowsAgain) {
    // clang-format off
    const std::pair<const char*, const char*> encodings[] = {
        {"a b", "a+b"}, {"50%", "50%25"}, {"\t", "%09"}, {"\r\n", "%0D%0A"}, {"Joe's", "Joe%27s"},
        {"_-.*", "_-.*"}, {"AZaz09", "AZaz09"}, {"=&+/", "%3D%26%2B%2F"}, {"caf\u00e9", "caf%E9"},
        {"\u20ac5", "%805"}, {"\u00ff\u0178", "%FF%9F"}, {"\u4e2d", "%3F"}, {"\xff", "%3F"}, {"", ""},
        {"\u0080\u2026", "%3F%85"}};  // a C1 control the code page replaces, and one it holds
    // clang-format on
    for (const auto& [text, encoded] : encodings)
        EXPECT_EQ(control.urlEncode(text), encoded) << text;
    EXPECT_TRUE(host.messageBox.shown().empty());

    struct Case {
        int status;  // 0: the server is gone
        std::string answer, shown;
        MsgIcon icon;
    };
    const std::string longAnswer = std::string(1500, 'x') + "end";
    const std::string failed = "Error During saving to Database";
    const Case cases[] = {
        {200, "   ", "", MsgIcon::None},
        {200, " \t ", " \t ", MsgIcon::Information},
        {200, "a\r\n", "a\r\n", MsgIcon::Information},
        {200, longAnswer, longAnswer, MsgIcon::Information},
        {503, " ", failed, MsgIcon::None},
        {500, "Invalid column name 'Typo'.", "Invalid column name 'Typo'.", MsgIcon::Information},
        {0, "", failed, MsgIcon::None},
    };
    control.SaveData();
    EXPECT_EQ(page.posts().size(), 0u) << "nothing marked: nothing sent";
    for (const Case& c : cases) {
        mark({"001"}, {"005", "006"});
        const Texts batches = batchesOf({"001"}, {"005", "006"});
        ASSERT_EQ(batches.size(), 2u);
        c.status ? page.answer(c.status, c.answer) : page.stop();
        host.messageBox.clear();
        control.SaveData();
        if (c.status) {
            EXPECT_EQ(page.posts().back(),
                      "/PODiscussion.asp application/x-www-form-urlencoded SQL=" +
                          control.urlEncode(batches[0]) + "&SQL=" + control.urlEncode(batches[1]) +
                          "&");
        }

        ASSERT_EQ(host.messageBox.shown().size(), c.shown.empty() ? 0u : 1u) << c.answer;
        if (!c.shown.empty()) {
            const MessageBoxRequest& box = host.messageBox.shown().back();
            EXPECT_EQ(box.text, c.shown);
            EXPECT_EQ(box.icon, c.icon);
            EXPECT_EQ(box.title, c.icon == MsgIcon::Information ? "Velmora Messaging" : "");
        }
        EXPECT_EQ(batchesOf({}, {}), c.status == 200 ? Texts{} : batches) << c.status << c.answer;
    }
}

}  // namespace
}  // namespace jex
