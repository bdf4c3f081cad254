// The issue lists' edge cases beyond the display road: hand-written documents, then rows
// clicked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
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

TEST_F(IssueLists, Row_showsStoredTextsButOnlyDatesThatReadAsDates) {
    load(document({issueRecord("1", "1"),
                   issueRecord("2", "2", "3",
                               {"yesterday", "Ann", "Short", "soon", "Bo", "", "Dec 03", "x"})}));
    EXPECT_EQ(reports(), std::vector<std::string>{});

    EXPECT_EQ(test::rowTexts(ui.lstDiscussions.item(2), 13),
              (std::vector<std::string>{"Other", "Price", "Open", "Low", "Ann", "", "Bo", "",
                                        "Short", "", "002", "Dec 03", "x"}));
    EXPECT_EQ(ui.cboDiscussionGroup.text(), "Other") << "the group of the last issue drawn";
    EXPECT_EQ(ui.cboDiscussionType.items(), (std::vector<std::string>{"Note", "Price"}));
}

TEST_F(IssueLists, Fill_selectsTheFirstIssueInTableOrderAndSortsBySequenceText) {
    const std::string body = document({issueRecord("10"), issueRecord("2"), issueRecord("003N")});
    load(body);
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"002", "003N", "010"}));
    EXPECT_EQ(test::selectedColumn(ui.lstDiscussions, 10), "010");

    // A reload sorts by the sequence again, in the order the user chose last.
    ui.lstDiscussions.userClickColumnHeader(2);
    ui.lstDiscussions.userClickColumnHeader(2);
    load(body);
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"010", "003N", "002"}));
}

TEST_F(IssueLists, Fill_endsAtABadIssueAndKeepsTheRowsBeforeIt) {
    struct Case {
        std::string second;
        std::string report;
        size_t rows;
    };
    const Case cases[] = {
        {issueRecord("2", "9"), "DisplayDiscussions 5", 1},         // a type not in the list
        {issueRecord("2", "3"), "DisplayDiscussions 5", 1},         // its group not in the list
        {issueRecord("2", "1", "4"), "DisplayDiscussions 340", 2},  // no such priority item
    };
    for (const Case& c : cases) {
        load(document({issueRecord("1"), c.second, issueRecord("3")}));
        EXPECT_EQ(reports(), std::vector<std::string>{c.report});
        EXPECT_EQ(columnOf(ui.lstDiscussions, 10).size(), c.rows) << c.report;
    }
}

// Stored issues of either group are on the display road; these are the placeholder and an issue
// made since the load.
TEST_F(IssueLists, Click_enablesCommandsBySequenceRightsAndMode) {
    struct Case {
        bool corporate;
        int mode;
        const char* issue;
        bool edit, remove, resolve, add;
    };
    const Case cases[] = {
        {false, 0, "000N", false, false, false, true},
        {false, 0, "004N", true, true, false, true},
        {true, 0, "000N", true, false, true, true},
        {true, 2, "004N", true, true, false, false},  // View Mode enables nothing more
    };
    const std::string body = document({issueRecord("000N"), issueRecord("004N", "2")});
    for (const Case& c : cases) {
        test::ControlSession s;
        s.control.setCorporateLevel(c.corporate);
        s.control.setViewMode(c.mode);
        s.load(body);
        test::clickRow(s.ui.lstDiscussions, 10, c.issue);

        const std::string label =
            std::string(c.issue) + (c.corporate ? " corporate" : "") + (c.mode == 2 ? " view" : "");
        EXPECT_EQ(s.ui.cmdEditDiscussion.enabled(), c.edit) << label;
        EXPECT_EQ(s.ui.cmdDeleteDiscussion.enabled(), c.remove) << label;
        EXPECT_EQ(s.ui.cmdCloseDiscussion.enabled(), c.resolve) << label;
        EXPECT_EQ(s.ui.cmdAddDiscussion.enabled(), c.add) << label;
        EXPECT_EQ(s.ui.cmdAddComment.enabled(), c.add) << label;
    }
}

TEST_F(IssueLists, Click_changesNothingWhileAnIssueIsBeingWorkedOn) {
    load(document({issueRecord("1", "1", "1", {"", "", "first"}),
                   issueRecord("2", "1", "1", {"", "", "second"})}));
    for (ui::CommandButton* busy : {&ui.cmdAddDiscussion, &ui.cmdCloseDiscussion}) {
        const std::string caption = busy->caption();
        ui.lstDiscussions.userClickItem(1);
        busy->setCaption("Save");
        ui.lstDiscussions.userClickItem(2);
        EXPECT_EQ(ui.txtDiscussionDescription.text(), "first") << busy->name();
        busy->setCaption(caption);
    }
}

}  // namespace
}  // namespace jex
