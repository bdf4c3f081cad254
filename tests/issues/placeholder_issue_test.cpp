// The placeholder issue that an order without issues gets on loading, from hand-written
// documents and a clock set to the moment of the load.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "control/headless_services.h"
#include "support/fixed_page_server.h"

namespace jex {
namespace {

using Entries = std::vector<std::array<std::string, 3>>;

const Entries kGroups = {{"1", "Center", "3"},
                         {"2", "Purchasing", "5"},
                         {"3", "Accounting", "7"},
                         {"4", "Miscellaneous", "14"},
                         {"5", "Spare", "1"}};
const Entries kTypes = {{"1", "Damaged Goods", "1"}, {"0", "General Note", "4"}};

// A document without issues or comments.
std::string document(const Entries& types = kTypes, const Entries& groups = kGroups) {
    const auto records = [](const Entries& entries) {
        std::string text;
        for (const auto& [a, b, c] : entries)
            text += "<r><a>" + a + "</a><b>" + b + "</b><c>" + c + "</c></r>";
        return text;
    };
    return "<root><t>" + records(types) + "</t><g>" + records(groups) +
           "</g><p><r><n>High</n></r><r><n>Medium</n></r><r><n>Low</n></r></p>"
           "<c><r><c/><d>Memo</d></r></c><i/><m/></root>";
}

struct PlaceholderIssue : ::testing::Test {
    void load(const std::string& body) {
        test::FixedPageServer page(body);
        control.LoadData(page.url(), "PO9");
    }
    const ui::ListItem& placeholder() const { return *ui.lstDiscussions.items().front(); }
    RecordTable& issue() {
        RecordTable& table = *control.state().DiscussionTable;
        table.moveFirst();
        return table;
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_F(PlaceholderIssue, Placeholder_isAResolvedNewIssueMarkedForSaving) {
    host.clock.set(makeDateTime(2014, 1, 5, 14, 3, 9));
    control.setUserName("Ann Lee|4711|2");
    load(document());
    EXPECT_TRUE(host.messageBox.shown().empty());

    ASSERT_EQ(ui.lstDiscussions.count(), 1);
    EXPECT_EQ(ui.lstDiscussions.selectedItem().get(), &placeholder());
    struct Field {
        const char* name;
        Value value;
        int column;  // -1: not shown in the list
    };
    const Field fields[] = {
        {"IssueSequence", Value("000N"), 10},
        {"OrderID", Value(), -1},
        {"Type", Value(int16_t{0}), -1},
        {"Priority", Value(int16_t{3}), -1},
        {"IssueDate", Value("Jan 05, 2014 14:03:09"), 5},
        {"EnteredBy", Value("Ann Lee"), 4},
        {"IssueDescription", Value("Miscellaneous order comments (not a problem)"), 8},
        {"ResolvedDate", Value("Jan 05, 2014 14:03:09"), 7},
        {"ResolvedBy", Value("Ann Lee"), 6},
        {"Resolution",
         Value("This is a placeholder issue for non-problem order comments (and therefore "
               "doesn't need to be resolved)"),
         9},
        {"RecordLastUpdated", Value("Jan 05, 2014 14:03:09"), 11},
        {"IssueFollowUp", Value("Jan 19, 2014 00:00:00"), 12},
        {"IsUpdated", Value(true), -1},
        {"EnteredByPersonID", Value(), -1},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(issue().field(f.name), f.value) << f.name;
        if (f.column < 0) continue;
        EXPECT_EQ(placeholder().column(f.column), f.value.toText()) << f.name;
    }
    EXPECT_EQ(placeholder().column(2), "Closed");
    EXPECT_EQ(placeholder().column(3), "Low");
    EXPECT_EQ(control.state().NextIssueSequence, 1);
    EXPECT_EQ(ui.txtFollowUp.text(), "Jan 19, 2014 00:00:00");
    EXPECT_FALSE(ui.cmdEditDiscussion.enabled());
    EXPECT_FALSE(ui.cmdDeleteDiscussion.enabled());
}

TEST_F(PlaceholderIssue, FollowUp_isTwoWeeksAfterTodayAtMidnight) {
    const std::pair<DateTime, const char*> cases[] = {
        {makeDateTime(2014, 1, 20, 8, 0, 0), "Feb 03, 2014 00:00:00"},
        {makeDateTime(2026, 12, 25, 23, 59, 59), "Jan 08, 2027 00:00:00"},
        {makeDateTime(2024, 2, 20, 12, 0, 0), "Mar 05, 2024 00:00:00"},
        {makeDateTime(2026, 2, 20, 12, 0, 0), "Mar 06, 2026 00:00:00"},
    };
    for (const auto& [now, followUp] : cases) {
        host.clock.set(now);
        load(document());
        EXPECT_EQ(placeholder().column(12), followUp);
        EXPECT_EQ(placeholder().column(5), formatDate(now, DatePattern::TimeStamp));
        EXPECT_EQ(placeholder().column(10), "000N") << "each order without issues starts at 0";
    }
}

// Without a fourth group the placeholder takes the last one, without a type of code 0 the
// first type, and empty texts when there are none; no error either way.
TEST_F(PlaceholderIssue, Placeholder_makesDoWithFewerGroupsAndTypes) {
    struct Case {
        const char* name;
        Entries groups, types;
        const char* group;
        const char* type;
        int16_t code;
    };
    const Entries fourGroups(kGroups.begin(), kGroups.begin() + 4);
    const Entries twoGroups(kGroups.begin(), kGroups.begin() + 2);
    const Case cases[] = {
        {"four groups", fourGroups, kTypes, "Miscellaneous", "General Note", 0},
        {"two groups", twoGroups, kTypes, "Purchasing", "General Note", 0},
        {"no group", {}, kTypes, "", "General Note", 0},
        {"no type 0",
         kGroups,
         {{"3", "Late", "1"}, {"4", "Early", "1"}},
         "Miscellaneous",
         "Late",
         3},
        {"code 0 as a number",
         kGroups,
         {{"5", "Late", "1"}, {"00", "Zero", "1"}},
         "Miscellaneous",
         "Zero",
         0},
        {"no type", kGroups, {}, "Miscellaneous", "", 0},
    };
    for (const Case& c : cases) {
        host.messageBox.clear();
        load(document(c.types, c.groups));
        for (const MessageBoxRequest& box : host.messageBox.shown()) {
            EXPECT_EQ(box.text.find("SetDefaultIssue"), std::string::npos) << c.name;
        }
        EXPECT_EQ(placeholder().column(0), c.group) << c.name;
        EXPECT_EQ(placeholder().column(1), c.type) << c.name;
        EXPECT_EQ(issue().field("Type"), Value(c.code)) << c.name;
    }
}

}  // namespace
}  // namespace jex
