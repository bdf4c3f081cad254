// Saving end to end: changes made on the screen, posted by SaveData to the discussion server,
// run there against the order database, and found again by the next load.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "control/headless_services.h"
#include "platform/dates.h"
#include "support/backend_store.h"
#include "support/demo_server.h"
#include "support/list_texts.h"
#include "support/sql_rows.h"

namespace jex {
namespace {

using test::Backend;
using test::clickRow;
using test::indexOf;

constexpr int kAccounting = 2;

// Statements that make every comment insert fail, and let them through again: a database error
// in the middle of a save.
std::pair<const char*, const char*> commentsClosed(Backend backend) {
    if (backend == Backend::Sqlite) {
        return {
            "CREATE TRIGGER closed BEFORE INSERT ON OrderDiscussionComment "
            "BEGIN SELECT RAISE(ABORT, 'comments are closed'); END",
            "DROP TRIGGER closed"};
    }
    return {
        "ALTER TABLE OrderDiscussionComment ADD CONSTRAINT closed CHECK (CommentSequence < 0)"
        " NOT VALID",
        "ALTER TABLE OrderDiscussionComment DROP CONSTRAINT closed"};
}

struct SaveRoad : ::testing::TestWithParam<Backend> {
    void SetUp() override {
        if (!store.skipReason().empty()) GTEST_SKIP() << store.skipReason();
        demo.emplace("save-road", store.serverConnection());
        host.clock.set(makeDateTime(2026, 12, 5, 14, 7, 9));
        control.setUserName("Clerk Kent|77|1");
        control.setCorporateLevel(true);
    }
    // The base address ends in "/": loading puts "/" before the page, saving puts nothing.
    void load(const std::string& order = "PO1001") {
        control.LoadData(demo->url + "/", order);
        ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    }
    void addIssue(const std::string& description) {
        ui.cmdAddDiscussion.userClick();
        ui.cboDiscussionGroup.userSelect(kAccounting);
        ui.cboDiscussionType.userSelect(0);
        ui.txtDiscussionDescription.userType(description);
        ui.cmdAddDiscussion.userClick();
    }
    void addComment(const std::string& issue, const std::string& description) {
        clickRow(ui.lstDiscussions, 10, issue);
        ui.cmdAddComment.userClick();
        ui.cboCommentType.userSelect(1);
        ui.txtCommentDescription.userType(description);
        ui.cmdAddComment.userClick();
    }
    // The rows of sql, run as the tables' owner: "|" between columns, "\n" between rows.
    std::string stored(const std::string& sql) {
        std::string text = test::rows(*store.owner(), sql);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

    void save() {
        control.SaveData();
        ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    }
    // Edits a stored open issue as a corporate user: a new follow-up date.
    void editFollowUp(const std::string& issue, DateTime followUp) {
        clickRow(ui.lstDiscussions, 10, issue);
        ui.cmdEditDiscussion.userClick();
        ui.DTPckrFollowUpDate.userSetDate(followUp);
        ui.cmdAddDiscussion.userClick();
    }
    std::string selectedIssue() const { return test::selectedColumn(ui.lstDiscussions, 10); }

    test::BackendStore store{GetParam(), "save-road"};
    std::optional<test::DemoServer> demo;
    HeadlessServices host;
    // What the host does while the control waits for the server.
    std::function<void()> onEvents;
    CallbackMessagePump pump{[this] {
        if (onEvents) std::exchange(onEvents, nullptr)();
    }};
    JEXPODiscussionsXML control{{host.messageBox, host.eventLog, host.clock, pump}};
    DiscussionScreen& ui = control.screen();
};

// Texts built to break out of the save's SQL, and text the Western European code page lacks, are
// stored as typed; a stored resolution holding such text survives an edit of its issue. The user
// name is all of it that fits 40.
TEST_P(SaveRoad, EveryKindOfChangeIsStoredOnceAsTypedWithTheDatabasesNumbers) {
    const std::string hostile = "O'Brien; '); DELETE FROM OrderHeader; --";
    const std::string name = hostile.substr(0, 35), where = " WHERE OrderID='PO1001' AND ";
    control.setUserName(name + "|77|1");
    store.owner()->execute(
        "UPDATE OrderDiscussion SET Resolution='Réglé — 済み', ResolvedDate='Nov 30, 2026' "
        "WHERE OrderID='PO1001' AND IssueSequence=2");
    load();
    addIssue("Łódź 漢字 café " + hostile);
    addComment("005N", "Zażółć");
    addComment("005N", hostile);
    editFollowUp("002", makeDateTime(2026, 12, 24));

    clickRow(ui.lstDiscussions, 10, "003");
    ui.cmdCloseDiscussion.userClick();
    ui.txtDiscussionResolution.userType(hostile);
    ui.cmdCloseDiscussion.userClick();

    addComment("001", "On a stored issue");

    clickRow(ui.lstDiscussions, 10, "003");  // comment 5 moves from 003 to 001
    const double from = ui::ListView::rowCentre(indexOf(ui.lstComments, 4, "5"));
    const double onto = ui::ListView::rowCentre(indexOf(ui.lstDiscussions, 10, "001"));
    ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, from);
    ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, from);
    ui.lstDiscussions.userDragOver(0, onto);
    ui.lstDiscussions.userDrop(0, onto);

    save();
    EXPECT_EQ(ui.mousePointer(), MousePointer::Default);

    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription, Resolution, EnteredBy FROM "
                     "OrderDiscussion" +
                     where + "IssueSequence > 4"),
              "5|Łódź 漢字 café " + hostile + "|NULL|" + name + "|77|1");
    EXPECT_EQ(stored("SELECT IssueFollowUp, Resolution, ResolvedBy FROM OrderDiscussion" + where +
                     "IssueSequence IN (2, 3) ORDER BY IssueSequence"),
              "Dec, 24 2026|Réglé — 済み|\nNULL|" + hostile + "|" + name);
    EXPECT_EQ(stored("SELECT CommentSequence, IssueSequence, CommentDescription FROM "
                     "OrderDiscussionComment" +
                     where + "CommentSequence > 6 ORDER BY 1"),
              "7|5|Zażółć\n8|5|" + hostile + "\n9|1|On a stored issue");
    EXPECT_EQ(stored("SELECT OpenProblemExists FROM OrderHeader WHERE OrderID='PO1001'"), "1");

    load();
    clickRow(ui.lstDiscussions, 10, "005");
    for (ui::TextBox* followUp : {&ui.txtCSCFollowUp, &ui.txtCenterFollowUp}) {
        clickRow(ui.lstComments, 0, hostile);
        ui.cmdCancelComment.userClick();
        followUp->userReplaceText("Łukasz " + hostile);
        ui.cmdAddComment.userClick();
        save();
        control.setCorporateLevel(false);  // a center user sets the center follow-up
        load();
        clickRow(ui.lstDiscussions, 10, "005");
    }
    EXPECT_EQ(stored("SELECT FollowupCSC, FollowupCenter FROM OrderDiscussionComment" + where +
                     "CommentSequence = 8"),  // a follow-up box takes 25 characters
              "Łukasz O'Brien; '); DELET|Łukasz O'Brien; '); DELET");
}

// The placeholder of an order without issues, once stored alone, is an issue like any other;
// the order's first comment, on it, and a new issue's comment are numbered once. A host's redraw
// after any save shows what was stored, so the next edit of a row does not undo the last.
TEST_P(SaveRoad, TheSavedPlaceholderIsEditedAndCommentedAsAStoredIssue) {
    load("PO1003");
    save();  // with no other change, the placeholder alone
    EXPECT_EQ(stored("SELECT OpenProblemExists FROM OrderHeader WHERE OrderID='PO1003'"), "0");
    editFollowUp("000", makeDateTime(2026, 12, 30));
    addComment("000", "Noted");
    addIssue("Later trouble");  // a later save is not blocked either
    addComment(selectedIssue(), "On the new issue");
    save();
    control.LetDiscussions();  // a host's redraw reloads what the save stored
    control.LetComments();
    addComment("000", "After a redraw");
    save();
    // An edit saved alone, then redrawn: the resolution saved next keeps its follow-up.
    editFollowUp("001", makeDateTime(2027, 1, 8));
    save();
    control.LetDiscussions();
    clickRow(ui.lstDiscussions, 10, "001");
    ui.cmdCloseDiscussion.userClick();
    ui.txtDiscussionResolution.userType("Done");
    ui.cmdCloseDiscussion.userClick();
    save();

    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription FROM OrderDiscussion WHERE "
                     "OrderID='PO1003' ORDER BY 1"),
              "0|Miscellaneous order comments (not a problem)\n1|Later trouble");
    EXPECT_EQ(stored("SELECT IssueFollowUp, substr(Resolution, 1, 4) FROM OrderDiscussion WHERE "
                     "OrderID='PO1003' ORDER BY IssueSequence"),
              "Dec, 30 2026|This\nJan, 08 2027|Done");
    EXPECT_EQ(stored("SELECT CommentSequence, IssueSequence, CommentDescription FROM "
                     "OrderDiscussionComment WHERE OrderID='PO1003' ORDER BY 1"),
              "1|1|On the new issue\n2|0|Noted\n3|0|After a redraw");
    load("PO1003");
    EXPECT_EQ(test::columnOf(ui.lstDiscussions, 10), (std::vector<std::string>{"000", "001"}));
}

// A comment edit left open while the user looks at another issue's comment on the second tab.
// While an issue is resolved the comments wait, so the resolution can still be saved. An issue
// being added keeps the group, type and follow-up chosen through a look at the second tab, whose
// lists are drawn meanwhile.
TEST_P(SaveRoad, EditsSurviveWhatTheUserDoesMeanwhile) {
    const auto comment = [&](const char* sequence) {
        return stored(std::string("SELECT CommentDescription, FocusBilling FROM "
                                  "OrderDiscussionComment WHERE OrderID='PO1001' AND "
                                  "CommentSequence=") +
                      sequence);
    };
    const std::string first = comment("1");
    load();
    clickRow(ui.lstDiscussions, 10, "001");
    clickRow(ui.lstComments, 4, "1");
    ui.cmdCancelComment.userClick();
    ui.chkBillingFocus.userClick();
    ui.tabPODiscussion.userSelectTab(2);
    clickRow(ui.lstCommentsView, 4, "3");
    ui.tabPODiscussion.userSelectTab(1);
    ui.tabPODiscussion.userSelectTab(2);  // a double-click there goes back, cancelling nothing
    ui.lstCommentsView.userDoubleClickItem(indexOf(ui.lstCommentsView, 4, "3"));
    EXPECT_EQ(test::selectedColumn(ui.lstComments, 4), "1");
    ui.cmdAddComment.userClick();

    clickRow(ui.lstDiscussions, 10, "002");
    ui.cmdCloseDiscussion.userClick();
    clickRow(ui.lstComments, 4, "4");
    EXPECT_FALSE(ui.cmdAddComment.enabled());
    EXPECT_FALSE(ui.cmdAddDiscussion.enabled());
    ui.txtDiscussionResolution.userType("Settled");
    ui.cmdCloseDiscussion.userClick();
    EXPECT_TRUE(ui.lstComments.enabled());

    ui.cmdAddDiscussion.userClick();
    ui.cboDiscussionGroup.userSelect(kAccounting);
    ui.cboDiscussionType.userSelect(0);
    const std::string type = ui.cboDiscussionType.text();
    const std::string followUp = formatDate(ui.DTPckrFollowUpDate.value(), DatePattern::Picker);
    ui.txtDiscussionDescription.userType("Freight billed twice");
    ui.tabPODiscussion.userSelectTab(2);
    ui.tabPODiscussion.userSelectTab(1);
    ui.cmdAddDiscussion.userClick();
    save();
    EXPECT_NE(comment("1"), first);
    EXPECT_EQ(stored("SELECT Resolution FROM OrderDiscussion WHERE OrderID='PO1001' AND "
                     "IssueSequence=2"),
              "Settled");
    EXPECT_EQ(stored("SELECT t.Description, d.IssueFollowUp FROM OrderDiscussion d JOIN "
                     "DiscussionType t ON t.TypeCode = d.Type WHERE d.OrderID='PO1001' AND "
                     "d.IssueDescription='Freight billed twice'"),
              type + "|" + followUp);
}

// A database error in the middle of a save is shown and stores nothing, and the next save sends
// it all again. The host saves while the user rewrites a new issue's description: the issue
// waits for the edit, and is stored once, as the edit left it. Save pressed again while that
// save waits for the server, after a comment on the issue, runs after it.
TEST_P(SaveRoad, AFailedSaveAndAnIssueOpenInAnEditWaitAndASaveDuringASaveRunsAfterIt) {
    load();
    addIssue("Crate dented");
    addComment("005N", "Photos taken");
    store.owner()->execute(commentsClosed(GetParam()).first);
    control.SaveData();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    store.owner()->execute(commentsClosed(GetParam()).second);
    host.messageBox.clear();

    addIssue("Draft");
    ui.cmdEditDiscussion.userClick();
    ui.txtDiscussionDescription.userReplaceText("Draft, final");
    save();
    ui.cmdAddDiscussion.userClick();
    onEvents = [&] {
        addComment(selectedIssue(), "Typed while saving");
        control.SaveData();
    };
    save();
    addIssue("Kept");  // an edit cancelled after the save it held back from still saves it
    ui.cmdEditDiscussion.userClick();
    save();
    ui.cmdEditDiscussion.userClick();
    ui.cmdAddComment.userClick();  // and a comment begun on it then lands under its number
    ui.cboCommentType.userSelect(1);
    ui.txtCommentDescription.userType("Begun before");
    save();
    ui.cmdAddComment.userClick();
    save();
    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription FROM OrderDiscussion WHERE "
                     "OrderID='PO1001' AND IssueSequence > 4 ORDER BY 1"),
              "5|Crate dented\n6|Draft, final\n7|Kept");
    EXPECT_EQ(
        stored("SELECT CommentSequence, IssueSequence, CommentDescription FROM "
               "OrderDiscussionComment WHERE OrderID='PO1001' AND CommentSequence > 6 ORDER BY 1"),
        "7|5|Photos taken\n8|6|Typed while saving\n9|7|Begun before");
    EXPECT_EQ(control.SaveDataToIIS("~"), "");
}

INSTANTIATE_TEST_SUITE_P(Backends, SaveRoad, test::kBackends, test::backendName);

}  // namespace
}  // namespace jex
