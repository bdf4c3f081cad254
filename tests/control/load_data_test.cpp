// What the loaders make of hand-written documents and of failed loads, the vocabularies as they
// leave them on the screen, and rows handed back to the host as delimited text. Documents no
// server of ours writes (huge, deep, out of range, mistyped or cut short) are loaded, or reported
// through the loaders' error reports as any bad document is; none crashes the host. The memory a
// large order takes is bench/run.sh's to show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comments/find_comment.h"
#include "data/issue_record.h"
#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using Texts = std::vector<std::string>;

using test::commentRecord;
using test::Document;
using test::issueRecord;

// Elements `depth` deep around `text`.
std::string nested(int depth, const std::string& text) {
    std::string xml;
    for (int i = 0; i < depth; ++i) xml += "<d>";
    xml += text;
    for (int i = 0; i < depth; ++i) xml += "</d>";
    return xml;
}

// The texts of one field over every row of a table, in table order.
Texts column(RecordTable& table, std::string_view field) {
    Texts values;
    for (table.moveFirst(); !table.atEnd(); table.moveNext())
        values.push_back(table.field(field).toText());
    return values;
}

Texts menuCaptions(const ui::PopupMenu& menu) {
    Texts captions;
    for (const auto& [index, item] : menu.items()) captions.push_back(item.caption);
    return captions;
}

const Document kThreeOfEach = {
    .types = {{"1", "T1", "1"}, {"2", "T2", "2"}, {"3", "T3", "1"}},
    .groups = {{"1", "Alpha", "3"}, {"2", "Beta", "5"}},
    .priorities = {"High", "Medium", "Low"},
    .commentTypes = {"Note", "Call", "Email"},
};

// Issue 001 of type 7 and priority Low (2), with comments 005 and 006.
std::string exportOrder() {
    test::Document document{.types = {{"7", "Freight", "1"}},
                            .priorities = {"High", "Low"},
                            .commentTypes = {"Note", "Call", "Email"}};
    document.issues = {test::issueRecord("001", "7", "2",
                                         {"Dec 05, 2026 14:07:09", "Ann Lee", "Late truck", "", "",
                                          "", "Dec 06, 2026 08:00:00"}),
                       test::issueRecord("002", "7", "1")};
    document.comments = {commentRecord("005", "001", "2",
                                       {"Dec 05, 2026", "Bo", "Called", "True", "Dec 19, 2026",
                                        "False", "", "True", "False", "stamp", "True"}),
                         commentRecord("006", "001")};
    return document.xml();
}

// The array's cells row by row, or "<empty>" when the value holds no array.
std::vector<Texts> cells(const Value& value) {
    if (!value.isArray()) return {{"<empty>"}};
    std::vector<Texts> rows(value.array().rows());
    for (int r = 0; r < value.array().rows(); ++r) {
        for (int c = 0; c < value.array().columns(); ++c)
            rows[r].push_back(value.array().at(r, c).toText());
    }
    return rows;
}

struct LoadData : ::testing::Test, test::ControlSession {
    using ControlSession::load;
    void load(const Texts& issues, const Texts& comments, int sections = 6) {
        ControlSession::load(
            test::Document{.issues = issues, .comments = comments, .sections = sections}.xml());
    }
    RecordTable& issues() { return *control.state().DiscussionTable; }
    RecordTable& comments() { return *control.state().CommentTable; }
};

TEST_F(LoadData, Load_withoutADocumentReportsOncePerLoaderInOrderAndRestoresThePointer) {
    std::vector<MousePointer> pointers;
    ui.setPointerObserver([&](MousePointer p) { pointers.push_back(p); });
    const Texts everyLoader = {"DiscussionTypes 91",      "DiscussionGroups 91",
                               "DiscussionPriorities 91", "CommentTypes 91",
                               "LetDiscussions 91",       "LetComments 91"};

    control.LoadData("http://127.0.0.1:1", "PO1001");
    EXPECT_EQ(reports(), everyLoader);
    EXPECT_EQ(pointers,
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));

    for (auto [body, status] :
         {std::pair{"<a><b></a>", 200}, std::pair{"<ok/>", 500}, std::pair{"<root/>", 200}}) {
        host.messageBox.clear();
        test::FixedPageServer page(body, status);
        control.LoadData(page.url(), "PO1");
        EXPECT_EQ(reports(), everyLoader) << body;
    }
}

// Issue sequences pad as the number formatting pads them, plain digits by a shortcut of their
// own.
TEST_F(LoadData, Loaders_padIssueSequencesAndCountOnFromTheLastRecordRead) {
    Texts issueRecords = {issueRecord("1", "")};
    for (const char* sequence : {"0000012", "00000000000000000012", "123456789012345", "1234", "0",
                                 " 7", "-3", "2.5", "4N", "7", "2"})
        issueRecords.push_back(issueRecord(sequence));
    load(issueRecords, {commentRecord("12", "7"), commentRecord("5", "1")});
    EXPECT_EQ(reports(), Texts{});

    EXPECT_EQ(column(issues(), "IssueSequence"),
              (Texts{"001", "012", "012", "123456789012345", "1234", "000", "007", "-003", "003",
                     "4N", "007", "002"}));
    EXPECT_EQ(control.state().NextIssueSequence, 3);
    EXPECT_EQ(control.state().NextCommentSequence, 6);
    // Empty and missing elements leave their fields unset rather than blank.
    issues().moveFirst();
    EXPECT_TRUE(issues().field("Type").isEmpty());
    EXPECT_TRUE(issues().field("IssueFollowUp").isEmpty());
}

TEST_F(LoadData, Loaders_reportABadRecordAndKeepTheRowsBeforeIt) {
    struct Case {
        const char* what;
        Texts issues, comments;
        int sections;
        Texts reports;
        int issueRows, commentRows;
    };
    const auto number = [](int32_t n) { return " " + std::to_string(n); };
    const Texts one = {issueRecord("1")};
    const std::string wrongType = number(recordErr::WrongType);
    const std::string deepText =
        "<r><IssueSequence>2</IssueSequence><f>PO9</f><f>0</f><f>1</f>"
        "<f>Dec 05, 2026</f><f>Ann</f><f>" +
        nested(10000, "Late") + "</f></r>";
    // clang-format off
    const Case cases[] = {
        {"a text where a number goes", {issueRecord("1"), issueRecord("2", "abc"), issueRecord("3")},
         {}, 6, {"LetDiscussions" + wrongType}, 2, 0},
        {"the last comment without a sequence", one, {commentRecord("4", "1"), test::record({""})},
         6, {"LetComments" + number(err::InvalidUseOfNull)}, 1, 2},
        {"no comment section", one, {}, 5, {"LetComments 91"}, 1, 0},
        {"more fields than the table", one, {test::record(test::Fields(19))}, 6,
         {"LetComments" + number(recordErr::ItemNotFound)}, 1, 1},
        {"a megabyte of text",
         {issueRecord("1"), issueRecord("2", "0", "1", {"", "", std::string(1 << 20, 'x')})}, {}, 6,
         {"LetDiscussions" + number(recordErr::TooLong)}, 2, 0},
        {"text 10,000 elements deep", {issueRecord("1"), deepText}, {}, 6, {}, 2, 0},
        {"the last sequence a 16-bit number holds", {issueRecord("32767")},
         {commentRecord("32767", "32767")}, 6, {"LetDiscussions 6", "LetComments 6"}, 1, 1},
        {"sequences beyond 16 bits", {issueRecord("40000")}, {commentRecord("-32769", "40000")}, 6,
         {"LetDiscussions 6", "LetComments 6"}, 1, 1},
        {"numbers where texts go", {issueRecord("1", "0", "1", {"45000", "7", "1E+300"})},
         {commentRecord("1", "1", "0", {"45000", "12", "3"})}, 6, {}, 1, 1},
        {"a text where a Boolean goes", one, {commentRecord("1", "1", "0", {"", "", "", "maybe"})},
         6, {"LetComments" + wrongType}, 1, 1},
        {"a number beyond the field's type", {issueRecord("1", "99999999999")}, {}, 6,
         {"LetDiscussions" + wrongType}, 1, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        load(c.issues, c.comments, c.sections);
        EXPECT_EQ(reports(), c.reports) << c.what;
        EXPECT_EQ(issues().recordCount(), c.issueRows) << c.what;
        EXPECT_EQ(comments().recordCount(), c.commentRows) << c.what;
    }
    EXPECT_NE(host.messageBox.shown().back().text.find("Error Source - RecordTable LetDiscussions"),
              std::string::npos)
        << "a table's error keeps its source";
    // Sections nested in one another instead of side by side: no section holds what it should.
    ControlSession::load("<root>" + nested(10000, "") + "</root>");
    EXPECT_EQ(reports().size(), 6u);
}

// The type picker shows the types of GroupIndex(picker text); the placeholder issue stores
// TypeIndex of the type with code 0 and PriorityIndex of the last priority. An issue of type 0
// puts its group into the picker as the list is drawn.
TEST_F(LoadData, Lookups_takeTheFirstExactMatch) {
    struct Case {
        Texts typePicker;
        int16_t type, priority;
        Document document;
    };
    // clang-format off
    const Case cases[] = {
        {{"general", "General"}, 0, 1, {.types = {{"7", "general", "1"}, {"0", "General", "1"}}}},
        {{"Note", "Note"}, 5, 1, {.types = {{"5", "Note", "1"}, {"0", "Note", "1"}}}},
        {{"General Note"}, 0, 2, {.priorities = {"low", "Low"}}},
        {{"General Note"}, 0, 1, {.priorities = {"A", "B", "A"}}},
        {{"Upper"}, 0, 1, {.types = {{"0", "Upper", "2"}, {"1", "Lower", "1"}},
                           .groups = {{"1", "Alpha", "3"}, {"2", "ALPHA", "3"}},
                           .issues = {issueRecord("1")}}},
        {{"One"}, 0, 1, {.types = {{"0", "One", "1"}, {"1", "Two", "2"}},
                         .groups = {{"1", "Same", "3"}, {"2", "Same", "3"}}}},
        {{"Padded"}, 0, 1, {.types = {{"0", "Padded", "01"}}}},  // group codes compare as numbers
    };
    // clang-format on
    for (int i = 0; const Case& c : cases) {
        SCOPED_TRACE(i++);
        load(c.document.xml());
        EXPECT_EQ(ui.cboDiscussionType.items(), c.typePicker);
        issues().moveFirst();
        EXPECT_EQ(issues().field("Type"), Value(c.type));
        EXPECT_EQ(issues().field("Priority"), Value(c.priority));
    }
}

// Each case loads after a complete order: a missing section keeps what that order left, a
// shorter one replaces it.
TEST_F(LoadData, Loaders_fillThePickersAndAReloadReplacesThemOrReportsWhatIsMissing) {
    struct Case {
        const char* name;
        std::string body;
        Texts reports;
        int groups;
        Texts menu;
    };
    Document noGroups = kThreeOfEach, noTypes = kThreeOfEach, noComments = kThreeOfEach,
             noPriorities = kThreeOfEach;
    noGroups.groups.clear();
    noTypes.types.clear();
    noComments.commentTypes.clear();
    noPriorities.priorities.clear();
    const Document fewer = {{{"0", "Only", "9"}}, {{"9", "Solo", "1"}}, {"Urgent"}, {"Memo"}};
    const Texts three = kThreeOfEach.priorities;
    // clang-format off
    const Case cases[] = {
        {"fewer", fewer.xml(), {}, 1, {"Urgent"}},
        {"groups", noGroups.xml(), {"DiscussionGroups 380"}, 0, three},
        {"types", noTypes.xml(), {"DisplayDiscussionTypes 380"}, 2, three},
        {"comment types", noComments.xml(), {"CommentTypes 380"}, 2, three},
        {"priorities", noPriorities.xml(), {}, 2, {""}},
    };
    // clang-format on
    for (const Case& c : cases) {
        load(kThreeOfEach.xml());
        load(c.body);
        EXPECT_EQ(reports(), c.reports) << c.name;
        EXPECT_EQ(ui.cboDiscussionGroup.listCount(), c.groups) << c.name;
        EXPECT_EQ(menuCaptions(ui.mnuPriority), c.menu) << c.name;
    }
}

// Only the marked rows are written: thirteen fields a comment, which StringToArray reads back a
// row a comment, and an issue's fields as its list row shows them.
TEST_F(LoadData, GetCommentsAndDiscussions_writeTheMarkedRowsAndStringToArrayReadsThem) {
    load(exportOrder());
    const auto markComment = [&](const std::string& sequence) {
        ASSERT_TRUE(findComment(comments(), sequence));
        comments().setField("IsUpdated", Value(true));
    };
    EXPECT_EQ(control.GetComments("|", ";") + control.GetDiscussions("|", ";"), "")
        << "none marked";
    markComment("005");
    comments().setField("FollowupCSC", Value::null());
    markComment("006");
    const std::string text = control.GetComments("|", ";");
    EXPECT_EQ(text.substr(0, text.find(';') + 1),
              "005|001|PO9|2|Dec 05, 2026|Bo|Called|True|Dec 19, 2026|False||True|False;");
    const std::vector<Texts> rows = cells(control.StringToArray(text, "|", ";"));
    ASSERT_EQ(rows.size(), 2u) << text;
    EXPECT_EQ(rows[0][12] + rows[1][0] + rows[1][1], "False006001");

    moveToIssue(issues(), "001");
    issues().setField("IsUpdated", Value(true));
    const ui::ListItemRef row = ui.lstDiscussions.item(1);
    EXPECT_EQ(control.GetDiscussions("<>", "\r\n"), "001<>PO9<>7<>2<>" + row->column(5) +
                                                        "<>Ann Lee<>Late truck<>" + row->column(7) +
                                                        "<><><>Dec 06, 2026 08:00:00\r\n");

    // StringToArray reads whole rows only, each as wide as the first.
    struct Case {
        std::string data;
        std::vector<Texts> cells;
        Texts reports;
    };
    // clang-format off
    const Case cases[] = {
        {"a|b;c|d", {{"a", "b"}}, {}},
        {"a|b;c|d|e;", {{"a", "b"}, {"c", "d"}}, {}},
        {"  ", {{"<empty>"}}, {}},
        {"a|b", {{"<empty>"}}, {"StringToArray 9"}},
        {"a|b;c;", {{"<empty>"}}, {"StringToArray 9"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        host.messageBox.clear();
        EXPECT_EQ(cells(control.StringToArray(c.data, "|", ";")), c.cells) << c.data;
        EXPECT_EQ(reports(), c.reports) << c.data;
    }
}

}  // namespace
}  // namespace jex
