// Saving end to end: changes made on the screen, posted by SaveData to the discussion server,
// run there against the order database, and found again by the next load.
#include <gtest/gtest.h>

#include "control/headless_services.h"
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

// Makes every comment insert fail, and lets them through again: a database error in the middle
// of a save.
struct CommentsClosed {
    const char* close;
    const char* reopen;
};

CommentsClosed commentsClosed(Backend backend) {
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
    void execute(const std::string& sql) { store.owner()->execute(sql); }
    bool marked(RecordTable& table, const char* field, const std::string& sequence) {
        for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
            if (table.field(field).toText() == sequence)
                return table.field("IsUpdated").toBoolean();
        }
        return false;
    }

    test::BackendStore store{GetParam(), "save-road"};
    std::optional<test::DemoServer> demo;
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_P(SaveRoad, EveryKindOfChangeIsStoredOnceWithTheDatabasesNumbers) {
    load();
    addIssue("Pallet short");
    addComment("005N", "First");
    addComment("005N", "Second");

    clickRow(ui.lstDiscussions, 10, "002");  // a stored open issue: group, type and follow-up
    ui.cmdEditDiscussion.userClick();
    ui.DTPckrFollowUpDate.userSetDate(makeDateTime(2026, 12, 24));
    ui.cmdAddDiscussion.userClick();

    clickRow(ui.lstDiscussions, 10, "003");
    ui.cmdCloseDiscussion.userClick();
    ui.txtDiscussionResolution.userType("Delivered, it's fine");
    ui.cmdCloseDiscussion.userClick();

    addComment("001", "On a stored issue");

    clickRow(ui.lstDiscussions, 10, "003");  // comment 5 moves from 003 to 001
    const double from = ui::ListView::rowCentre(indexOf(ui.lstComments, 4, "5"));
    const double onto = ui::ListView::rowCentre(indexOf(ui.lstDiscussions, 10, "001"));
    ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, from);
    ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, from);
    ui.lstDiscussions.userDragOver(0, onto);
    ui.lstDiscussions.userDrop(0, onto);
    ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;

    control.SaveData();
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(ui.mousePointer(), MousePointer::Default);
    EXPECT_EQ(control.SaveDataToIIS("~"), "") << "a second save has nothing to send";

    const auto issue = [&](const char* sequence, const char* column) {
        return stored(std::string("SELECT ") + column +
                      " FROM OrderDiscussion WHERE OrderID='PO1001' AND IssueSequence=" + sequence);
    };
    const auto comment = [&](const char* sequence, const char* column) {
        return stored(
            std::string("SELECT ") + column +
            " FROM OrderDiscussionComment WHERE OrderID='PO1001' AND CommentSequence=" + sequence);
    };
    EXPECT_EQ(issue("5", "IssueDescription"), "Pallet short");
    EXPECT_EQ(issue("5", "Resolution"), "NULL");
    EXPECT_EQ(issue("2", "IssueFollowUp"), "Dec, 24 2026");
    EXPECT_EQ(issue("3", "Resolution"), "Delivered, it's fine");
    EXPECT_EQ(issue("3", "ResolvedBy"), "Clerk Kent");
    EXPECT_EQ(comment("7", "CommentDescription") + "|" + comment("7", "IssueSequence"), "First|5");
    EXPECT_EQ(comment("8", "CommentDescription") + "|" + comment("8", "IssueSequence"), "Second|5");
    EXPECT_EQ(comment("9", "CommentDescription") + "|" + comment("9", "IssueSequence"),
              "On a stored issue|1");
    EXPECT_EQ(comment("5", "IssueSequence"), "1");
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE OrderID='PO1001'"), "5");
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussionComment WHERE OrderID='PO1001'"), "9");
    EXPECT_EQ(stored("SELECT OpenProblemExists FROM OrderHeader WHERE OrderID='PO1001'"), "1");

    load();
    EXPECT_EQ(ui.lstDiscussions.count(), 5);
    EXPECT_NE(indexOf(ui.lstDiscussions, 10, "005"), 0);
    EXPECT_EQ(control.SaveDataToIIS("~"), "") << "a load marks nothing";
}

TEST_P(SaveRoad, ThePlaceholderIsStoredByASaveWithNoOtherChange) {
    load("PO1003");
    control.SaveData();
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription FROM OrderDiscussion WHERE "
                     "OrderID='PO1003'"),
              "0|Miscellaneous order comments (not a problem)");
    EXPECT_EQ(stored("SELECT OpenProblemExists FROM OrderHeader WHERE OrderID='PO1003'"), "0");
}

// An order without stored issues: the first issue and its comment number from nothing.
TEST_P(SaveRoad, TheFirstIssueOfAnOrderAndItsCommentAreStoredAndReload) {
    load("PO1003");
    addIssue("First trouble");
    addComment("001N", "First word");

    control.SaveData();
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription FROM OrderDiscussion WHERE "
                     "OrderID='PO1003' ORDER BY 1"),
              "0|Miscellaneous order comments (not a problem)\n1|First trouble");
    EXPECT_EQ(stored("SELECT CommentSequence, IssueSequence, CommentDescription FROM "
                     "OrderDiscussionComment WHERE OrderID='PO1003'"),
              "1|1|First word");

    load("PO1003");
    EXPECT_EQ(ui.lstDiscussions.count(), 2);
    EXPECT_NE(indexOf(ui.lstDiscussions, 10, "001"), 0);
    EXPECT_EQ(control.SaveDataToIIS("~"), "") << "a load marks nothing";
}

TEST_P(SaveRoad, AServerErrorIsShownStoresNothingAndTheNextSaveSendsItAgain) {
    load();
    addIssue("Crate dented");
    addComment("005N", "Photos taken");
    execute(commentsClosed(GetParam()).close);

    control.SaveData();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    EXPECT_EQ(host.messageBox.shown()[0].title, "Velmora Messaging");
    EXPECT_FALSE(host.messageBox.shown()[0].text.empty());
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE OrderID='PO1001'"), "4");
    EXPECT_TRUE(marked(*control.state().DiscussionTable, "IssueSequence", "005N"));
    EXPECT_TRUE(marked(*control.state().CommentTable, "DiscussionCommentSequence", "007N"));

    execute(commentsClosed(GetParam()).reopen);
    host.messageBox.clear();
    control.SaveData();
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE IssueDescription='Crate dented'"),
              "1");
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussionComment WHERE "
                     "CommentDescription='Photos taken'"),
              "1");
}

TEST_P(SaveRoad, ARefusedTransferIsReportedAndTheRowsStayMarked) {
    load();
    addComment("002", "Called again");
    const int port = std::stoi(demo->url.substr(demo->url.rfind(':') + 1));
    demo->server.stop();

    control.SaveData();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    EXPECT_EQ(host.messageBox.shown()[0].text, "Error During saving to Database");
    EXPECT_TRUE(marked(*control.state().CommentTable, "DiscussionCommentSequence", "007N"));

    demo->server.start("127.0.0.1", port);
    host.messageBox.clear();
    control.SaveData();
    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussionComment WHERE "
                     "CommentDescription='Called again'"),
              "1");
}

INSTANTIATE_TEST_SUITE_P(Backends, SaveRoad, test::kBackends, test::backendName);

}  // namespace
}  // namespace jex
