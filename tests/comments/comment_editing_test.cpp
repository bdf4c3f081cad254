// Adding, editing, cancelling and deleting comments the way a user does it: on the demo order
// PO1001 (001 Center 3 days with comments 1 and 2, 002 Accounting with 3 and 4, 004
// Miscellaneous 14 days), and on hand-written orders for data the demo lacks.
#include <gtest/gtest.h>

#include <tuple>

#include "comments/find_comment.h"
#include "support/control_session.h"
#include "support/demo_server.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::clickRow;
using test::rowTexts;
using Texts = std::vector<std::string>;

constexpr const char* kStamp = "Dec 05, 2026 14:07:09";

// A control on the demo order, with what a user does to its comments.
struct DemoSession {
    // Loads PO1001 on 5 December 2026 and clicks the issue (none: the issue fields stay empty).
    void load(bool corporate, const char* issue = "001") {
        host.clock.set(makeDateTime(2026, 12, 5, 14, 7, 9));
        control.setUserName("Clerk Kent|77|1");
        control.setCorporateLevel(corporate);
        control.LoadData(test::DemoSuite::demoUrl(), "PO1001");
        if (issue != nullptr) clickRow(ui.lstDiscussions, 10, issue);
    }
    // The comment's table row, made current.
    RecordTable& stored(const std::string& sequence) {
        EXPECT_TRUE(findComment(*control.state().CommentTable, sequence)) << sequence;
        return *control.state().CommentTable;
    }
    void addComment(int type, const std::string& description) {
        ui.cmdAddComment.userClick();
        ui.cboCommentType.userSelect(type);
        ui.txtCommentDescription.userType(description);
        ui.cmdAddComment.userClick();
    }
    void expectBrowsing() {
        EXPECT_EQ(ui.cmdAddComment.caption(), "Add Comment");
        EXPECT_EQ(ui.cmdCancelComment.caption(), "Edit");
        EXPECT_TRUE(ui.lstComments.enabled() && ui.lstDiscussions.enabled() &&
                    ui.cmdAddDiscussion.enabled());
        EXPECT_FALSE(ui.cboCommentType.visible() || ui.chkCenterFocus.enabled());
        EXPECT_TRUE(ui.txtCommentDescription.locked() && ui.txtCenterFollowUp.locked() &&
                    ui.txtCSCFollowUp.locked());
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

struct CommentEditing : test::DemoSuite, DemoSession {};

// Right after a load no issue was clicked, so the group box matches no group: today is
// proposed, and a cancel writes nothing. A long delay runs into the next year.
TEST_F(CommentEditing, Add_checksCancelsNumbersFromTheCounterAndDeletesOnlyOnYes) {
    load(false, nullptr);
    ui.cmdAddComment.userClick();
    EXPECT_EQ(ui.txtCSCFollowUp.text(), "Dec 05, 2026");
    ui.txtCommentDescription.userType("never mind");
    ui.cmdCancelComment.userClick();
    expectBrowsing();
    EXPECT_EQ(control.state().CommentTable->recordCount(), 6);
    EXPECT_EQ(ui.txtCommentDescription.text(),
              "Called Harbor Point; replacement cartons promised for Thursday.")
        << "the selected comment shows again";

    clickRow(ui.lstDiscussions, 10, "001");
    ui.cmdAddComment.userClick();
    EXPECT_FALSE(ui.lstComments.enabled() || ui.lstDiscussions.enabled() ||
                 ui.cmdAddDiscussion.enabled() || ui.cmdDeleteComment.enabled());
    EXPECT_EQ(ui.cboCommentType.listIndex(), -1);
    EXPECT_EQ(ui.chkCenterFocus.value(), 0) << "comment 1 had it ticked";
    EXPECT_EQ(ui.txtCenterFollowUp.text(), "Dec 08, 2026") << "Center: 3 days";
    EXPECT_TRUE(ui.txtCenterFollowUp.locked() && !ui.txtCommentDescription.locked());
    EXPECT_TRUE(test::selectionsHold(ui.lstDiscussions, ui.lstComments));

    ui.cmdAddComment.userClick();
    EXPECT_TRUE(ui.cboCommentType.hasFocus());
    ui.cboCommentType.userSelect(1);
    ui.txtCommentDescription.userType("   ");
    ui.cmdAddComment.userClick();
    EXPECT_TRUE(ui.txtCommentDescription.hasFocus());
    EXPECT_EQ(ui.cmdAddComment.caption(), "Save");
    EXPECT_EQ(test::reportsOf(host.messageBox),
              (Texts{"The comment Type is required", "The comment description is required"}));
    EXPECT_EQ(host.messageBox.shown().back().title, "Information Required");

    host.messageBox.clear();
    ui.txtCommentDescription.userType("Called\n the vendor  ");
    ui.chkJEXDFocus.userClick();
    ui.cmdAddComment.userClick();
    EXPECT_TRUE(host.messageBox.shown().empty());
    expectBrowsing();
    EXPECT_EQ(
        rowTexts(ui.lstComments.selectedItem(), 14),
        (Texts{"Called the vendor", "Clerk Kent", kStamp, "Vendor Contact", "007N", "001", kStamp,
               "False", "Dec 08, 2026", "False", "Dec 08, 2026", "False", "False", "True"}))
        << "Enter was swallowed, blanks trimmed";
    RecordTable& added = stored("007N");
    EXPECT_EQ(added.field("CommentEnteredByPersonID"), Value("77"));
    EXPECT_EQ(added.field("Type"), Value(int16_t{1}));
    EXPECT_EQ(added.field("FocusCenter"), Value(false)) << "False, never null";

    host.clock.set(makeDateTime(2026, 12, 25, 23, 59, 59));
    clickRow(ui.lstDiscussions, 10, "004");
    addComment(0, "Doomed");
    EXPECT_EQ(test::selectedColumn(ui.lstComments, 8), "Jan 08, 2027");
    EXPECT_EQ(test::columnOf(ui.lstComments, 4), (Texts{"6", "008N"}));
    EXPECT_EQ(control.state().NextCommentSequence, 9);
    host.messageBox.queueAnswer(MsgResult::No);
    ui.cmdDeleteComment.userClick();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    const MessageBoxRequest& box = host.messageBox.shown()[0];
    EXPECT_EQ(std::tuple(box.text, box.title, box.icon, box.buttons, defaultAnswer(box)),
              std::tuple("Do you want to delete the selected comment?", "Information Validation",
                         MsgIcon::Question, MsgButtons::YesNo, MsgResult::Yes));
    EXPECT_EQ(control.state().CommentTable->recordCount(), 8) << "No keeps it";

    ui.cmdDeleteComment.userClick();
    EXPECT_EQ(control.state().CommentTable->recordCount(), 7);
    EXPECT_FALSE(findComment(*control.state().CommentTable, "008N"));
    EXPECT_EQ(test::columnOf(ui.lstComments, 4), (Texts{"6"}));
    // The remaining comment is selected and shown, not the deleted one's flags.
    EXPECT_EQ(test::selectedColumn(ui.lstComments, 4), "6");
    EXPECT_EQ(ui.txtCommentDescription.text(), test::selectedColumn(ui.lstComments, 0));
    EXPECT_FALSE(ui.cmdDeleteComment.enabled()) << "a stored comment stays";
}

// A double-click edits the comment, but not a stored one in View Mode, whose click still
// shows it; Cancel on an issue without comments leaves no Edit with nothing to edit.
TEST_F(CommentEditing, DoubleClickAndCancel_neverLeaveACommandWithNothingToDo) {
    control.setViewMode(2);
    load(false, nullptr);
    ui.lstComments.userDoubleClickItem(2);
    EXPECT_EQ(ui.cmdCancelComment.caption(), "Edit");
    EXPECT_FALSE(ui.cmdCancelComment.enabled() || ui.cmdAddComment.enabled());
    EXPECT_TRUE(ui.lstComments.enabled() && ui.lstDiscussions.enabled());
    EXPECT_EQ(control.state().SelectedCommentSequence, "2");
    EXPECT_EQ(ui.txtCommentDescription.text(), test::selectedColumn(ui.lstComments, 0));

    control.setViewMode(0);
    ui.lstComments.userDoubleClickItem(1);
    EXPECT_EQ(ui.cmdAddComment.caption() + "|" + ui.cmdCancelComment.caption(), "Save|Cancel");
    EXPECT_TRUE(!ui.txtCenterFollowUp.locked() && !ui.lstComments.enabled());
    ui.cmdCancelComment.userClick();
    control.LoadData(demoUrl(), "PO1003");  // the placeholder issue, no comment
    ui.cmdAddComment.userClick();
    ui.cmdCancelComment.userClick();
    EXPECT_FALSE(ui.cmdCancelComment.enabled());
    EXPECT_TRUE(host.messageBox.shown().empty());
}

// A corporate user drags comment 3 with the left button and drops it on another issue's row;
// its own issue, empty space, or no issue selected (which cannot tell whose comments are shown:
// it reports) move nothing. Every drop ends the drag, and the fields are not redrawn.
TEST_F(CommentEditing, Drag_movesACommentOnlyOntoAnotherIssue) {
    using ui::ListView;
    for (const char* over : {"001", "002", "", "unselected"}) {
        SCOPED_TRACE(over);
        load(true, "002");
        const std::string_view o = over;
        const bool unselected = o == "unselected", moved = o == "001";
        if (unselected) ui.lstDiscussions.setSelectedItem(nullptr);
        auto expected = control.state().CommentTable->snapshot();
        const std::string description = ui.txtCommentDescription.text();
        const double y = ListView::rowCentre(test::indexOf(ui.lstComments, 4, "3"));
        ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, y);
        ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, y);
        EXPECT_TRUE(control.state().DraggingComment && ui.dragSource() == &ui.lstComments);
        EXPECT_EQ(ui.lstComments.dragImage()->column(4), "3");
        ui.lstDiscussions.userDragOver(0, ListView::rowCentre(3));
        const int row = unselected ? 1 : test::indexOf(ui.lstDiscussions, 10, over);
        const double target = ListView::rowCentre(row ? row : ui.lstDiscussions.count() + 1);
        ui.lstDiscussions.userDragOver(0, target);
        ui.lstDiscussions.userDrop(0, target);
        EXPECT_FALSE(ui.lstDiscussions.dropHighlight() || control.state().DraggingComment);
        EXPECT_EQ(ui.dragSource(), nullptr);
        EXPECT_EQ(test::reportsOf(host.messageBox),
                  unselected ? Texts{"lstDiscussions_DragDrop() 91"} : Texts{});
        host.messageBox.clear();
        if (moved) {
            expected[2][1] = Value("001");  // DiscussionSequence
            expected[2][15] = Value(true);  // IsUpdated
        }
        EXPECT_EQ(control.state().CommentTable->snapshot(), expected);
        EXPECT_EQ(test::columnOf(ui.lstComments, 4), (moved ? Texts{"4"} : Texts{"3", "4"}));
        EXPECT_EQ(ui.txtCommentDescription.text(), description);
    }
    // No drag for a center user, nor with the right button, nor with no comment selected.
    for (const auto& [corporate, button] :
         {std::pair{false, ui::kLeftButton}, std::pair{true, ui::kRightButton}}) {
        load(corporate, "002");
        ui.lstComments.userMouseDown(button, 0, 0, ListView::rowCentre(2));
        ui.lstComments.userMouseMove(button, 0, 0, ListView::rowCentre(2));
        EXPECT_FALSE(control.state().DraggingComment || ui.dragSource()) << corporate;
        EXPECT_EQ(control.state().DraggedComment->column(4), "4") << "the press records it";
    }
    control.LoadData(demoUrl(), "PO1002");
    ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, ListView::rowCentre(1));
    ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, ListView::rowCentre(1));
    EXPECT_FALSE(control.state().DraggingComment || ui.dragSource());
    EXPECT_TRUE(host.messageBox.shown().empty());
}

// Data the demo lacks: a follow-up that is no date stays stored through an edit; an issue
// without a sequence takes no comment; numbers are 16-bit, so after 32766 a new issue or comment
// finds no number for the next one: its save reports the overflow and writes nothing.
TEST(CommentEditingOddData, KeepsFollowUpTextsRefusesNoIssueAndOverflowsPast32766) {
    test::ControlSession s;
    DiscussionScreen& ui = s.ui;
    s.load(test::Document{
        .issues = {test::issueRecord(""), test::issueRecord("1"), test::issueRecord("32766")},
        .comments = {test::commentRecord("5", "1", "0",
                                         {kStamp, "Ann", "Called", "False", "next week", "False",
                                          "Dec 20, 2026", "False", "False", kStamp, "False"}),
                     test::commentRecord("32766", "32766")}}
               .xml());
    RecordTable& table = *s.control.state().CommentTable;
    clickRow(ui.lstDiscussions, 10, "001");
    ui.cmdCancelComment.userClick();
    EXPECT_EQ(ui.txtCenterFollowUp.text(), "next week");
    ui.chkJEXDFocus.userClick();
    ui.cmdAddComment.userClick();
    ASSERT_TRUE(findComment(table, "5"));
    EXPECT_EQ(table.field("FollowupCenter"), Value("next week"));
    EXPECT_EQ(table.field("FocusJEXD"), Value(true));
    EXPECT_EQ(ui.lstComments.item(1)->column(8), "") << "shown as the list shows it";

    clickRow(ui.lstDiscussions, 10, "");
    ui.cmdAddComment.userClick();
    EXPECT_EQ(s.reports(), Texts{"Before adding a comment you need to select a discussion issue"});
    EXPECT_EQ(s.host.messageBox.shown()[0].title, "Information Validation");
    EXPECT_EQ(ui.cmdAddComment.caption(), "Add Comment");

    s.host.messageBox.clear();
    ui.cmdAddDiscussion.userClick();
    ui.cboDiscussionGroup.userSelect(0);
    ui.cboDiscussionType.userSelect(0);
    ui.txtDiscussionDescription.userType("Late");
    ui.cmdAddDiscussion.userClick();
    EXPECT_EQ(s.reports(), Texts{"cmdAddDiscussion_Click() 6"});
    EXPECT_EQ(s.control.state().NextIssueSequence, 32767);
    EXPECT_EQ(test::columnOf(ui.lstDiscussions, 10), (Texts{"", "001", "32766"}));
    EXPECT_EQ(s.control.state().DiscussionTable->recordCount(), 3);
    EXPECT_EQ(ui.cmdAddDiscussion.caption(), "Add Issue");

    s.host.messageBox.clear();
    clickRow(ui.lstDiscussions, 10, "32766");
    ui.cmdAddComment.userClick();
    ui.cboCommentType.userSelect(0);
    ui.txtCommentDescription.userType("Late");
    ui.cmdAddComment.userClick();
    EXPECT_EQ(s.reports(), Texts{"cmdAddComment_Click() 6"});
    EXPECT_EQ(s.control.state().NextCommentSequence, 32767);
    EXPECT_EQ(test::columnOf(ui.lstComments, 4), Texts{"32766"});
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(ui.cmdAddComment.caption(), "Add Comment");
}

}  // namespace
}  // namespace jex
