// The tabs and the start state of the screen, beyond the display road.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/field_appearance.h"
#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::commentRecord;
using test::issueRecord;

struct ScreenModes : ::testing::Test, test::ControlSession {
    void load(const std::vector<std::string>& issues, const std::vector<std::string>& comments) {
        ControlSession::load(test::Document{.issues = issues, .comments = comments}.xml());
    }
};

// Comment 99 belongs to no issue of the order, so the second tab shows no issue for it.
TEST_F(ScreenModes, TabSwitch_withACommentOfNoIssueShowsNoIssueAndSelectsNoComment) {
    load({issueRecord("1", "0", "1", {"", "", "first"}), issueRecord("2")},
         {commentRecord("10", "1"), commentRecord("20", "2"), commentRecord("21", "2"),
          commentRecord("99", "9")});
    test::clickRow(ui.lstDiscussions, 10, "002");
    ui.tabPODiscussion.userSelectTab(2);
    test::clickRow(ui.lstCommentsView, 4, "10");
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

// Everything the start state covers is put into its other state, as the editing commands do,
// before a reload whose issues are refused.
TEST_F(ScreenModes, Reload_leavesTheStartStateEvenWhenTheNewIssuesAreRefused) {
    load({issueRecord("1")}, {commentRecord("4N", "1")});
    ui.tabPODiscussion.userSelectTab(2);
    const std::vector<ui::CommandButton*> renamed = {&ui.cmdAddComment, &ui.cmdAddDiscussion,
                                                     &ui.cmdCloseDiscussion, &ui.cmdEditDiscussion,
                                                     &ui.cmdCancelComment};
    const std::vector<ui::CommandButton*> withheld = {
        &ui.cmdEditDiscussion, &ui.cmdCancelResolution, &ui.cmdCloseDiscussion,
        &ui.cmdDeleteDiscussion, &ui.cmdCancelComment};
    const std::vector<ui::TextBox*> typed = {&ui.txtDiscussionDescription,
                                             &ui.txtDiscussionResolution, &ui.txtCommentDescription,
                                             &ui.txtCenterFollowUp, &ui.txtCSCFollowUp};
    const std::vector<ui::TextBox*> chosen = {&ui.txtCommentType, &ui.txtDiscussion,
                                              &ui.txtDiscussionGroup};
    const std::vector<ui::CheckBox*> focusBoxes = {&ui.chkCenterFocus, &ui.chkCorporateFocus,
                                                   &ui.chkVendorFocus, &ui.chkBillingFocus,
                                                   &ui.chkJEXDFocus};
    const std::vector<ui::ComboBox*> pickers = {&ui.cboCommentType, &ui.cboDiscussionType,
                                                &ui.cboDiscussionGroup};
    for (ui::CommandButton* b : renamed) b->setCaption("Save");
    for (ui::CommandButton* b : withheld) b->setEnabled(true);
    ui.cmdDeleteComment.setEnabled(true);
    for (ui::TextBox* box : typed) openForTyping(*box);
    for (ui::TextBox* box : typed) box->setText("typed");
    for (ui::TextBox* box : chosen) box->setText("chosen");
    for (ui::CheckBox* box : focusBoxes) box->setEnabled(true);
    for (ui::CheckBox* box : focusBoxes) box->setValue(1);
    for (ui::ListView* list : {&ui.lstDiscussions, &ui.lstComments}) list->setEnabled(false);
    for (ui::ComboBox* picker : pickers) picker->setVisible(true);

    load({issueRecord("1", "abc")}, {});

    EXPECT_EQ(reports(),
              std::vector<std::string>{"LetDiscussions " + std::to_string(recordErr::WrongType)});
    EXPECT_EQ(ui.tabPODiscussion.selectedIndex(), 1);
    EXPECT_TRUE(ui.frameIssue.visible() && !ui.frameComment.visible());
    std::vector<std::string> captions;
    for (ui::CommandButton* b : renamed) captions.push_back(b->caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Add Comment", "Add Issue", "Resolve Issue",
                                                  "Edit", "Edit"}));
    for (ui::CommandButton* b : withheld) EXPECT_FALSE(b->enabled()) << b->name();
    EXPECT_TRUE(ui.cmdDeleteComment.enabled()) << "Delete keeps its state";
    for (ui::ListView* list : {&ui.lstDiscussions, &ui.lstComments}) {
        EXPECT_TRUE(list->enabled() && list->count() == 0) << list->name();
    }
    for (ui::TextBox* box : typed) {
        EXPECT_TRUE(box->text().empty() && box->locked() && box->backColour() == ui::kButtonFace)
            << box->name();
    }
    for (ui::TextBox* box : chosen) EXPECT_EQ(box->text(), "") << box->name();
    for (ui::CheckBox* box : focusBoxes)
        EXPECT_TRUE(!box->value() && !box->enabled()) << box->name();
    for (ui::ComboBox* picker : pickers) EXPECT_FALSE(picker->visible()) << picker->name();
}

}  // namespace
}  // namespace jex
