// The two comment lists, driven the way a host and its user drive the control: a hand-written
// discussion document is loaded, then lists, keys, tabs and headers are clicked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/headless_services.h"
#include "support/fixed_page_server.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::columnOf;
using test::indexOf;
using test::rowTexts;
using test::selectedColumn;

// The text as XML character data ("<no description>" is a description).
std::string element(const std::string& name, const std::string& text) {
    std::string data;
    for (char ch : text) data += ch == '<' ? "&lt;" : ch == '>' ? "&gt;" : std::string(1, ch);
    return "<" + name + ">" + data + "</" + name + ">";
}

// One comment record; its fields in the comment table's order.
struct Comment {
    std::string sequence;
    std::string owner;
    std::string type = "0";
    std::string date = "Dec 05, 2026 14:07:09";
    std::string by = "Ann Lee";
    std::string description = "Called the vendor";
    std::string focusCenter = "True";
    std::string centerFollowUp = "Dec 19, 2026";
    std::string focusPurchasing = "False";
    std::string cscFollowUp = "Dec 20, 2026";
    std::string focusAccounting = "False";
    std::string focusBilling = "True";
    std::string lastUpdated = "Dec 06, 2026 08:00:00";
    std::string focusJEXD = "False";

    std::string xml() const {
        return "<r>" + element("Seq", sequence) + element("IssueSequence", owner) +
               element("o", "PO9") + element("t", type) + element("d", date) + element("b", by) +
               element("x", description) + element("f1", focusCenter) +
               element("u1", centerFollowUp) + element("f2", focusPurchasing) +
               element("u2", cscFollowUp) + element("f3", focusAccounting) +
               element("f4", focusBilling) + element("l", lastUpdated) + element("f5", focusJEXD) +
               "</r>";
    }
};

const std::vector<std::string> kCommentTypes = {"Note", "Call", "Email"};

std::string document(const std::vector<std::string>& issues, const std::vector<Comment>& comments) {
    std::string text =
        "<root><t><r><c>0</c><d>General Note</d><g>1</g></r></t>"
        "<g><r><c>1</c><d>Center</d><n>14</n></r></g>"
        "<p><r><n>High</n></r></p><c>";
    for (const std::string& type : kCommentTypes) text += "<r><c/>" + element("d", type) + "</r>";
    text += "</c><i>";
    for (const std::string& issue : issues) {
        text += "<r>" + element("IssueSequence", issue) + "<o>PO9</o><t>0</t><p>1</p></r>";
    }
    text += "</i><m>";
    for (const Comment& comment : comments) text += comment.xml();
    return text + "</m></root>";
}

// One control of its own host, with what a test does to it.
struct Session {
    void load(const std::vector<std::string>& issues, const std::vector<Comment>& comments) {
        test::FixedPageServer page(document(issues, comments));
        control.LoadData(page.url(), "PO9");
    }
    void clickIssue(const std::string& sequence) {
        ui.lstDiscussions.userClickItem(indexOf(ui.lstDiscussions, 10, sequence));
    }
    void clickComment(ui::ListView& list, const std::string& sequence) {
        list.userClickItem(indexOf(list, 4, sequence));
    }
    std::vector<int> focusBoxes() const {
        return {ui.chkCenterFocus.value(), ui.chkCorporateFocus.value(), ui.chkVendorFocus.value(),
                ui.chkBillingFocus.value(), ui.chkJEXDFocus.value()};
    }
    std::vector<std::string> reports() const {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : host.messageBox.shown()) texts.push_back(box.text);
        return texts;
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

class CommentLists : public ::testing::Test, public Session {};

TEST_F(CommentLists, CommentRow_showsStoredTextsAndTheClickFillsTheFieldsFromIt) {
    Comment full{.sequence = "4", .owner = "1", .type = "2", .focusPurchasing = "True"};
    full.focusBilling = "False";
    full.focusJEXD = "True";
    Comment odd{.sequence = "5", .owner = "1", .date = "yesterday", .by = "Bo"};
    odd.description = "<no description>";
    odd.focusCenter = "";  // unset
    odd.centerFollowUp = "soon";
    odd.cscFollowUp = "";
    odd.focusAccounting = "True";
    load({"1"}, {full, odd});

    ASSERT_EQ(ui.lstComments.count(), 2);
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

    clickComment(ui.lstComments, "5");
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

TEST_F(CommentLists, Sorting_comparesTextsAndTheViewHeaderFlipsTheOrder) {
    load({"1"}, {Comment{.sequence = "2", .owner = "1", .by = "Cy", .description = "two"},
                 Comment{.sequence = "10", .owner = "1", .by = "Al"},
                 Comment{.sequence = "003N", .owner = "1", .by = "Bo"}});
    EXPECT_EQ(columnOf(ui.lstComments, 4), (std::vector<std::string>{"003N", "10", "2"}));
    EXPECT_EQ(ui.lstComments.selectedItem()->column(4), "2") << "the first in table order";
    EXPECT_EQ(ui.txtCommentDescription.text(), "two");
    EXPECT_EQ(control.state().SelectedIssueSequence, "001");

    ui.tabPODiscussion.userSelectTab(2);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 4), (std::vector<std::string>{"003N", "10", "2"}));
    ui.lstCommentsView.userClickColumnHeader(2);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 1), (std::vector<std::string>{"Al", "Bo", "Cy"}));
    ui.lstCommentsView.userClickColumnHeader(2);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 1), (std::vector<std::string>{"Cy", "Bo", "Al"}));
    ui.lstCommentsView.userClickColumnHeader(5);
    EXPECT_EQ(columnOf(ui.lstCommentsView, 4), (std::vector<std::string>{"2", "10", "003N"}))
        << "a new column keeps the order in force";
}

TEST_F(CommentLists, DisplayComments_ofAnIssueWithoutCommentsClearsOnlyWhenTheOrderHasSome) {
    struct Case {
        std::vector<Comment> comments;
        bool cleared;
    };
    for (const Case& c : {Case{{Comment{.sequence = "4", .owner = "1"}}, true}, Case{{}, false}}) {
        Session s;
        s.load({"1", "2"}, c.comments);
        s.ui.txtCommentDescription.setText("shown before");
        s.ui.txtCSCFollowUp.setText("Dec 01, 2026");
        s.ui.chkJEXDFocus.setValue(1);
        s.ui.cmdDeleteComment.setEnabled(true);
        s.ui.cmdCancelComment.setEnabled(true);

        s.clickIssue("002");

        EXPECT_EQ(s.control.state().SelectedIssueSequence, "002");
        EXPECT_EQ(s.ui.lstComments.count(), 0);
        EXPECT_EQ(s.ui.txtCommentDescription.text(), c.cleared ? "" : "shown before");
        EXPECT_EQ(s.ui.txtCSCFollowUp.text(), c.cleared ? "" : "Dec 01, 2026");
        EXPECT_EQ(s.ui.chkJEXDFocus.value(), c.cleared ? 0 : 1);
        EXPECT_EQ(s.ui.cmdDeleteComment.enabled(), !c.cleared);
        EXPECT_EQ(s.ui.cmdCancelComment.enabled(), !c.cleared);
        EXPECT_EQ(s.reports(), std::vector<std::string>{});
    }
}

TEST_F(CommentLists, DisplayComments_reportsAMissingIssueSelectionAndAnUnknownType) {
    struct Case {
        std::string type;
        bool issueSelected;
        std::string number;
    };
    for (const Case& c : {Case{"0", false, "91"}, Case{"3", true, "380"}}) {
        Session s;
        s.load({"1"}, {Comment{.sequence = "4", .owner = "1", .type = c.type}});
        if (!c.issueSelected) {
            s.ui.lstDiscussions.setSelectedItem(nullptr);
            s.control.LetComments();
        }
        ASSERT_EQ(s.reports().size(), 1u) << c.number;
        const std::string text = s.reports()[0];
        EXPECT_NE(text.find("Error Number - " + c.number + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("JEXDiscussionsXML DisplayComments\r\n"), std::string::npos) << text;
    }
}

TEST_F(CommentLists, CommentClick_changesNothingWhileACommentIsBeingWritten) {
    load({"1"}, {Comment{.sequence = "4", .owner = "1"},
                 Comment{.sequence = "5", .owner = "1", .description = "second"}});
    ui.cmdAddComment.setCaption("Save");
    ui.cmdDeleteComment.setEnabled(true);

    clickComment(ui.lstComments, "5");

    EXPECT_EQ(ui.txtCommentDescription.text(), "Called the vendor");
    EXPECT_EQ(control.state().SelectedCommentSequence, "4");
    EXPECT_TRUE(ui.cmdDeleteComment.enabled());
}

TEST_F(CommentLists, CommentClick_enablesTheCommandsByNumberAndMode) {
    struct Case {
        int mode;
        std::string sequence;
        bool del;
        bool edit;
        bool add;
    };
    load({"1"},
         {Comment{.sequence = "003N", .owner = "1"}, Comment{.sequence = "17", .owner = "1"}});
    for (const Case& c : {Case{0, "003N", true, true, true}, Case{0, "17", false, true, true},
                          Case{2, "003N", true, true, false}, Case{2, "17", false, false, false}}) {
        control.setViewMode(c.mode);
        ui.cmdDeleteComment.setEnabled(!c.del);
        ui.cmdCancelComment.setEnabled(!c.edit);
        ui.cmdAddComment.setEnabled(false);

        clickComment(ui.lstComments, c.sequence);

        EXPECT_EQ(ui.cmdDeleteComment.enabled(), c.del) << c.mode << " " << c.sequence;
        EXPECT_EQ(ui.cmdCancelComment.enabled(), c.edit) << c.mode << " " << c.sequence;
        EXPECT_EQ(ui.cmdAddComment.enabled(), c.add) << c.mode << " " << c.sequence;
    }
}

TEST_F(CommentLists, KeyRelease_refreshesTheFieldsOnlyForUpAndDownArrows) {
    struct Case {
        bool secondTab;
        int key;
        std::string shown;
    };
    const int kRightArrow = 39;
    for (const Case& c : {Case{false, ui::kKeyDown, "c"}, Case{false, kRightArrow, "a"},
                          Case{true, ui::kKeyDown, "c"}, Case{true, kRightArrow, "a"}}) {
        Session s;
        s.load({"1"}, {Comment{.sequence = "1", .owner = "1", .description = "a"},
                       Comment{.sequence = "2", .owner = "1", .description = "b"},
                       Comment{.sequence = "3", .owner = "1", .description = "c"}});
        if (c.secondTab) s.ui.tabPODiscussion.userSelectTab(2);
        ui::ListView& list = c.secondTab ? s.ui.lstCommentsView : s.ui.lstComments;
        const ui::TextBox& box =
            c.secondTab ? s.ui.txtCommentDescriptionView : s.ui.txtCommentDescription;
        ASSERT_EQ(box.text(), "a");
        // Moved without an event, so that only the key release can refresh the fields.
        list.setSelectedItem(list.item(2));

        list.userPressKey(c.key);

        EXPECT_EQ(box.text(), c.shown) << c.secondTab << " " << c.key;
    }
}

TEST_F(CommentLists, CommentsTab_selectsTheCommentAskedForOrLeavesTheFirstRowSelected) {
    struct Case {
        std::string other;
        std::string selected;
        std::string shown;
    };
    for (const Case& c : {Case{"1", "1", "x"}, Case{"5", "7", "seven"}}) {
        Session s;
        s.load({"1", "2"}, {Comment{.sequence = "7", .owner = "1", .description = "seven"},
                            Comment{.sequence = c.other, .owner = "1", .description = "x"}});
        // Issue 2 has no comments, so the second tab is asked for comment "1".
        s.clickIssue("002");

        s.ui.tabPODiscussion.userSelectTab(2);

        ASSERT_EQ(s.ui.lstCommentsView.count(), 2);
        const ui::ListItemRef selected = s.ui.lstCommentsView.selectedItem();
        EXPECT_EQ(selected ? selected->column(4) : "<none>", c.selected);
        EXPECT_EQ(s.ui.txtCommentDescriptionView.text(), c.shown);
    }
}

TEST_F(CommentLists, ViewDoubleClick_goesBackToTheIssuesTabWithThatCommentSelected) {
    load({"1"}, {Comment{.sequence = "7", .owner = "1"}, Comment{.sequence = "8", .owner = "1"}});
    ui.tabPODiscussion.userSelectTab(2);

    ui.lstCommentsView.userDoubleClickItem(indexOf(ui.lstCommentsView, 4, "8"));

    EXPECT_EQ(ui.tabPODiscussion.selectedIndex(), 1);
    EXPECT_TRUE(ui.frameIssue.visible());
    EXPECT_EQ(ui.lstComments.selectedItem()->column(4), "8");
}

}  // namespace
}  // namespace jex
