// The vocabularies as the loaders leave them on the screen; the look-ups are seen through the
// type picker and the placeholder issue, which use them.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "control/headless_services.h"
#include "support/fixed_page_server.h"

namespace jex {
namespace {

using Entries = std::vector<std::array<std::string, 3>>;

struct Vocabulary {
    Entries types = {};
    Entries groups = {};
    std::vector<std::string> priorities = {};
    std::vector<std::string> commentTypes = {};
    std::string issues = {};
};

std::string record(std::initializer_list<std::string> fields) {
    std::string text = "<r>";
    for (const std::string& field : fields) text += "<f>" + field + "</f>";
    return text + "</r>";
}

std::string document(const Vocabulary& v) {
    std::string text = "<root><t>";
    for (const auto& [code, description, group] : v.types)
        text += record({code, description, group});
    text += "</t><g>";
    for (const auto& [code, description, delay] : v.groups)
        text += record({code, description, delay});
    text += "</g><p>";
    for (const std::string& caption : v.priorities) text += record({caption});
    text += "</p><c>";
    for (const std::string& type : v.commentTypes) text += record({"", type});
    return text + "</c><i>" + v.issues + "</i><m/></root>";
}

const std::set<std::string> kLookupProcedures = {
    "DiscussionTypes", "DiscussionGroups",       "DiscussionPriorities",
    "CommentTypes",    "DisplayDiscussionTypes", "GroupIndex",
    "TypeIndex",       "PriorityIndex"};

// The reports of the lookup procedures, each as "<procedure> <error number>".
std::vector<std::string> lookupReports(const HeadlessMessageBox& boxes) {
    std::vector<std::string> found;
    for (const MessageBoxRequest& box : boxes.shown()) {
        const std::string& t = box.text;
        const auto end = t.find("\r\n", t.find("Error Source - "));
        const std::string name = t.substr(t.rfind(' ', end) + 1, end - t.rfind(' ', end) - 1);
        if (!kLookupProcedures.contains(name)) continue;
        found.push_back(name + " " + std::to_string(std::stoi(t.substr(t.find("Number - ") + 9))));
    }
    return found;
}

std::vector<std::string> menuCaptions(const ui::PopupMenu& menu) {
    std::vector<std::string> captions;
    for (const auto& [index, item] : menu.items()) captions.push_back(item.caption);
    return captions;
}

const Vocabulary kThreeOfEach = {
    .types = {{"1", "T1", "1"}, {"2", "T2", "2"}, {"3", "T3", "1"}},
    .groups = {{"1", "Alpha", "3"}, {"2", "Beta", "5"}},
    .priorities = {"High", "Medium", "Low"},
    .commentTypes = {"Note", "Call", "Email"},
};

struct LookupLists : ::testing::Test {
    void load(const std::string& body) {
        host.messageBox.clear();
        test::FixedPageServer page(body);
        control.LoadData(page.url(), "PO9");
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

TEST_F(LookupLists, Loaders_fillThePickersAndTheTypesOfTheFirstGroup) {
    load(document(kThreeOfEach));

    EXPECT_TRUE(host.messageBox.shown().empty());
    EXPECT_EQ(ui.cboDiscussionGroup.items(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(ui.cboDiscussionGroup.listIndex(), 0);
    EXPECT_EQ(ui.cboDiscussionType.items(), (std::vector<std::string>{"T1", "T3"}));
    EXPECT_EQ(ui.cboDiscussionType.listIndex(), -1) << "a chosen group leaves no type chosen";
    EXPECT_EQ(menuCaptions(ui.mnuPriority), kThreeOfEach.priorities);
    EXPECT_EQ(ui.mnuPriority.lowerBound(), 1);
    EXPECT_EQ(ui.cboCommentType.items(), kThreeOfEach.commentTypes);
    EXPECT_EQ(ui.cboCommentType.listIndex(), 0);
}

// The type picker shows the types of GroupIndex(picker text); the placeholder issue stores
// TypeIndex of the type with code 0 and PriorityIndex of the last priority. An issue of type 0
// puts its group into the picker as the list is drawn.
TEST_F(LookupLists, Lookups_takeTheFirstExactMatch) {
    struct Case {
        const char* name;
        Vocabulary vocabulary;
        std::vector<std::string> typePicker;
        int16_t type, priority;
    };
    const Entries group1 = {{"1", "G", "3"}};
    const std::string issueOfType0 = record({"1", "PO9", "0", "1"});
    const Case cases[] = {
        {"type letter case",
         {{{"7", "general", "1"}, {"0", "General", "1"}}, group1, {"P"}},
         {"general", "General"},
         0,
         1},
        {"equal types",
         {{{"5", "Note", "1"}, {"0", "Note", "1"}}, group1, {"P"}},
         {"Note", "Note"},
         5,
         1},
        {"no type", {{}, group1, {"P"}}, {}, 0, 1},
        {"priority letter case", {{{"0", "N", "1"}}, group1, {"low", "Low"}}, {"N"}, 0, 2},
        {"equal priorities", {{{"0", "N", "1"}}, group1, {"A", "B", "A"}}, {"N"}, 0, 1},
        {"group letter case",
         {{{"0", "Upper", "2"}, {"1", "Lower", "1"}},
          {{"1", "Alpha", "3"}, {"2", "ALPHA", "3"}},
          {"P"},
          {},
          issueOfType0},
         {"Upper"},
         0,
         1},
        {"equal groups",
         {{{"0", "One", "1"}, {"1", "Two", "2"}}, {{"1", "Same", "3"}, {"2", "Same", "3"}}, {"P"}},
         {"One"},
         0,
         1},
        {"group codes as numbers", {{{"0", "Padded", "01"}}, group1, {"P"}}, {"Padded"}, 0, 1},
    };
    for (const Case& c : cases) {
        load(document(c.vocabulary));
        EXPECT_EQ(ui.cboDiscussionType.items(), c.typePicker) << c.name;
        RecordTable& issues = *control.state().DiscussionTable;
        issues.moveFirst();
        EXPECT_EQ(issues.field("Type"), Value(c.type)) << c.name;
        EXPECT_EQ(issues.field("Priority"), Value(c.priority)) << c.name;
    }
}

TEST_F(LookupLists, Reload_showsOnlyTheNewOrdersVocabularies) {
    const Vocabulary fewer = {{{"0", "Only", "9"}}, {{"9", "Solo", "1"}}, {"Urgent"}, {"Memo"}};
    for (const Vocabulary* v : {&kThreeOfEach, &kThreeOfEach, &fewer, &kThreeOfEach}) {
        load(document(*v));
        EXPECT_TRUE(host.messageBox.shown().empty());
        EXPECT_EQ(ui.cboDiscussionGroup.listCount(), static_cast<int>(v->groups.size()));
        EXPECT_EQ(ui.cboDiscussionGroup.list(0), v->groups[0][1]);
        EXPECT_EQ(ui.cboDiscussionType.list(0), v->types[0][1]);
        EXPECT_EQ(menuCaptions(ui.mnuPriority), v->priorities);
        EXPECT_EQ(ui.cboCommentType.items(), v->commentTypes);
    }
}

// Each case loads after a complete order: a missing section keeps what that order left.
TEST_F(LookupLists, EmptyOrMissingSections_areReportedUnderTheLoadersName) {
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> reports;
        int groups;
        std::vector<std::string> menu;
    };
    Vocabulary noGroups = kThreeOfEach, noTypes = kThreeOfEach, noComments = kThreeOfEach,
               noPriorities = kThreeOfEach;
    noGroups.groups.clear();
    noTypes.types.clear();
    noComments.commentTypes.clear();
    noPriorities.priorities.clear();
    const std::vector<std::string> three = kThreeOfEach.priorities;
    const Case cases[] = {
        {"groups", document(noGroups), {"DiscussionGroups 380"}, 0, three},
        {"types", document(noTypes), {"DisplayDiscussionTypes 380"}, 2, three},
        {"comment types", document(noComments), {"CommentTypes 380"}, 2, three},
        {"priorities", document(noPriorities), {}, 2, {""}},
        {"every section",
         "<root/>",
         {"DiscussionTypes 91", "DiscussionGroups 91", "DiscussionPriorities 91",
          "CommentTypes 91"},
         2,
         three},
    };
    for (const Case& c : cases) {
        load(document(kThreeOfEach));
        load(c.body);
        EXPECT_EQ(lookupReports(host.messageBox), c.reports) << c.name;
        EXPECT_EQ(ui.cboDiscussionGroup.listCount(), c.groups) << c.name;
        EXPECT_EQ(menuCaptions(ui.mnuPriority), c.menu) << c.name;
    }
}

}  // namespace
}  // namespace jex
