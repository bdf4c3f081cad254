#include <gtest/gtest.h>

#include "control/dispatch_table.h"
#include "control/headless_services.h"
#include "support/error_of.h"

namespace jex {
namespace {

std::vector<double> columnWidths(const ui::ListView& list) {
    std::vector<double> widths;
    for (const ui::ColumnHeader& column : list.columns()) widths.push_back(column.width);
    return widths;
}

std::vector<std::string> columnCaptions(const ui::ListView& list) {
    std::vector<std::string> captions;
    for (const ui::ColumnHeader& column : list.columns()) captions.push_back(column.caption);
    return captions;
}

struct ControlFixture : ::testing::Test {
    HeadlessServices host;
    std::unique_ptr<JEXPODiscussionsXML> control;

    void create(ControlOptions options = {}) {
        control = std::make_unique<JEXPODiscussionsXML>(host.services(), std::move(options));
    }
    DiscussionScreen& ui() { return control->screen(); }
    const ControlState& state() { return control->state(); }
};

TEST_F(ControlFixture, StartUp_leavesTheScreenAndStateAsTheHostExpects) {
    create({.listWidths = {}, .version = {2, 3, 45}});

    EXPECT_EQ(state().CurrentUserName, "Unknown");
    EXPECT_TRUE(ui().frameIssue.visible());
    EXPECT_FALSE(ui().frameComment.visible());
    EXPECT_FALSE(ui().cmdAddComment.enabled());
    EXPECT_FALSE(ui().cmdAddDiscussion.enabled());
    EXPECT_FALSE(ui().cmdCloseDiscussion.enabled());
    EXPECT_EQ(ui().lblVersionNumber.caption(), "Version number: 2.3.45");
    EXPECT_EQ(ui().DTPckrFollowUpDate.customFormat(), "MMM, dd yyyy");
    EXPECT_FALSE(ui().DTPckrFollowUpDate.visible());
    EXPECT_EQ(ui().tabPODiscussion.tabs(),
              (std::vector<std::string>{"Discussion Issues", "Discussion Comments"}));
    ASSERT_TRUE(state().DiscussionTable && state().CommentTable);
    EXPECT_FALSE(state().DiscussionTable->isOpen());
    EXPECT_EQ(state().DiscussionTable->fieldCount(), 17);
    EXPECT_EQ(state().CommentTable->fieldCount(), 18);
    EXPECT_TRUE(host.messageBox.shown().empty());
}

TEST_F(ControlFixture, StartUp_versionLabelReadsTheProjectVersionByDefault) {
    create();
    EXPECT_EQ(ui().lblVersionNumber.caption(), "Version number: 1.0.0");
}

TEST_F(ControlFixture, Columns_areSharesOfEachListsOwnWidth) {
    create({.listWidths = {{"lstDiscussions", 7000},
                           {"lstDiscussionsView", 5600},
                           {"lstComments", 4800},
                           {"lstCommentsView", 4800}}});

    EXPECT_EQ(columnWidths(ui().lstDiscussions),
              (std::vector<double>{1000, 2625, 875, 875, 1750, 1750, 1750, 1750, 0, 0, 0, 0, 0}));
    EXPECT_EQ(columnWidths(ui().lstDiscussionsView),
              (std::vector<double>{800, 2100, 700, 700, 1400, 1400, 1400, 1400, 0, 0, 0, 0, 0}));
    EXPECT_EQ(columnWidths(ui().lstComments),
              (std::vector<double>{1800, 1200, 1200, 1200, 0, 0, 0, 800, 800, 600, 0, 0, 0, 0}));
    EXPECT_EQ(
        columnCaptions(ui().lstCommentsView),
        (std::vector<std::string>{"Description", "Entered By", "Entered Date", "Type",
                                  "DiscussionCommentID", "DiscussionID", "RecordLastUpdated",
                                  "FocusCenter", "CenterFollowUp", "FocusPurchasing", "CSCFollowUp",
                                  "FocusAccounting", "FocusBillinging", "FocusJEXD"}));
    EXPECT_EQ(columnCaptions(ui().lstDiscussions).at(10), "DiscussionID");
}

TEST_F(ControlFixture, Columns_ofAWideListDoNotOverflowAndStartUpCompletes) {
    create({.listWidths = {{"lstDiscussions", 20000}}});

    EXPECT_TRUE(host.messageBox.shown().empty());
    EXPECT_EQ(columnWidths(ui().lstDiscussions).at(1), 7500);
    EXPECT_EQ(ui().tabPODiscussion.count(), 2);  // start-up ran to its end
}

TEST_F(ControlFixture, Columns_roundTheListWidthHalfToEven) {
    create({.listWidths = {{"lstDiscussions", 7000.5}, {"lstComments", 7001.5}}});
    EXPECT_EQ(columnWidths(ui().lstDiscussions).at(0), 1000);     // W = 7000
    EXPECT_EQ(columnWidths(ui().lstComments).at(1), 7002.0 / 4);  // W = 7002
}

TEST_F(ControlFixture, UserName_splitsNameIdentifierAndType) {
    create();
    for (const char* text : {"Ann Smith|4711|2", "Ann Smith|4711|2|extra"}) {
        control->setUserName(text);
        EXPECT_EQ(state().CurrentUserName, "Ann Smith");
        EXPECT_EQ(state().CurrentPersonID, "4711");
        EXPECT_EQ(state().CurrentPersonType, 2);
        EXPECT_EQ(state().UserName, text);
    }
}

TEST_F(ControlFixture, UserName_failuresKeepWhatWasStoredBeforeThem) {
    struct Case {
        const char* text;
        int32_t error;
        const char* name;
        const char* id;
    };
    const Case cases[] = {
        {"", err::SubscriptOutOfRange, "Unknown", ""},
        {"Bob", err::SubscriptOutOfRange, "Bob", ""},
        {"Bob|77", err::SubscriptOutOfRange, "Bob", "77"},
        {"Bob|77|clerk", err::TypeMismatch, "Bob", "77"},
        {"Bob|77|70000", err::Overflow, "Bob", "77"},
    };
    for (const Case& c : cases) {
        create();
        try {
            control->setUserName(c.text);
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), c.error) << c.text;
        }
        EXPECT_EQ(state().CurrentUserName, c.name) << c.text;
        EXPECT_EQ(state().CurrentPersonID, c.id) << c.text;
        EXPECT_EQ(state().UserName, "") << c.text;
        EXPECT_TRUE(host.messageBox.shown().empty()) << "property errors go to the host";
    }
}

TEST_F(ControlFixture, ViewMode_outOfRangeOverflowsAndKeepsTheOldMode) {
    create();
    control->setViewMode(2);
    EXPECT_THROW(control->setViewMode(70000), Error);
    EXPECT_EQ(control->viewMode(), 2);
    control->setViewMode(-32768);
    EXPECT_EQ(control->viewMode(), -32768);
}

TEST_F(ControlFixture, ReportError_showsAndLogsTheFixedText) {
    create();
    control->LetDiscussions();  // no document loaded yet

    const std::string expected =
        "\r\n\r\nError Number - 91\r\n"
        "Error Description - Object variable or With block variable not set\r\n"
        "Error Source - JEXDiscussionsXML LetDiscussions\r\n"
        "Project Associated - JEXPODiscussionsXML";
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    const MessageBoxRequest& box = host.messageBox.shown()[0];
    EXPECT_EQ(box.text, expected);
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::None);
    EXPECT_EQ(box.title, "");
    EXPECT_EQ(host.eventLog.entries(), std::vector<std::string>{expected});
}

TEST_F(ControlFixture, Dispatch_reachesEveryMemberByIdAndName) {
    create();
    EXPECT_EQ(dispatchMembers().size(), 17u);
    EXPECT_EQ(dispidOf("loaddata"), 0x60030039);
    EXPECT_EQ(dispidOf("StringToArray"), 0x6003003B);
    EXPECT_EQ(dispidOf("NoSuchMember"), std::nullopt);

    const Value mode[] = {Value("2")};
    invoke(*control, 0x68030001, InvokeKind::PropertyPut, mode);
    EXPECT_EQ(invoke(*control, 0x68030001, InvokeKind::PropertyGet, {}), Value(int32_t{2}));

    const Value user[] = {Value("Eve|1|3")};
    invoke(*control, *dispidOf("UserName"), InvokeKind::PropertyPut, user);
    EXPECT_EQ(state().CurrentPersonType, 3);
}

TEST_F(ControlFixture, Dispatch_refusesWhatTheInterfaceDoesNotHave) {
    create();
    auto errorOf = [&](int32_t dispid, InvokeKind kind, std::vector<Value> args) {
        return test::errorOf([&] { invoke(*control, dispid, kind, args); });
    };
    EXPECT_EQ(errorOf(0x12345678, InvokeKind::Method, {}), kMemberNotFound);
    EXPECT_EQ(errorOf(0x68030000, InvokeKind::PropertyGet, {}), kMemberNotFound);  // write-only
    EXPECT_EQ(errorOf(0x60030039, InvokeKind::Method, {Value("x")}), kBadParamCount);
    EXPECT_EQ(errorOf(0x68030001, InvokeKind::PropertyPut, {Value("many")}), err::TypeMismatch);
    EXPECT_EQ(errorOf(0x68030000, InvokeKind::PropertyPut, {Value("")}), err::SubscriptOutOfRange);
}

}  // namespace
}  // namespace jex
