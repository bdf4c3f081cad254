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
    EXPECT_EQ(reports(), std::vector<std::string>{});
}

// The rows are sorted by sequence text, the first in table order selected; only the up and down
// arrows refresh the fields, on either tab; a header click sorts by its column. In View Mode
// a new comment may still be edited and deleted, a stored one neither, and none added.
TEST_F(CommentLists, SortingAndKeys_comparesTextsAndRefreshesOnlyForUpAndDown) {
    const int kRightArrow = 39;
    control.setViewMode(2);
    load({"1"}, {commentRecord("2", "1", "0", {"", "Cy", "two"}),
                 commentRecord("10", "1", "0", {"", "Al", "ten"}),
                 commentRecord("003N", "1", "0", {"", "Bo", "three"})});
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"003N", "10", "2"}));
    EXPECT_EQ(test::selectedColumn(ui.lstComments, 4), "2") << "the first in table order";
    EXPECT_EQ(ui.txtCommentDescription.text(), "two");
    EXPECT_FALSE(ui.cmdCancelComment.enabled() || ui.cmdDeleteComment.enabled() ||
                 ui.cmdAddComment.enabled())
        << "a stored comment in View Mode";
    for (ui::ListView* list : {&ui.lstComments, &ui.lstCommentsView}) {
        const bool view = list == &ui.lstCommentsView;
        if (view) ui.tabPODiscussion.userSelectTab(2);
        const ui::TextBox& box = view ? ui.txtCommentDescriptionView : ui.txtCommentDescription;
        list->userClickItem(1);
        EXPECT_TRUE(view || (ui.cmdCancelComment.enabled() && ui.cmdDeleteComment.enabled()));
        // Moved without an event, so that only a key release can refresh the fields.
        list->setSelectedItem(list->item(2));
        list->userPressKey(kRightArrow);
        EXPECT_EQ(box.text(), "three") << list->name();
        list->userPressKey(ui::kKeyDown);
        EXPECT_EQ(box.text(), "two") << list->name();
    }
    ui.lstCommentsView.userClickColumnHeader(5);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 4), (std::vector<std::string>{"2", "10", "003N"}));
    ui.lstCommentsView.userClickColumnHeader(2);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 1), (std::vector<std::string>{"Cy", "Bo", "Al"}));
}

// An issue without comments empties the fields another issue's comment filled.
TEST_F(CommentLists, DisplayComments_clearsForAnIssueWithoutAndReportsWhatItCannotShow) {
    load({"1", "2"},
         {commentRecord("5N", "1", "0",
                        {"", "", "shown", "", "Dec 19, 2026", "", "", "", "", "", "True"})});
    ASSERT_TRUE(ui.cmdDeleteComment.enabled() && ui.chkJEXDFocus.value() == 1);
    test::clickRow(ui.lstDiscussions, 10, "002");
    EXPECT_EQ(control.state().SelectedIssueSequence, "002");
    EXPECT_EQ(ui.lstComments.count(), 0);
    EXPECT_EQ(ui.txtCommentDescription.text() + "|" + ui.txtCommentType.text() + "|" +
                  ui.txtCenterFollowUp.text(),
              "||");
    EXPECT_EQ(focusBoxes(), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_FALSE(ui.cmdDeleteComment.enabled() || ui.cmdCancelComment.enabled());
    EXPECT_EQ(reports(), std::vector<std::string>{});

    ui.lstDiscussions.setSelectedItem(nullptr);
    control.LetComments();
    EXPECT_EQ(reports(), std::vector<std::string>{"DisplayComments 91"});
    load({"1"}, {commentRecord("4", "1", "3")});
    EXPECT_EQ(reports(), std::vector<std::string>{"DisplayComments 380"});
}

// Issue 3 has no comments, so the second tab is asked for comment "1", or leaves the first row
// in table order selected. Comment 99 belongs to no issue of the order, so the second tab shows
// no issue for it, and back on the first no comment is selected.
TEST_F(CommentLists, Tabs_selectTheCommentAskedForAndShowNoIssueForACommentOfNone) {
    for (const char* other : {"1", "5"}) {
        SCOPED_TRACE(other);
        ControlSession::load(test::Document{
            .issues = {test::issueRecord("1", "0", "1", {"", "", "first"}), test::issueRecord("2"),
                       test::issueRecord("3")},
            .comments = {comment("7", "seven"), comment(other, "x"), commentRecord("20", "2"),
                         commentRecord("21", "2"), commentRecord("99", "9")}}
                                 .xml());
        test::clickRow(ui.lstDiscussions, 10, "003");
        ui.tabPODiscussion.userSelectTab(2);
        const bool asked = other[0] == '1';
        EXPECT_EQ(test::selectedColumn(ui.lstCommentsView, 4), asked ? "1" : "7");
        EXPECT_EQ(ui.txtCommentDescriptionView.text(), asked ? "x" : "seven");

        ui.tabPODiscussion.userSelectTab(1);
        test::clickRow(ui.lstDiscussions, 10, "002");
        ui.tabPODiscussion.userSelectTab(2);
        test::clickRow(ui.lstCommentsView, 4, "7");
        ASSERT_EQ(ui.txtDiscussionDescriptionView.text(), "first");
        test::clickRow(ui.lstCommentsView, 4, "99");
        EXPECT_EQ(ui.lstDiscussionsView.count(), 0);
        for (const ui::TextBox* box :
             {&ui.txtDiscussionGroupView, &ui.txtDiscussionView, &ui.txtDiscussionDescriptionView,
              &ui.txtDiscussionResolutionView, &ui.txtFollowUpView}) {
            EXPECT_EQ(box->text(), "") << box->name();
        }
        ui.tabPODiscussion.userSelectTab(1);
        EXPECT_EQ(test::selectedColumn(ui.lstDiscussions, 10), "002") << "kept from before";
        EXPECT_EQ(test::columnOf(ui.lstComments, 4), (std::vector<std::string>{"20", "21"}));
        EXPECT_EQ(test::selectedColumn(ui.lstComments, 4), "<none>");
        EXPECT_EQ(reports(), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace jex
