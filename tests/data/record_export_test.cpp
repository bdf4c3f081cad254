// Rows handed to the host as delimited text, and such text read back into an array.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comments/find_comment.h"
#include "data/issue_record.h"
#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using Texts = std::vector<std::string>;
using test::commentRecord;

// Issue 001 of type 7 and priority Low (2), with comments 005 and 006.
std::string exportOrder() {
    test::Document document{.types = {{"7", "Freight", "1"}},
                            .priorities = {"High", "Low"},
                            .commentTypes = {"Note", "Call", "Email"}};
    document.issues = {test::issueRecord("001", "7", "2",
                                         {"Dec 05, 2026 14:07:09", "Ann Lee", "Late truck", "", "",
                                          "", "Dec 06, 2026 08:00:00"}),
                       test::issueRecord("002", "7", "1")};
    document.comments = {commentRecord("005", "001", "2",
                                       {"Dec 05, 2026", "Bo", "Called", "True", "Dec 19, 2026",
                                        "False", "", "True", "False", "stamp", "True"}),
                         commentRecord("006", "001")};
    return document.xml();
}

struct RecordExport : ::testing::Test, test::ControlSession {
    RecordExport() { load(exportOrder()); }

    void markComment(const std::string& sequence) {
        ASSERT_TRUE(findComment(*control.state().CommentTable, sequence));
        control.state().CommentTable->setField("IsUpdated", Value(true));
    }
    // The array's cells row by row, or "<empty>" when the value holds no array.
    std::vector<Texts> cells(const Value& value) {
        if (!value.isArray()) return {{"<empty>"}};
        std::vector<Texts> rows(value.array().rows());
        for (int r = 0; r < value.array().rows(); ++r) {
            for (int c = 0; c < value.array().columns(); ++c)
                rows[r].push_back(value.array().at(r, c).toText());
        }
        return rows;
    }
};

// Only the marked rows are written: thirteen fields a comment, which StringToArray reads back a
// row a comment, and an issue's fields as its list row shows them.
TEST_F(RecordExport, GetCommentsAndDiscussions_writeTheMarkedRows) {
    EXPECT_EQ(control.GetComments("|", ";") + control.GetDiscussions("|", ";"), "")
        << "none marked";
    markComment("005");
    control.state().CommentTable->setField("FollowupCSC", Value::null());
    markComment("006");
    const std::string text = control.GetComments("|", ";");
    EXPECT_EQ(text.substr(0, text.find(';') + 1),
              "005|001|PO9|2|Dec 05, 2026|Bo|Called|True|Dec 19, 2026|False||True|False;");
    const std::vector<Texts> rows = cells(control.StringToArray(text, "|", ";"));
    ASSERT_EQ(rows.size(), 2u) << text;
    EXPECT_EQ(rows[1].size(), 13u);
    EXPECT_EQ(rows[0][12] + rows[1][0] + rows[1][1], "False006001");

    moveToIssue(*control.state().DiscussionTable, "001");
    control.state().DiscussionTable->setField("IsUpdated", Value(true));
    const ui::ListItemRef row = ui.lstDiscussions.item(1);
    EXPECT_EQ(control.GetDiscussions("<>", "\r\n"), "001<>PO9<>7<>2<>" + row->column(5) +
                                                        "<>Ann Lee<>Late truck<>" + row->column(7) +
                                                        "<><><>Dec 06, 2026 08:00:00\r\n");
    EXPECT_EQ(reports(), Texts{});
}

TEST_F(RecordExport, StringToArray_splitsRowsThenColumns) {
    struct Case {
        std::string data;
        std::vector<Texts> cells;
        Texts reports;
    };
    // clang-format off
    const Case cases[] = {
        {"a|b;c|d;", {{"a", "b"}, {"c", "d"}}, {}},
        {"a|b;c|d", {{"a", "b"}}, {}},
        {"a|b;c|d|e;", {{"a", "b"}, {"c", "d"}}, {}},
        {"  ", {{"<empty>"}}, {}},
        {"a|b", {{"<empty>"}}, {"StringToArray 9"}},
        {"a|b;c;", {{"<empty>"}}, {"StringToArray 9"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        host.messageBox.clear();
        EXPECT_EQ(cells(control.StringToArray(c.data, "|", ";")), c.cells) << c.data;
        EXPECT_EQ(reports(), c.reports) << c.data;
    }
}

}  // namespace
}  // namespace jex
