// Texts built to break out of the save's SQL, typed into every field the user or the host can
// set, saved to the discussion server and loaded again: they come back as typed, and no other
// order's rows change.
#include <gtest/gtest.h>

#include <string>

#include "control/headless_services.h"
#include "support/backend_store.h"
#include "support/demo_server.h"
#include "support/list_texts.h"
#include "support/sql_rows.h"

namespace jex {
namespace {

using test::clickRow;

// An apostrophe, a semicolon and a statement of its own; a field shorter than this gets as much
// of it as it holds.
const std::string kHostile = "O'Brien; '); DELETE FROM OrderHeader; --";
const std::string kOrder = kHostile.substr(0, 15);
const std::string kUserName = kHostile.substr(0, 35) + "|77|1";  // stored whole in 40
const std::string kPerson = kHostile.substr(0, 35);
constexpr std::size_t kFollowUpSize = 25;  // the follow-up boxes take no more

// Every row of the order tables but the hostile order's, as text.
std::string otherOrdersRows(server::SqlConnection& connection) {
    std::string text;
    for (const char* table : {"OrderHeader", "OrderDiscussion", "OrderDiscussionComment"}) {
        text += test::rows(connection, std::string("SELECT * FROM ") + table +
                                           " WHERE OrderID <> 'O''Brien; ''); DE' ORDER BY 1, 2");
    }
    return text;
}

// The first record of a table whose field holds value, or the table at its end.
RecordTable& findRow(RecordTable& table, const char* field, const std::string& value) {
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
        if (table.field(field).toText() == value) break;
    }
    return table;
}

struct InjectionRoad : ::testing::TestWithParam<test::Backend> {
    void SetUp() override {
        if (!store.skipReason().empty()) GTEST_SKIP() << store.skipReason();
        demo.emplace("injection-road", store.serverConnection());
        host.clock.set(makeDateTime(2026, 12, 5, 14, 7, 9));
        store.owner()->execute(
            "INSERT INTO OrderHeader (OrderID, VendorName, BuyerName, OrderDate) VALUES "
            "('O''Brien; ''); DE', 'V', 'B', 'Dec 01, 2026')");
        control.setUserName(kUserName);
    }
    void loadAs(bool corporate) {
        control.setCorporateLevel(corporate);
        control.LoadData(demo->url + "/", kOrder);
        ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    }
    void save() {
        control.SaveData();
        ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    }
    void editComment(ui::TextBox& followUp) {
        clickRow(ui.lstDiscussions, 10, "001");
        clickRow(ui.lstComments, 0, kHostile + " comment");
        ui.cmdCancelComment.userClick();
        followUp.userReplaceText(kHostile);
        ui.cmdAddComment.userClick();
    }

    test::BackendStore store{GetParam(), "injection-road"};
    std::optional<test::DemoServer> demo;
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_P(InjectionRoad, HostileTextsComeBackAsTypedAndTouchNoOtherOrder) {
    const std::string before = otherOrdersRows(*store.owner());

    loadAs(true);
    ui.cmdAddDiscussion.userClick();
    ui.cboDiscussionGroup.userSelect(2);
    ui.cboDiscussionType.userSelect(0);
    ui.txtDiscussionDescription.userType(kHostile + " issue");
    ui.cmdAddDiscussion.userClick();
    clickRow(ui.lstDiscussions, 10, "001N");
    ui.cmdAddComment.userClick();
    ui.cboCommentType.userSelect(1);
    ui.txtCommentDescription.userType(kHostile + " comment");
    ui.cmdAddComment.userClick();
    save();

    loadAs(true);  // a corporate user sets the CSC follow-up and resolves
    editComment(ui.txtCSCFollowUp);
    clickRow(ui.lstDiscussions, 10, "001");
    ui.cmdCloseDiscussion.userClick();
    ui.txtDiscussionResolution.userType(kHostile + " resolved");
    ui.cmdCloseDiscussion.userClick();
    save();

    loadAs(false);  // a center user sets the center follow-up
    editComment(ui.txtCenterFollowUp);
    save();

    loadAs(true);
    RecordTable& issue = findRow(*control.state().DiscussionTable, "IssueSequence", "001");
    ASSERT_FALSE(issue.atEnd());
    EXPECT_EQ(issue.field("OrderID").toText(), kOrder);
    EXPECT_EQ(issue.field("IssueDescription").toText(), kHostile + " issue");
    EXPECT_EQ(issue.field("Resolution").toText(), kHostile + " resolved");
    EXPECT_EQ(issue.field("EnteredBy").toText(), kUserName);
    EXPECT_EQ(issue.field("ResolvedBy").toText(), kPerson);
    RecordTable& comment =
        findRow(*control.state().CommentTable, "CommentDescription", kHostile + " comment");
    ASSERT_FALSE(comment.atEnd());
    EXPECT_EQ(comment.field("CommentEnteredBy").toText(), kUserName);
    EXPECT_EQ(comment.field("FollowupCSC").toText(), kHostile.substr(0, kFollowUpSize));
    EXPECT_EQ(comment.field("FollowupCenter").toText(), kHostile.substr(0, kFollowUpSize));

    EXPECT_EQ(otherOrdersRows(*store.owner()), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, InjectionRoad, test::kBackends, test::backendName);

}  // namespace
}  // namespace jex
