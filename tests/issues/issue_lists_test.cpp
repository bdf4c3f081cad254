// The issue list on hand-written orders: rows, order and the first bad issue, the commands and
// the priority popup a click offers, and the placeholder issue of an order without issues.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/issue_record.h"
#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
using test::Fields;
using test::indexOf;
using test::issueRecord;

// Groups "Center" (1) and "Other" (2); types "Note" (0, Other), "Damage" (1, Center), "Price"
// (2, Other) and "Orphan" (3, of a group that is not in the list).
std::string document(const std::vector<std::string>& issues) {
    return test::Document{.types = {{"0", "Note", "2"},
                                    {"1", "Damage", "1"},
                                    {"2", "Price", "2"},
                                    {"3", "Orphan", "7"}},
                          .groups = {{"1", "Center", "3"}, {"2", "Other", "5"}},
                          .priorities = {"High", "Medium", "Low"},
                          .issues = issues}
        .xml();
}

struct IssueLists : ::testing::Test, test::ControlSession {};

// Rows show the stored texts but only dates that read as dates; they are sorted by sequence
// text, the first issue in table order selected, and a reload sorts them again in the order
// the user chose last. A bad issue ends the fill.
TEST_F(IssueLists, Fill_showsStoredTextsSortsBySequenceTextAndEndsAtABadIssue) {
    const std::string body = document(
        {issueRecord("10", "1"),
         issueRecord("2", "2", "3", {"yesterday", "Ann", "Short", "soon", "Bo", "", "Dec 03", "x"}),
         issueRecord("003N")});
    load(body);
    EXPECT_EQ(reports(), std::vector<std::string>{});
    EXPECT_EQ(test::rowTexts(ui.lstDiscussions.item(1), 13),
              (std::vector<std::string>{"Other", "Price", "Open", "Low", "Ann", "", "Bo", "",
                                        "Short", "", "002", "Dec 03", "x"}));
    EXPECT_EQ(ui.cboDiscussionGroup.text(), "Other") << "the group of the last issue drawn";
    EXPECT_EQ(ui.cboDiscussionType.items(), (std::vector<std::string>{"Note", "Price"}));
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"002", "003N", "010"}));
    EXPECT_EQ(test::selectedColumn(ui.lstDiscussions, 10), "010");
    ui.lstDiscussions.userClickColumnHeader(2);
    ui.lstDiscussions.userClickColumnHeader(2);
    load(body);
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"010", "003N", "002"}));

    const std::tuple<std::string, std::string, size_t> cases[] = {
        {issueRecord("2", "9"), "DisplayDiscussions 5", 1},         // a type not in the list
        {issueRecord("2", "3"), "DisplayDiscussions 5", 1},         // its group not in the list
        {issueRecord("2", "1", "4"), "DisplayDiscussions 340", 2},  // no such priority item
    };
    for (const auto& [second, report, rows] : cases) {
        load(document({issueRecord("1"), second, issueRecord("3")}));
        EXPECT_EQ(reports(), std::vector<std::string>{report});
        EXPECT_EQ(columnOf(ui.lstDiscussions, 10).size(), rows) << report;
    }
}

// Stored issues of either group are on the display road; these are the placeholder, an issue
// made since the load and a stored one of group Other. The click fills the fields even in View
// Mode, and only a new issue's right click opens the priority popup.
TEST_F(IssueLists, Click_enablesCommandsAndThePopupBySequenceRightsAndMode) {
    struct Case {
        bool corporate;
        int mode;
        const char* issue;
        bool edit, remove, resolve, add, popup;
    };
    const Case cases[] = {
        {false, 0, "004N", true, true, false, true, true},
        {true, 0, "000N", true, false, true, true, true},
        {true, 0, "007", true, false, true, true, false},
        {true, 2, "004N", true, true, false, false, false},  // View Mode enables nothing more
    };
    const std::string body =
        document({issueRecord("000N", "0", "3", {"", "", "zero"}),
                  issueRecord("004N", "2", "2", {"", "", "four"}), issueRecord("007", "0", "3")});
    for (const Case& c : cases) {
        test::ControlSession s;
        s.control.setCorporateLevel(c.corporate);
        s.control.setViewMode(c.mode);
        s.load(body);
        const int row = indexOf(s.ui.lstDiscussions, 10, c.issue);
        s.ui.lstDiscussions.userClickItem(row);

        const std::string label =
            std::string(c.issue) + (c.corporate ? " corporate" : "") + (c.mode == 2 ? " view" : "");
        EXPECT_EQ(s.ui.txtDiscussionDescription.text(), s.ui.lstDiscussions.item(row)->column(8));
        EXPECT_FALSE(s.ui.mnuPriority.isOpen()) << label << ": a left click opens none";
        EXPECT_EQ(s.ui.cmdEditDiscussion.enabled(), c.edit) << label;
        EXPECT_EQ(s.ui.cmdDeleteDiscussion.enabled(), c.remove) << label;
        EXPECT_EQ(s.ui.cmdCloseDiscussion.enabled(), c.resolve) << label;
        EXPECT_EQ(s.ui.cmdAddDiscussion.enabled(), c.add) << label;
        EXPECT_EQ(s.ui.cmdAddComment.enabled(), c.add) << label;
        s.ui.lstDiscussions.userClickItem(row, ui::kRightButton);
        EXPECT_EQ(s.ui.mnuPriority.isOpen(), c.popup) << label;
    }

    // The popup checks the issue's priority; the pick rewrites it in the row and the table.
    load(body);
    const int row = indexOf(ui.lstDiscussions, 10, "004N");
    ui.lstDiscussions.userClickItem(row, ui::kRightButton);
    EXPECT_EQ(ui.mnuPriority.popupY(), ui::ListView::rowCentre(row));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(ui.mnuPriority.item(k).checked, k == 2) << k;
    ui.mnuPriority.userPick(1);
    EXPECT_EQ(ui.lstDiscussions.item(row)->column(3), "High");
    RecordTable& issues = *control.state().DiscussionTable;
    moveToIssue(issues, "004N");
    EXPECT_EQ(issues.field("Priority"), Value(int16_t{1}));
    EXPECT_EQ(reports(), std::vector<std::string>{});
}

// The placeholder of an order without issues takes the fourth group, or the last, and the type
// of code 0, or the first, and empty texts without either. Its table row holds what its row
// shows, and its follow-up is two weeks after today at midnight, across a leap day.
TEST_F(IssueLists, Placeholder_fillsItsRowAndTableFromWhatTheVocabulariesHave) {
    const std::vector<Fields> groups = {{"1", "Center", "3"},
                                        {"2", "Purchasing", "5"},
                                        {"3", "Accounting", "7"},
                                        {"4", "Miscellaneous", "14"},
                                        {"5", "Spare", "1"}};
    const std::vector<Fields> types = {{"1", "Damaged Goods", "1"}, {"0", "General Note", "4"}};
    struct Case {
        size_t groups;
        std::vector<Fields> types;
        const char* label;  // group/type
        int16_t code;
    };
    const Case cases[] = {
        {5, types, "Miscellaneous/General Note", 0},
        {2, types, "Purchasing/General Note", 0},
        {0, types, "/General Note", 0},
        {5, {{"3", "Late", "1"}, {"4", "Early", "1"}}, "Miscellaneous/Late", 3},
        {5, {{"5", "Late", "1"}, {"00", "Zero", "1"}}, "Miscellaneous/Zero", 0},
        {5, {}, "Miscellaneous/", 0},
    };
    const std::pair<const char*, int> shown[] = {
        {"IssueSequence", 10},   {"IssueDate", 5},          {"EnteredBy", 4},
        {"IssueDescription", 8}, {"ResolvedDate", 7},       {"ResolvedBy", 6},
        {"Resolution", 9},       {"RecordLastUpdated", 11}, {"IssueFollowUp", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        host.clock.set(makeDateTime(2024, 2, 20, 12, 0, 0));
        load(test::Document{.types = c.types,
                            .groups = {groups.begin(), groups.begin() + c.groups},
                            .priorities = {"High", "Medium", "Low"}}
                 .xml());
        for (const std::string& report : reports())
            EXPECT_EQ(report.find("SetDefaultIssue"), std::string::npos);
        ASSERT_EQ(ui.lstDiscussions.count(), 1);
        const ui::ListItem& row = *ui.lstDiscussions.item(1);
        RecordTable& issue = *control.state().DiscussionTable;
        issue.moveFirst();
        EXPECT_EQ(row.column(0) + "/" + row.column(1), c.label);
        EXPECT_EQ(issue.field("Type"), Value(c.code));
        EXPECT_EQ(row.column(12), "Mar 05, 2024 00:00:00");
        EXPECT_EQ(ui.txtFollowUp.text(), row.column(12));
        for (const auto& [field, column] : shown)
            EXPECT_EQ(issue.field(field).toText(), row.column(column)) << field;
        EXPECT_EQ(issue.field("Priority"), Value(int16_t{3})) << "the last priority";
        EXPECT_TRUE(issue.field("OrderID").isEmpty());
    }
}

}  // namespace
}  // namespace jex
