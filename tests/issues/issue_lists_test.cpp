// The issue lists, driven as a host and its user drive them: a hand-written discussion document
// is loaded, then rows of the issue list and of the read-only tab are clicked.
#include <gtest/gtest.h>

#include <algorithm>
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

// An issue record: sequence, type, priority, then the table's fields from IssueDate on.
struct Issue {
    std::string sequence;
    std::string type = "1";
    std::string priority = "1";
    std::vector<std::string> rest = {};

    std::string xml() const {
        std::string text = "<r><IssueSequence>" + sequence + "</IssueSequence><o>PO9</o><t>" +
                           type + "</t><p>" + priority + "</p>";
        for (const std::string& field : rest) text += "<f>" + field + "</f>";
        return text + "</r>";
    }
};

// Groups "Center" (1) and "Other" (2); types "Note" (0, Other), "Damage" (1, Center),
// "Price" (2, Other) and "Orphan" (3, of a group that is not in the list).
std::string document(const std::vector<Issue>& issues, const std::string& comments = "") {
    std::string text =
        "<root><t><r><c>0</c><d>Note</d><g>2</g></r><r><c>1</c><d>Damage</d><g>1</g></r>"
        "<r><c>2</c><d>Price</d><g>2</g></r><r><c>3</c><d>Orphan</d><g>7</g></r></t>"
        "<g><r><c>1</c><d>Center</d><n>3</n></r><r><c>2</c><d>Other</d><n>5</n></r></g>"
        "<p><r><n>High</n></r><r><n>Medium</n></r><r><n>Low</n></r></p>"
        "<c><r><c/><d>Memo</d></r></c><i>";
    for (const Issue& issue : issues) text += issue.xml();
    return text + "</i><m>" + comments + "</m></root>";
}

// Each report as "<procedure> <error number>".
std::vector<std::string> reports(const HeadlessMessageBox& boxes) {
    std::vector<std::string> found;
    for (const MessageBoxRequest& box : boxes.shown()) {
        const std::string& t = box.text;
        const auto end = t.find("\r\n", t.find("Error Source - "));
        const auto name = t.rfind(' ', end) + 1;
        found.push_back(t.substr(name, end - name) + " " +
                        std::to_string(std::stoi(t.substr(t.find("Number - ") + 9))));
    }
    return found;
}

struct IssueLists : ::testing::Test {
    void load(const std::string& body) {
        host.messageBox.clear();
        test::FixedPageServer page(body);
        control.LoadData(page.url(), "PO9");
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_F(IssueLists, Row_showsStatusPriorityCaptionAndOnlyRealDates) {
    const std::vector<std::string> resolved = {
        "Dec 01, 2026 10:00:00", "Ann", "Crushed", "Dec 02, 2026", "Bo", "Replaced", "Dec 03", "x"};
    const std::vector<std::string> open = {"yesterday", "Ann", "Short", "soon", "Bo", ""};
    load(document({{"1", "1", "2", resolved}, {"2", "2", "3", open}}));
    EXPECT_EQ(reports(host.messageBox), std::vector<std::string>{});

    ASSERT_EQ(ui.lstDiscussions.count(), 2);
    std::vector<std::vector<std::string>> rows;
    for (const ui::ListItemRef& item : ui.lstDiscussions.items()) {
        rows.emplace_back();
        for (int c = 0; c < 13; ++c) rows.back().push_back(item->column(c));
    }
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Center", "Damage", "Close", "Medium", "Ann",
                                                 "Dec 01, 2026 10:00:00", "Bo", "Dec 02, 2026",
                                                 "Crushed", "Replaced", "001", "Dec 03", "x"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Other", "Price", "Open", "Low", "Ann", "", "Bo",
                                                 "", "Short", "", "002", "", ""}));
    EXPECT_EQ(ui.cboDiscussionGroup.text(), "Other") << "the group of the last issue drawn";
    EXPECT_EQ(ui.cboDiscussionType.items(), (std::vector<std::string>{"Note", "Price"}));
}

TEST_F(IssueLists, Fill_selectsTheFirstIssueInTableOrderAndSortsBySequenceText) {
    const std::string body = document({{"10"}, {"2"}, {"003N"}});
    load(body);
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"002", "003N", "010"}));
    EXPECT_EQ(ui.lstDiscussions.selectedItem()->column(10), "010");
    EXPECT_EQ(ui.lstDiscussions.sortKey(), 10);

    // A reload sorts by the sequence again, in the order the user chose last.
    ui.lstDiscussions.userClickColumnHeader(2);
    ui.lstDiscussions.userClickColumnHeader(2);
    load(body);
    EXPECT_EQ(columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"010", "003N", "002"}));
}

TEST_F(IssueLists, Fill_endsAtABadIssueAndKeepsTheRowsBeforeIt) {
    struct Case {
        Issue second;
        std::string report;
        int rows;
    };
    const Case cases[] = {
        {{"2", "9"}, "DisplayDiscussions 5", 1},         // a type not in the list
        {{"2", "3"}, "DisplayDiscussions 5", 1},         // a type of a group not in the list
        {{"2", "1", "4"}, "DisplayDiscussions 340", 2},  // a priority without its menu item
    };
    for (const Case& c : cases) {
        load(document({{"1"}, c.second, {"3"}}));
        EXPECT_EQ(reports(host.messageBox), std::vector<std::string>{c.report});
        EXPECT_EQ(columnOf(ui.lstDiscussions, 10).size(), static_cast<size_t>(c.rows));
    }
}

TEST_F(IssueLists, Click_enablesCommandsBySequenceGroupRightsAndMode) {
    struct Case {
        bool corporate;
        int mode;
        const char* issue;
        bool edit, remove, resolve, add;
    };
    const Case cases[] = {
        {false, 0, "000N", false, false, false, true},  // the placeholder
        {false, 0, "004N", true, true, false, true},    // new since the load
        {false, 0, "012", true, false, true, true},     // stored, of the "Center" group
        {false, 0, "013", false, false, false, true},   // stored, of another group
        {true, 0, "013", true, false, true, true},     {true, 0, "000N", true, false, true, true},
        {true, 2, "004N", true, true, false, false},  // View Mode enables nothing more
        {true, 2, "012", false, false, false, false},
    };
    test::FixedPageServer page(document({{"000N", "0"}, {"004N", "2"}, {"12"}, {"13", "2"}}));
    for (const Case& c : cases) {
        JEXPODiscussionsXML fresh(host.services());
        fresh.setCorporateLevel(c.corporate);
        fresh.setViewMode(c.mode);
        fresh.LoadData(page.url(), "PO9");
        DiscussionScreen& s = fresh.screen();
        const std::vector<std::string> sequences = columnOf(s.lstDiscussions, 10);
        s.lstDiscussions.userClickItem(
            static_cast<int>(std::find(sequences.begin(), sequences.end(), c.issue) -
                             sequences.begin()) +
            1);

        const std::string label =
            std::string(c.issue) + (c.corporate ? " corporate" : "") + (c.mode == 2 ? " view" : "");
        EXPECT_EQ(s.txtDiscussionGroup.text(), s.lstDiscussions.selectedItem()->text()) << label;
        EXPECT_EQ(s.cmdEditDiscussion.enabled(), c.edit) << label;
        EXPECT_EQ(s.cmdDeleteDiscussion.enabled(), c.remove) << label;
        EXPECT_EQ(s.cmdCloseDiscussion.enabled(), c.resolve) << label;
        EXPECT_EQ(s.cmdAddDiscussion.enabled(), c.add) << label;
        EXPECT_EQ(s.cmdAddComment.enabled(), c.add) << label;
    }
    EXPECT_EQ(reports(host.messageBox), std::vector<std::string>{});
}

TEST_F(IssueLists, Click_changesNothingWhileAnIssueIsBeingWorkedOn) {
    load(document({{"1", "1", "1", {"", "", "first"}}, {"2", "1", "1", {"", "", "second"}}}));
    for (ui::CommandButton* busy : {&ui.cmdAddDiscussion, &ui.cmdCloseDiscussion}) {
        const std::string caption = busy->caption();
        ui.lstDiscussions.userClickItem(1);
        busy->setCaption("Save");
        ui.lstDiscussions.userClickItem(2);
        ui.lstDiscussions.userPressKey(ui::kKeyUp);
        EXPECT_EQ(ui.txtDiscussionDescription.text(), "first") << busy->name();
        busy->setCaption(caption);
    }
}

// The read-only tab shows the issue that owns the comment clicked in its comment list.
TEST_F(IssueLists, View_showsTheOwningIssueOrNothingForAnUnknownOne) {
    const auto comment = [](const char* sequence, const char* owner) {
        return std::string("<r><s>") + sequence + "</s><IssueSequence>" + owner +
               "</IssueSequence><o>PO9</o><t>0</t></r>";
    };
    load(document({{"1", "1", "1", {"", "", "Crushed", "", "", "Replaced", "", "Dec 09, 2026"}}},
                  comment("1", "1") + comment("2", "99")));
    RecordTable& issues = *control.state().DiscussionTable;
    issues.moveFirst();
    issues.setField("IssueFollowUp", Value::null());
    ui.tabPODiscussion.userSelectTab(2);
    const std::vector<ui::TextBox*> boxes = {&ui.txtDiscussionGroupView, &ui.txtDiscussionView,
                                             &ui.txtDiscussionDescriptionView,
                                             &ui.txtDiscussionResolutionView, &ui.txtFollowUpView};
    const auto texts = [&] {
        std::vector<std::string> shown;
        for (const ui::TextBox* box : boxes) shown.push_back(box->text());
        return shown;
    };

    ui.lstCommentsView.userClickItem(1);
    EXPECT_EQ(columnOf(ui.lstDiscussionsView, 10), std::vector<std::string>{"001"});
    EXPECT_EQ(ui.lstDiscussionsView.item(1)->column(12), "") << "a null follow-up";
    EXPECT_EQ(texts(), (std::vector<std::string>{"Center", "Damage", "Crushed", "Replaced", ""}));

    ui.lstCommentsView.userClickItem(2);
    EXPECT_EQ(ui.lstDiscussionsView.count(), 0);
    EXPECT_EQ(texts(), std::vector<std::string>(5));
    EXPECT_EQ(reports(host.messageBox), std::vector<std::string>{});
}

}  // namespace
}  // namespace jex
