// The comment lists' edge cases beyond the display road: hand-written documents, then lists,
// keys, tabs and headers clicked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
using test::commentRecord;
using test::rowTexts;

std::string document(const std::vector<std::string>& issues,
                     const std::vector<std::string>& comments) {
    test::Document document{.commentTypes = {"Note", "Call", "Email"}, .comments = comments};
    for (const std::string& issue : issues) document.issues.push_back(test::issueRecord(issue));
    return document.xml();
}

// A comment of issue 001.
std::string comment(const std::string& sequence, const std::string& description = "Called") {
    return commentRecord(sequence, "1", "0", {"", "", description});
}

struct CommentLists : ::testing::Test, test::ControlSession {
    void load(const std::vector<std::string>& issues, const std::vector<std::string>& comments) {
        ControlSession::load(document(issues, comments));
    }
    std::vector<int> focusBoxes() const {
        return {ui.chkCenterFocus.value(), ui.chkCorporateFocus.value(), ui.chkVendorFocus.value(),
                ui.chkBillingFocus.value(), ui.chkJEXDFocus.value()};
    }
};

TEST_F(CommentLists, CommentRow_showsStoredTextsAndTheClickFillsTheFieldsFromIt) {
    // The fields from CommentDate on: date, by, description, center focus and follow-up,
    // purchasing focus, CSC follow-up, accounting, billing, last updated, JEXD.
    load({"1"}, {commentRecord("4", "1", "2",
                               {"Dec 05, 2026 14:07:09", "Ann Lee", "Called the vendor", "True",
                                "Dec 19, 2026", "True", "Dec 20, 2026", "False", "False",
                                "Dec 06, 2026 08:00:00", "True"}),
                 commentRecord("5", "1", "0",
                               {"yesterday", "Bo", "<no description>", "", "soon", "False", "",
                                "True", "True", "Dec 06, 2026 08:00:00", "False"})});

    EXPECT_EQ(
        rowTexts(ui.lstComments.item(1), 14),
        (std::vector<std::string>{"Called the vendor", "Ann Lee", "Dec 05, 2026 14:07:09", "Email",
                                  "4", "001", "Dec 06, 2026 08:00:00", "True", "Dec 19, 2026",
                                  "True", "Dec 20, 2026", "False", "False", "True"}));
    EXPECT_EQ(rowTexts(ui.lstComments.item(2), 14),
              (std::vector<std::string>{"<no description>", "Bo", "", "Note", "5", "001",
                                        "Dec 06, 2026 08:00:00", "", "", "False", "", "True",
                                        "True", "False"}));
    EXPECT_EQ(ui.txtCommentType.text(), "Email");
    EXPECT_EQ(focusBoxes(), (std::vector<int>{1, 1, 0, 0, 1}));

    test::clickRow(ui.lstComments, 4, "5");
    EXPECT_EQ(control.state().SelectedCommentSequence, "5");
    EXPECT_EQ(ui.txtCommentType.text(), "Note");
    EXPECT_EQ(ui.txtCommentDescription.text(), "");
    EXPECT_EQ(ui.txtCenterFollowUp.text(), "");
    EXPECT_EQ(focusBoxes(), (std::vector<int>{0, 0, 1, 1, 0}));

    // A follow-up cleared to null shows nothing; the second tab draws the same layout.
    RecordTable& table = *control.state().CommentTable;
    table.moveFirst();
    table.setField("FollowupCSC", Value::null());
    ui.tabPODiscussion.userSelectTab(2);
    std::vector<std::string> expected = rowTexts(ui.lstComments.item(1), 14);
    expected[10] = "";
    EXPECT_EQ(rowTexts(ui.lstCommentsView.item(1), 14), expected);
    EXPECT_EQ(ui.txtCSCFollowUpView.text(), "");
    EXPECT_EQ(reports(), std::vector<std::string>{});
}

TEST_F(CommentLists, Sorting_comparesTextsAndANewHeaderKeepsTheOrderInForce) {
    load({"1"},
         {commentRecord("2", "1", "0", {"", "Cy", "two"}),
          commentRecord("10", "1", "0", {"", "Al"}), commentRecord("003N", "1", "0", {"", "Bo"})});
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"003N", "10", "2"}));
    EXPECT_EQ(test::selectedColumn(ui.lstComments, 4), "2") << "the first in table order";
    EXPECT_EQ(ui.txtCommentDescription.text(), "two");

    ui.tabPODiscussion.userSelectTab(2);
    ui.lstCommentsView.userClickColumnHeader(5);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 4), (std::vector<std::string>{"2", "10", "003N"}));
    ui.lstCommentsView.userClickColumnHeader(2);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 1), (std::vector<std::string>{"Cy", "Bo", "Al"}));
}

TEST_F(CommentLists, DisplayComments_ofAnIssueWithoutCommentsClearsOnlyWhenTheOrderHasSome) {
    for (const bool orderHasComments : {true, false}) {
        test::ControlSession s;
        s.load(document({"1", "2"},
                        orderHasComments ? std::vector{comment("4")} : std::vector<std::string>{}));
        s.ui.txtCommentDescription.setText("shown before");
        s.ui.chkJEXDFocus.setValue(1);
        s.ui.cmdDeleteComment.setEnabled(true);
        s.ui.cmdCancelComment.setEnabled(true);

        test::clickRow(s.ui.lstDiscussions, 10, "002");

        const bool cleared = orderHasComments;
        EXPECT_EQ(s.control.state().SelectedIssueSequence, "002");
        EXPECT_EQ(s.ui.lstComments.count(), 0);
        EXPECT_EQ(s.ui.txtCommentDescription.text(), cleared ? "" : "shown before");
        EXPECT_EQ(s.ui.chkJEXDFocus.value(), cleared ? 0 : 1);
        EXPECT_EQ(s.ui.cmdDeleteComment.enabled(), !cleared);
        EXPECT_EQ(s.ui.cmdCancelComment.enabled(), !cleared);
        EXPECT_EQ(s.reports(), std::vector<std::string>{});
    }
}

TEST_F(CommentLists, DisplayComments_reportsAMissingIssueSelectionAndAnUnknownType) {
    load({"1"}, {commentRecord("4", "1", "3")});
    EXPECT_EQ(reports(), std::vector<std::string>{"DisplayComments 380"});

    test::ControlSession s;
    s.load(document({"1"}, {comment("4")}));
    s.ui.lstDiscussions.setSelectedItem(nullptr);
    s.control.LetComments();
    EXPECT_EQ(s.reports(), std::vector<std::string>{"DisplayComments 91"});
}

TEST_F(CommentLists, CommentClick_enablesTheCommandsByNumberAndModeUnlessWriting) {
    struct Case {
        int mode;
        std::string sequence;
        bool del, edit, add;
    };
    load({"1"}, {comment("003N"), comment("17")});
    for (const Case& c : {Case{0, "003N", true, true, true}, Case{0, "17", false, true, true},
                          Case{2, "003N", true, true, false}, Case{2, "17", false, false, false}}) {
        control.setViewMode(c.mode);
        ui.cmdDeleteComment.setEnabled(!c.del);
        ui.cmdCancelComment.setEnabled(!c.edit);
        ui.cmdAddComment.setEnabled(false);

        test::clickRow(ui.lstComments, 4, c.sequence);

        EXPECT_EQ(ui.cmdDeleteComment.enabled(), c.del) << c.mode << " " << c.sequence;
        EXPECT_EQ(ui.cmdCancelComment.enabled(), c.edit) << c.mode << " " << c.sequence;
        EXPECT_EQ(ui.cmdAddComment.enabled(), c.add) << c.mode << " " << c.sequence;
    }

    // While a comment is being written a click changes nothing.
    ui.cmdAddComment.setCaption("Save");
    test::clickRow(ui.lstComments, 4, "003N");
    EXPECT_EQ(control.state().SelectedCommentSequence, "17");
}

TEST_F(CommentLists, KeyRelease_refreshesTheFieldsOnlyForUpAndDownArrows) {
    const int kRightArrow = 39;
    load({"1"}, {comment("1", "a"), comment("2", "b"), comment("3", "c")});
    for (ui::ListView* list : {&ui.lstComments, &ui.lstCommentsView}) {
        const bool view = list == &ui.lstCommentsView;
        if (view) ui.tabPODiscussion.userSelectTab(2);
        const ui::TextBox& box = view ? ui.txtCommentDescriptionView : ui.txtCommentDescription;
        list->userClickItem(1);
        // Moved without an event, so that only a key release can refresh the fields.
        list->setSelectedItem(list->item(2));

        list->userPressKey(kRightArrow);
        EXPECT_EQ(box.text(), "a") << list->name();
        list->userPressKey(ui::kKeyDown);
        EXPECT_EQ(box.text(), "c") << list->name();
    }
}

// Issue 2 has no comments, so the second tab is asked for comment "1".
TEST_F(CommentLists, CommentsTab_selectsTheCommentAskedForOrLeavesTheFirstRowSelected) {
    struct Case {
        std::string other, selected, shown;
    };
    for (const Case& c : {Case{"1", "1", "x"}, Case{"5", "7", "seven"}}) {
        test::ControlSession s;
        s.load(document({"1", "2"}, {comment("7", "seven"), comment(c.other, "x")}));
        test::clickRow(s.ui.lstDiscussions, 10, "002");

        s.ui.tabPODiscussion.userSelectTab(2);

        EXPECT_EQ(test::selectedColumn(s.ui.lstCommentsView, 4), c.selected);
        EXPECT_EQ(s.ui.txtCommentDescriptionView.text(), c.shown);
    }
}

}  // namespace
}  // namespace jex
