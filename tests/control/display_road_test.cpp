// The display road end to end: the demo orders from the discussion server, driven the way a
// user drives the screen.
#include <gtest/gtest.h>

#include "control/headless_services.h"
#include "support/demo_server.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
using test::indexOf;
using test::rowTexts;
using test::selectedColumn;

class DisplayRoad : public test::DemoSuite {
  protected:
    void load(const std::string& order) {
        control.setUserName("Clerk Kent|77|1");
        control.LoadData(demoUrl(), order);
    }
    void expectNoReport() {
        for (const MessageBoxRequest& box : host.messageBox.shown()) ADD_FAILURE() << box.text;
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_F(DisplayRoad, LoadedOrderShowsItsIssuesAndCommentsMatchedOnBothTabs) {
    load("PO1001");
    ASSERT_EQ(ui.lstDiscussions.count(), 4);
    EXPECT_EQ(rowTexts(ui.lstDiscussions.item(1), 13),
              (std::vector<std::string>{
                  "Center", "Damaged Goods", "Close", "High", "Maria Lopez",
                  "Nov 03, 2026 09:14:22", "Daniel Reyes", "Nov 05, 2026 16:40:03",
                  "Two cartons of copier paper arrived crushed; the pallet wrap was torn.",
                  "Vendor shipped replacement cartons at no charge.", "001",
                  "Nov 05, 2026 16:40:03", "Nov 06, 2026"}));
    const ui::ListItemRef open = ui.lstDiscussions.item(indexOf(ui.lstDiscussions, 10, "003"));
    EXPECT_EQ(open->column(2) + open->column(7) + open->column(12), "Open")
        << "a null follow-up shows empty";
    EXPECT_EQ(selectedColumn(ui.lstDiscussions, 10), "001");

    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(selectedColumn(ui.lstComments, 4), "1");
    EXPECT_EQ(ui.txtCommentDescription.text(),
              "Called Harbor Point; replacement cartons promised for Thursday.");
    EXPECT_EQ(ui.txtCommentType.text(), "Vendor Contact");
    EXPECT_EQ(ui.chkCenterFocus.value(), 1);
    EXPECT_TRUE(ui.cmdAddDiscussion.enabled());
    EXPECT_FALSE(ui.cmdCloseDiscussion.enabled()) << "a center user cannot resolve";

    // The second tab and back keep issue and comment matched.
    ui.tabPODiscussion.userSelectTab(2);
    EXPECT_TRUE(ui.frameComment.visible() && !ui.frameIssue.visible());
    EXPECT_EQ(ui.lstCommentsView.count(), 6);
    EXPECT_EQ(selectedColumn(ui.lstCommentsView, 4), "1");

    ui.lstCommentsView.userClickItem(indexOf(ui.lstCommentsView, 4, "5"));
    EXPECT_EQ(selectedColumn(ui.lstDiscussionsView, 10), "003");
    EXPECT_EQ(ui.txtDiscussionGroupView.text(), "Purchasing");

    ui.tabPODiscussion.userSelectTab(1);
    EXPECT_TRUE(ui.frameIssue.visible());
    EXPECT_EQ(selectedColumn(ui.lstDiscussions, 10), "003");
    EXPECT_EQ(selectedColumn(ui.lstComments, 4), "5");
    EXPECT_EQ(ui.txtDiscussionGroup.text(), "Purchasing");

    // After a reload, the arrow keys move through the issues and show them.
    load("PO1001");
    ui.lstDiscussions.userClickItem(1);
    ui.lstDiscussions.userPressKey(ui::kKeyDown);
    EXPECT_EQ(ui.txtDiscussionGroup.text(), "Accounting");
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"3", "4"}));

    ui.lstDiscussions.userPressKey(ui::kKeyHome);
    EXPECT_EQ(selectedColumn(ui.lstDiscussions, 10), "001");
    EXPECT_EQ(ui.txtDiscussionGroup.text(), "Accounting") << "Home does not refresh the fields";

    // A double-click on the second tab goes back to the first to edit the comment.
    ui.tabPODiscussion.userSelectTab(2);
    ui.lstCommentsView.userDoubleClickItem(indexOf(ui.lstCommentsView, 4, "2"));
    EXPECT_EQ(ui.tabPODiscussion.selectedIndex(), 1);
    EXPECT_EQ(selectedColumn(ui.lstComments, 4), "2");
    EXPECT_EQ(ui.cmdAddComment.caption(), "Save");
    expectNoReport();
}

// Add, comment, resolve, edit and delete, 1 for enabled; stored issues are never deleted.
TEST_F(DisplayRoad, SelectionEnablesTheCommandsTheUserIsAllowed) {
    struct Case {
        bool corporate;
        int mode;
        const char* issue;
        const char* enabled;
    };
    const Case cases[] = {
        {false, 0, "001", "11110"},  // a center-group issue
        {false, 0, "002", "11000"},  // another group: no resolve, no edit
        {true, 0, "002", "11110"},   // corporate rights
        {true, 2, "001", "00000"},   // view mode
    };
    for (const Case& c : cases) {
        JEXPODiscussionsXML fresh(host.services());
        fresh.setCorporateLevel(c.corporate);
        fresh.setViewMode(c.mode);
        fresh.LoadData(demoUrl(), "PO1001");
        DiscussionScreen& s = fresh.screen();
        if (c.corporate && c.mode == 0) {
            EXPECT_TRUE(s.cmdCloseDiscussion.enabled()) << "a corporate user resolves at once";
        }
        s.lstDiscussions.userClickItem(indexOf(s.lstDiscussions, 10, c.issue));
        std::string enabled;
        for (const ui::CommandButton* b :
             {&s.cmdAddDiscussion, &s.cmdAddComment, &s.cmdCloseDiscussion, &s.cmdEditDiscussion,
              &s.cmdDeleteDiscussion})
            enabled += b->enabled() ? '1' : '0';
        EXPECT_EQ(enabled, c.enabled)
            << c.issue << " corporate " << c.corporate << " mode " << c.mode;
    }
    expectNoReport();
}

// A second load shows only the new order; an order without comments shows its first issue, and
// one with neither gets the placeholder issue.
TEST_F(DisplayRoad, LaterLoadsShowOnlyTheNewOrder) {
    host.clock.set(makeDateTime(2026, 12, 25, 16, 45, 12));
    load("PO1001");
    ui.lstDiscussions.userClickItem(2);
    load("PO1002");
    expectNoReport();
    EXPECT_EQ(ui.lstDiscussions.count(), 2);
    EXPECT_EQ(control.state().DiscussionTable->recordCount(), 2);
    EXPECT_EQ(ui.lstComments.count() + control.state().CommentTable->recordCount(), 0);
    EXPECT_EQ(control.state().NextCommentSequence, 0) << "an order without comments counts from 0";
    EXPECT_EQ(ui.tabPODiscussion.selectedIndex(), 1);
    EXPECT_EQ(ui.txtDiscussionDescription.text(), ui.lstDiscussions.item(1)->column(8));

    load("PO1003");
    expectNoReport();
    EXPECT_EQ(control.state().OrderID, "PO1003");
    ASSERT_EQ(ui.lstDiscussions.count(), 1);
    EXPECT_EQ(
        rowTexts(ui.lstDiscussions.item(1), 13),
        (std::vector<std::string>{
            "Miscellaneous", "General Note", "Closed", "Low", "Clerk Kent", "Dec 25, 2026 16:45:12",
            "Clerk Kent", "Dec 25, 2026 16:45:12", "Miscellaneous order comments (not a problem)",
            "This is a placeholder issue for non-problem order comments (and therefore "
            "doesn't need to be resolved)",
            "000N", "Dec 25, 2026 16:45:12", "Jan 08, 2027 00:00:00"}));
    EXPECT_EQ(control.state().NextIssueSequence, 1) << "the placeholder took 000N";
    EXPECT_FALSE(ui.cmdEditDiscussion.enabled());
    EXPECT_FALSE(ui.cmdDeleteDiscussion.enabled());
}

}  // namespace
}  // namespace jex
