// The priority popup of the issue list, on a hand-written order with one stored issue of
// priority "Low".
#include <gtest/gtest.h>

#include "data/issue_record.h"
#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::indexOf;

std::string order() {
    test::Document d;
    d.priorities = {"High", "Medium", "Low"};
    d.issues = {test::issueRecord("001", "0", "3")};
    return d.xml();
}

TEST(Pickers, PriorityPopup_changesOnlyANewIssuesPriority) {
    test::ControlSession s;
    s.load(order());
    s.ui.cmdAddDiscussion.userClick();
    s.ui.cboDiscussionGroup.userSelect(0);
    s.ui.cboDiscussionType.userSelect(0);
    s.ui.txtDiscussionDescription.userType("New");
    s.ui.cmdAddDiscussion.userClick();
    ui::PopupMenu& menu = s.ui.mnuPriority;

    const int row = indexOf(s.ui.lstDiscussions, 10, "002N");
    s.ui.lstDiscussions.userClickItem(row, ui::kRightButton);
    ASSERT_TRUE(menu.isOpen());
    EXPECT_EQ(menu.popupY(), ui::ListView::rowCentre(row));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(menu.item(k).checked, k == 2) << "item " << k;
    menu.userPick(1);
    EXPECT_EQ(s.ui.lstDiscussions.item(row)->column(3), "High");
    RecordTable& issues = *s.control.state().DiscussionTable;
    moveToIssue(issues, "002N");
    EXPECT_EQ(issues.field("Priority"), Value(int16_t{1}));
    moveToIssue(issues, "001");
    EXPECT_EQ(issues.field("Priority"), Value(int16_t{3}));

    struct Case {
        const char* name;
        const char* issue;
        int button;
        int mode;
    };
    const Case quiet[] = {
        {"stored issue", "001", ui::kRightButton, 0},
        {"left click", "002N", ui::kLeftButton, 0},
        {"View Mode", "002N", ui::kRightButton, 2},
    };
    for (const Case& c : quiet) {
        s.control.setViewMode(c.mode);
        s.ui.lstDiscussions.userClickItem(indexOf(s.ui.lstDiscussions, 10, c.issue), c.button);
        EXPECT_FALSE(menu.isOpen()) << c.name;
    }
    EXPECT_EQ(s.reports(), std::vector<std::string>{});
}

}  // namespace
}  // namespace jex
