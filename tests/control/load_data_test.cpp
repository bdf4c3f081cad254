// What the loaders make of hand-written documents and of failed loads; the demo orders are on
// the display road.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using test::commentRecord;
using test::issueRecord;

// The texts of one field over every row of a table, in table order.
std::vector<std::string> column(RecordTable& table, std::string_view field) {
    std::vector<std::string> values;
    for (table.moveFirst(); !table.atEnd(); table.moveNext())
        values.push_back(table.field(field).toText());
    return values;
}

struct LoadData : ::testing::Test, test::ControlSession {
    void load(const std::vector<std::string>& issues, const std::vector<std::string>& comments,
              int sections = 6) {
        ControlSession::load(
            test::Document{.issues = issues, .comments = comments, .sections = sections}.xml());
    }
    RecordTable& issues() { return *control.state().DiscussionTable; }
    RecordTable& comments() { return *control.state().CommentTable; }
};

TEST_F(LoadData, Load_withoutADocumentReportsOncePerLoaderInOrderAndRestoresThePointer) {
    std::vector<MousePointer> pointers;
    ui.setPointerObserver([&](MousePointer p) { pointers.push_back(p); });
    const std::vector<std::string> everyLoader = {"DiscussionTypes 91",      "DiscussionGroups 91",
                                                  "DiscussionPriorities 91", "CommentTypes 91",
                                                  "LetDiscussions 91",       "LetComments 91"};

    control.LoadData("http://127.0.0.1:1", "PO1001");
    EXPECT_EQ(reports(), everyLoader);
    EXPECT_EQ(host.eventLog.entries().size(), 6u);
    EXPECT_EQ(pointers,
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));

    for (auto [body, status] : {std::pair{"<a><b></a>", 200}, std::pair{"<ok/>", 500}}) {
        host.messageBox.clear();
        test::FixedPageServer page(body, status);
        control.LoadData(page.url(), "PO1");
        EXPECT_EQ(reports(), everyLoader) << body;
    }
}

// Issue sequences pad as the number formatting pads them, plain digits by a shortcut of their
// own; comment sequences stay as they are.
TEST_F(LoadData, Loaders_padOnlyIssueSequencesAndCountOnFromTheLastRecordRead) {
    std::vector<std::string> issueRecords = {issueRecord("1", "")};
    for (const char* sequence : {"0000012", "00000000000000000012", "123456789012345", "1234", "0",
                                 " 7", "-3", "2.5", "4N", "7", "2"})
        issueRecords.push_back(issueRecord(sequence));
    load(issueRecords, {commentRecord("12", "7"), commentRecord("5", "1")});
    EXPECT_EQ(reports(), std::vector<std::string>{});

    EXPECT_EQ(column(issues(), "IssueSequence"),
              (std::vector<std::string>{"001", "012", "012", "123456789012345", "1234", "000",
                                        "007", "-003", "003", "4N", "007", "002"}));
    EXPECT_EQ(column(comments(), "DiscussionCommentSequence"),
              (std::vector<std::string>{"12", "5"}));
    EXPECT_EQ(column(comments(), "DiscussionSequence"), (std::vector<std::string>{"007", "001"}));
    EXPECT_EQ(control.state().NextIssueSequence, 3);
    EXPECT_EQ(control.state().NextCommentSequence, 6);
    // Empty and missing elements leave their fields unset rather than blank.
    issues().moveFirst();
    EXPECT_TRUE(issues().field("Type").isEmpty());
    EXPECT_TRUE(issues().field("IssueFollowUp").isEmpty());
}

TEST_F(LoadData, Loaders_reportABadRecordAndKeepTheRowsBeforeIt) {
    struct Case {
        std::vector<std::string> issues, comments;
        int sections;
        std::string report;
        int issueRows, commentRows;
    };
    const auto number = [](int32_t n) { return " " + std::to_string(n); };
    const std::vector<std::string> one = {issueRecord("1")};
    // clang-format off
    const Case cases[] = {
        {{issueRecord("1"), issueRecord("2", "abc"), issueRecord("3")}, {}, 6,
         "LetDiscussions" + number(recordErr::WrongType), 2, 0},
        {one, {commentRecord("4", "1"), test::record({""})}, 6,  // the last without a sequence
         "LetComments" + number(err::InvalidUseOfNull), 1, 2},
        {one, {}, 5, "LetComments 91", 1, 0},
        {one, {test::record(test::Fields(19))}, 6,  // more fields than the table
         "LetComments" + number(recordErr::ItemNotFound), 1, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        load(c.issues, c.comments, c.sections);
        EXPECT_EQ(reports(), std::vector<std::string>{c.report});
        EXPECT_EQ(issues().recordCount(), c.issueRows) << c.report;
        EXPECT_EQ(comments().recordCount(), c.commentRows) << c.report;
    }
    EXPECT_NE(host.messageBox.shown().back().text.find("Error Source - RecordTable LetComments"),
              std::string::npos)
        << "a table's error keeps its source";
}

}  // namespace
}  // namespace jex
