// The vocabularies as the loaders leave them on the screen; the look-ups are seen through the
// type picker and the placeholder issue, which use them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using test::Document;

std::vector<std::string> menuCaptions(const ui::PopupMenu& menu) {
    std::vector<std::string> captions;
    for (const auto& [index, item] : menu.items()) captions.push_back(item.caption);
    return captions;
}

const Document kThreeOfEach = {
    .types = {{"1", "T1", "1"}, {"2", "T2", "2"}, {"3", "T3", "1"}},
    .groups = {{"1", "Alpha", "3"}, {"2", "Beta", "5"}},
    .priorities = {"High", "Medium", "Low"},
    .commentTypes = {"Note", "Call", "Email"},
};

struct LookupLists : ::testing::Test, test::ControlSession {};

// The type picker shows the types of GroupIndex(picker text); the placeholder issue stores
// TypeIndex of the type with code 0 and PriorityIndex of the last priority. An issue of type 0
// puts its group into the picker as the list is drawn.
TEST_F(LookupLists, Lookups_takeTheFirstExactMatch) {
    struct Case {
        std::vector<std::string> typePicker;
        int16_t type, priority;
        Document document;
    };
    // clang-format off
    const Case cases[] = {
        {{"general", "General"}, 0, 1, {.types = {{"7", "general", "1"}, {"0", "General", "1"}}}},
        {{"Note", "Note"}, 5, 1, {.types = {{"5", "Note", "1"}, {"0", "Note", "1"}}}},
        {{}, 0, 1, {.types = {}}},
        {{"General Note"}, 0, 2, {.priorities = {"low", "Low"}}},
        {{"General Note"}, 0, 1, {.priorities = {"A", "B", "A"}}},
        {{"Upper"}, 0, 1, {.types = {{"0", "Upper", "2"}, {"1", "Lower", "1"}},
                           .groups = {{"1", "Alpha", "3"}, {"2", "ALPHA", "3"}},
                           .issues = {test::issueRecord("1")}}},
        {{"One"}, 0, 1, {.types = {{"0", "One", "1"}, {"1", "Two", "2"}},
                         .groups = {{"1", "Same", "3"}, {"2", "Same", "3"}}}},
        {{"Padded"}, 0, 1, {.types = {{"0", "Padded", "01"}}}},  // group codes compare as numbers
    };
    // clang-format on
    for (int i = 0; const Case& c : cases) {
        SCOPED_TRACE(i++);
        load(c.document.xml());
        EXPECT_EQ(ui.cboDiscussionType.items(), c.typePicker);
        RecordTable& issues = *control.state().DiscussionTable;
        issues.moveFirst();
        EXPECT_EQ(issues.field("Type"), Value(c.type));
        EXPECT_EQ(issues.field("Priority"), Value(c.priority));
    }
}

// The group picker starts on the first group, whose types the type picker shows. Each case
// loads after a complete order: a missing section keeps what that order left, a shorter one
// replaces it.
TEST_F(LookupLists, Loaders_fillThePickersAndAReloadReplacesThemOrReportsWhatIsMissing) {
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> reports;
        int groups;
        std::vector<std::string> menu;
    };
    Document noGroups = kThreeOfEach, noTypes = kThreeOfEach, noComments = kThreeOfEach,
             noPriorities = kThreeOfEach;
    noGroups.groups.clear();
    noTypes.types.clear();
    noComments.commentTypes.clear();
    noPriorities.priorities.clear();
    const Document fewer = {{{"0", "Only", "9"}}, {{"9", "Solo", "1"}}, {"Urgent"}, {"Memo"}};
    const std::vector<std::string> three = kThreeOfEach.priorities;
    // clang-format off
    const Case cases[] = {
        {"fewer", fewer.xml(), {}, 1, {"Urgent"}},
        {"groups", noGroups.xml(), {"DiscussionGroups 380"}, 0, three},
        {"types", noTypes.xml(), {"DisplayDiscussionTypes 380"}, 2, three},
        {"comment types", noComments.xml(), {"CommentTypes 380"}, 2, three},
        {"priorities", noPriorities.xml(), {}, 2, {""}},
        {"every section", "<root/>", {"DiscussionTypes 91", "DiscussionGroups 91",
         "DiscussionPriorities 91", "CommentTypes 91", "LetDiscussions 91", "LetComments 91"}, 2,
         three},
    };
    // clang-format on
    load(kThreeOfEach.xml());
    EXPECT_EQ(reports(), std::vector<std::string>{});
    EXPECT_EQ(ui.cboDiscussionGroup.items(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(ui.cboDiscussionGroup.listIndex(), 0);
    EXPECT_EQ(ui.cboDiscussionType.items(), (std::vector<std::string>{"T1", "T3"}));
    EXPECT_EQ(ui.cboDiscussionType.listIndex(), -1) << "a chosen group leaves no type chosen";
    EXPECT_EQ(ui.cboCommentType.listIndex(), 0);
    for (const Case& c : cases) {
        load(kThreeOfEach.xml());
        load(c.body);
        EXPECT_EQ(reports(), c.reports) << c.name;
        EXPECT_EQ(ui.cboDiscussionGroup.listCount(), c.groups) << c.name;
        EXPECT_EQ(menuCaptions(ui.mnuPriority), c.menu) << c.name;
    }
    EXPECT_EQ(ui.cboCommentType.items(), kThreeOfEach.commentTypes);
}

}  // namespace
}  // namespace jex
