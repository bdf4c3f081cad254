// The control shell: start-up, the list columns, the user property and the error reporter. The
// dispatch road and the property errors seen by a host are in tests/host.
#include <gtest/gtest.h>

#include <sstream>

#include "control/dispatch_table.h"
#include "control/headless_services.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

// "caption width" of every column of a list, "|" between columns.
std::string columns(const ui::ListView& list) {
    std::ostringstream text;
    for (const ui::ColumnHeader& column : list.columns())
        text << column.caption << " " << column.width << "|";
    return text.str();
}

struct ControlShell : ::testing::Test {
    void create(ControlOptions options = {}) {
        control = std::make_unique<JEXPODiscussionsXML>(host.services(), std::move(options));
    }
    DiscussionScreen& ui() { return control->screen(); }
    const ControlState& state() { return control->state(); }

    HeadlessServices host;
    std::unique_ptr<JEXPODiscussionsXML> control;
};

// Before a load there is nothing to export (the commands are off: the host's session and the
// issue and comment cases fail if not); what needs a document reports the fixed text (the box's
// buttons, icon and title, and the log entry, are checked through the host). The dispatch refuses
// what the interface does not have. Each list's width rounds half to even (16800.5 and 16799.5 to
// 16800) before the column shares are taken, and a share of so wide a list is past 16 bits before
// its division.
TEST_F(ControlShell, FreshControl_hasCaptionedColumnsNothingToExportReportsAndDispatches) {
    create({.listWidths = {{"lstDiscussions", 16800.5},
                           {"lstDiscussionsView", 16800},
                           {"lstComments", 16799.5},
                           {"lstCommentsView", 16800}}});
    const std::string issueColumns =
        "Group 2400|Type 6300|Status 2100|Priority 2100|Entered By 4200|Entered Date 4200|"
        "Resolved By 4200|Resolved Date 4200|Description 0|Resolution 0|DiscussionID 0|"
        "RecordLastUpdated 0|FollowUp 0|";
    const std::string commentColumns =
        "Description 6300|Entered By 4200|Entered Date 4200|Type 4200|DiscussionCommentID 0|"
        "DiscussionID 0|RecordLastUpdated 0|FocusCenter 2800|CenterFollowUp 2800|"
        "FocusPurchasing 2100|CSCFollowUp 0|FocusAccounting 0|FocusBillinging 0|FocusJEXD 0|";
    EXPECT_EQ(columns(ui().lstDiscussions), issueColumns);
    EXPECT_EQ(columns(ui().lstDiscussionsView), issueColumns);
    EXPECT_EQ(columns(ui().lstComments), commentColumns);
    EXPECT_EQ(columns(ui().lstCommentsView), commentColumns);
    EXPECT_EQ(ui().lblVersionNumber.caption(), "Version number: 1.0.0") << "the project's version";
    EXPECT_TRUE(ui().frameIssue.visible() && !ui().frameComment.visible());
    EXPECT_FALSE(state().DiscussionTable->isOpen()) << "the first load opens it";
    EXPECT_EQ(control->GetDiscussions("|", ";") + control->GetComments("|", ";"), "");
    EXPECT_TRUE(host.messageBox.shown().empty()) << "nothing to export is no error";

    control->LetDiscussions();
    ASSERT_EQ(host.messageBox.shown().size(), 1u);
    EXPECT_EQ(host.messageBox.shown()[0].text,
              "\r\n\r\nError Number - 91\r\n"
              "Error Description - Object variable or With block variable not set\r\n"
              "Error Source - JEXDiscussionsXML LetDiscussions\r\n"
              "Project Associated - JEXPODiscussionsXML");

    const auto invoked = [&](int32_t dispid, InvokeKind kind, std::vector<Value> args) {
        return errorOf([&] { invoke(*control, dispid, kind, args); });
    };
    EXPECT_EQ(invoked(0x12345678, InvokeKind::Method, {}), kMemberNotFound);
    EXPECT_EQ(invoked(0x68030000, InvokeKind::PropertyGet, {}), kMemberNotFound);  // write-only
    EXPECT_EQ(invoked(0x68030001, InvokeKind::PropertyPut, {Value("many")}), err::TypeMismatch);
}

TEST_F(ControlShell, UserName_splitsNameIdentifierAndTypeAndAFailureKeepsWhatCameBefore) {
    struct Case {
        const char* text;
        int32_t error;
        const char* kept;  // name|identifier|type as the control holds them
    };
    // clang-format off
    const Case cases[] = {
        {"Ann Smith|4711|2|extra", 0, "Ann Smith|4711|2"},
        {"", err::SubscriptOutOfRange, "Unknown||0"},
        {"Bob", err::SubscriptOutOfRange, "Bob||0"},
        {"Bob|77", err::SubscriptOutOfRange, "Bob|77|0"},
        {"Bob|77|clerk", err::TypeMismatch, "Bob|77|0"},
        {"Bob|77|70000", err::Overflow, "Bob|77|0"},
    };
    // clang-format on
    for (const Case& c : cases) {
        create();
        EXPECT_EQ(errorOf([&] { control->setUserName(c.text); }), c.error) << c.text;
        EXPECT_EQ(state().CurrentUserName + "|" + state().CurrentPersonID + "|" +
                      std::to_string(state().CurrentPersonType),
                  c.kept);
        EXPECT_EQ(state().UserName, c.error ? "" : c.text) << c.text;
        EXPECT_TRUE(host.messageBox.shown().empty()) << "property errors go to the host";
    }
}

}  // namespace
}  // namespace jex
