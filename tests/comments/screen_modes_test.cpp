// The two tabs and the start state of the screen, driven the way a host and its user drive the
// control.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "comments/field_appearance.h"
#include "control/headless_services.h"
#include "support/fixed_page_server.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
using test::indexOf;
using test::rowTexts;
using test::selectedColumn;

using Comment = std::pair<std::string, std::string>;  // sequence, owning issue

// A document with one issue type, group, priority and comment type; the issues' records carry
// sequence, order, type and priority, the comments' records sequence, owner, order, type and a
// description "comment <sequence>".
std::string document(const std::vector<std::string>& issueRecords,
                     const std::vector<Comment>& comments) {
    std::string text =
        "<root><t><r><c>0</c><d>General Note</d><g>1</g></r></t>"
        "<g><r><c>1</c><d>Center</d><n>14</n></r></g>"
        "<p><r><n>High</n></r></p><c><r><c/><d>Note</d></r></c><i>";
    for (const std::string& record : issueRecords) text += record;
    text += "</i><m>";
    for (const auto& [sequence, owner] : comments) {
        text += "<r><s>" + sequence + "</s><IssueSequence>" + owner +
                "</IssueSequence><o>PO9</o><t>0</t><d/><b/><x>comment " + sequence + "</x></r>";
    }
    return text + "</m></root>";
}

std::string issue(const std::string& sequence, const std::string& type = "0") {
    return "<r><IssueSequence>" + sequence + "</IssueSequence><o>PO9</o><t>" + type +
           "</t><p>1</p></r>";
}

class ScreenModes : public ::testing::Test {
  protected:
    void load(const std::vector<std::string>& issueRecords, const std::vector<Comment>& comments) {
        test::FixedPageServer page(document(issueRecords, comments));
        control.LoadData(page.url(), "PO9");
    }
    // The procedures that reported an error, in order.
    std::vector<std::string> reporters() const {
        std::vector<std::string> names;
        for (const MessageBoxRequest& box : host.messageBox.shown()) {
            const auto lineEnd = box.text.find("\r\n", box.text.find("Error Source - "));
            const auto from = box.text.rfind(' ', lineEnd) + 1;
            names.push_back(box.text.substr(from, lineEnd - from));
        }
        return names;
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_F(ScreenModes, TabSwitch_keepsTheIssueAndTheCommentMatchedBothWays) {
    load({issue("1"), issue("2")}, {{"10", "1"}, {"11", "1"}, {"20", "2"}, {"21", "2"}});
    ui.lstComments.userClickItem(indexOf(ui.lstComments, 4, "11"));

    ui.tabPODiscussion.userSelectTab(2);
    EXPECT_TRUE(ui.frameComment.visible());
    EXPECT_FALSE(ui.frameIssue.visible());
    EXPECT_EQ(ui.lstCommentsView.count(), 4);
    EXPECT_EQ(selectedColumn(ui.lstCommentsView, 4), "11");
    EXPECT_EQ(selectedColumn(ui.lstDiscussionsView, 10), "001");

    // A comment of the other issue, picked on the second tab, is the one shown back on the first.
    ui.lstCommentsView.userClickItem(indexOf(ui.lstCommentsView, 4, "21"));
    ui.tabPODiscussion.userSelectTab(1);

    EXPECT_TRUE(ui.frameIssue.visible());
    EXPECT_FALSE(ui.frameComment.visible());
    EXPECT_EQ(selectedColumn(ui.lstDiscussions, 10), "002");
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"20", "21"}));
    EXPECT_EQ(selectedColumn(ui.lstComments, 4), "21");
    EXPECT_EQ(ui.txtCommentDescription.text(), "comment 21");
    EXPECT_EQ(control.state().SelectedCommentSequence, "21");
    EXPECT_EQ(reporters(), std::vector<std::string>{});
}

TEST_F(ScreenModes, TabSwitch_backToIssuesSelectsNoCommentWhenTheViewedOneIsNotListed) {
    // Comment 99 belongs to no issue of the order, so the second tab shows no issue for it.
    load({issue("1"), issue("2")}, {{"10", "1"}, {"20", "2"}, {"21", "2"}, {"99", "9"}});
    ui.lstDiscussions.userClickItem(indexOf(ui.lstDiscussions, 10, "002"));
    ui.tabPODiscussion.userSelectTab(2);
    ui.lstCommentsView.userClickItem(indexOf(ui.lstCommentsView, 4, "99"));
    ASSERT_EQ(ui.lstDiscussionsView.count(), 0);

    ui.tabPODiscussion.userSelectTab(1);

    EXPECT_EQ(selectedColumn(ui.lstDiscussions, 10), "002") << "the issue selected before stays";
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"20", "21"}));
    EXPECT_EQ(selectedColumn(ui.lstComments, 4), "<none>");
    EXPECT_EQ(reporters(), std::vector<std::string>{});
}

TEST_F(ScreenModes, Reload_leavesTheStartStateEvenWhenTheNewIssuesAreRefused) {
    load({issue("1")}, {{"4N", "1"}});
    ui.tabPODiscussion.userSelectTab(2);
    // Everything the start state covers, put into its other state as the editing commands do.
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
    for (ui::CommandButton* b : renamed) b->setCaption("Save");
    for (ui::CommandButton* b : withheld) b->setEnabled(true);
    ui.cmdDeleteComment.setEnabled(true);
    for (ui::TextBox* box : typed) {
        openForTyping(*box);
        box->setText("typed");
    }
    for (ui::TextBox* box : chosen) box->setText("chosen");
    for (ui::CheckBox* box : focusBoxes) {
        box->setEnabled(true);
        box->setValue(1);
    }
    for (ui::ListView* list : {&ui.lstDiscussions, &ui.lstComments}) list->setEnabled(false);
    for (ui::ComboBox* picker :
         {&ui.cboCommentType, &ui.cboDiscussionType, &ui.cboDiscussionGroup}) {
        picker->setVisible(true);
    }

    load({issue("1", "abc")}, {});

    EXPECT_EQ(reporters(), std::vector<std::string>{"LetDiscussions"});
    EXPECT_EQ(ui.tabPODiscussion.selectedIndex(), 1);
    EXPECT_TRUE(ui.frameIssue.visible());
    EXPECT_FALSE(ui.frameComment.visible());
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
        EXPECT_EQ(box->text(), "") << box->name();
        EXPECT_TRUE(box->locked() && box->backColour() == ui::kButtonFace) << box->name();
    }
    for (ui::TextBox* box : chosen) EXPECT_EQ(box->text(), "") << box->name();
    for (ui::CheckBox* box : focusBoxes) {
        EXPECT_TRUE(box->value() == 0 && !box->enabled()) << box->name();
    }
    for (ui::ComboBox* picker :
         {&ui.cboCommentType, &ui.cboDiscussionType, &ui.cboDiscussionGroup}) {
        EXPECT_FALSE(picker->visible()) << picker->name();
    }
}

}  // namespace
}  // namespace jex
