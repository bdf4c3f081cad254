// The placeholder issue of an order without issues, beyond the row that the display road
// checks: what the table keeps for saving, the follow-up date, and vocabularies short of what
// it picks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using test::Fields;

// The fourth group is not the last, the type of code 0 not the first.
const std::vector<Fields> kGroups = {{"1", "Center", "3"},
                                     {"2", "Purchasing", "5"},
                                     {"3", "Accounting", "7"},
                                     {"4", "Miscellaneous", "14"},
                                     {"5", "Spare", "1"}};
const std::vector<Fields> kTypes = {{"1", "Damaged Goods", "1"}, {"0", "General Note", "4"}};

std::string document(const std::vector<Fields>& types = kTypes,
                     const std::vector<Fields>& groups = kGroups) {
    return test::Document{.types = types, .groups = groups, .priorities = {"High", "Medium", "Low"}}
        .xml();
}

struct PlaceholderIssue : ::testing::Test, test::ControlSession {
    const ui::ListItem& placeholder() const { return *ui.lstDiscussions.item(1); }
    RecordTable& issue() {
        RecordTable& table = *control.state().DiscussionTable;
        table.moveFirst();
        return table;
    }
};

// The follow-up is two weeks after today at midnight, across leap and common Februaries.
TEST_F(PlaceholderIssue, Table_holdsWhatTheRowShowsWithTheCodesOfTypeAndPriority) {
    const std::pair<DateTime, const char*> cases[] = {
        {makeDateTime(2024, 2, 20, 12, 0, 0), "Mar 05, 2024 00:00:00"},
        {makeDateTime(2026, 2, 20, 23, 59, 59), "Mar 06, 2026 00:00:00"},
    };
    const std::pair<const char*, int> shown[] = {
        {"IssueSequence", 10},   {"IssueDate", 5},          {"EnteredBy", 4},
        {"IssueDescription", 8}, {"ResolvedDate", 7},       {"ResolvedBy", 6},
        {"Resolution", 9},       {"RecordLastUpdated", 11}, {"IssueFollowUp", 12}};
    for (const auto& [now, followUp] : cases) {
        host.clock.set(now);
        load(document());
        ASSERT_EQ(ui.lstDiscussions.count(), 1);
        EXPECT_EQ(placeholder().column(12), followUp);
        EXPECT_EQ(ui.txtFollowUp.text(), followUp);
        for (const auto& [field, column] : shown) {
            EXPECT_EQ(issue().field(field).toText(), placeholder().column(column)) << field;
        }
        EXPECT_EQ(issue().field("Type"), Value(int16_t{0}));
        EXPECT_EQ(issue().field("Priority"), Value(int16_t{3})) << "the last priority";
        EXPECT_TRUE(issue().field("OrderID").isEmpty());
    }
}

// Without a fourth group the placeholder takes the last one, without a type of code 0 the
// first type, and empty texts when there are none; no error either way.
TEST_F(PlaceholderIssue, Placeholder_makesDoWithFewerGroupsAndTypes) {
    struct Case {
        std::vector<Fields> groups, types;
        const char* group;
        const char* type;
        int16_t code;
    };
    const std::vector<Fields> four(kGroups.begin(), kGroups.begin() + 4);
    const std::vector<Fields> two(kGroups.begin(), kGroups.begin() + 2);
    const std::vector<Fields> noZero = {{"3", "Late", "1"}, {"4", "Early", "1"}};
    const std::vector<Fields> zeroAsNumber = {{"5", "Late", "1"}, {"00", "Zero", "1"}};
    const Case cases[] = {
        {four, kTypes, "Miscellaneous", "General Note", 0},
        {two, kTypes, "Purchasing", "General Note", 0},
        {{}, kTypes, "", "General Note", 0},
        {kGroups, noZero, "Miscellaneous", "Late", 3},
        {kGroups, zeroAsNumber, "Miscellaneous", "Zero", 0},
        {kGroups, {}, "Miscellaneous", "", 0},
    };
    for (const Case& c : cases) {
        load(document(c.types, c.groups));
        const std::string label = std::string(c.group) + "/" + c.type;
        for (const std::string& report : reports()) {
            EXPECT_EQ(report.find("SetDefaultIssue"), std::string::npos) << label;
        }
        EXPECT_EQ(placeholder().column(0), c.group) << label;
        EXPECT_EQ(placeholder().column(1), c.type) << label;
        EXPECT_EQ(issue().field("Type"), Value(c.code)) << label;
    }
}

}  // namespace
}  // namespace jex
