// What the loaders make of hand-written documents and of failed loads; the demo orders are on
// the display road. Documents no server of ours writes (huge, deep, out of range, mistyped or
// cut short) are loaded, or reported through the loaders' error reports as any bad document is;
// none crashes the host or takes memory out of proportion to its size.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "support/control_session.h"
#include "support/discussion_document.h"

namespace jex {
namespace {

using test::commentRecord;
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
std::vector<std::string> column(RecordTable& table, std::string_view field) {
    std::vector<std::string> values;
    for (table.moveFirst(); !table.atEnd(); table.moveNext())
        values.push_back(table.field(field).toText());
    return values;
}

struct LoadData : ::testing::Test, test::ControlSession {
    void load(const std::vector<std::string>& issues, const std::vector<std::string>& comments,
              int sections = 6) {
        ControlSession::load(
            test::Document{.issues = issues, .comments = comments, .sections = sections}.xml());
    }
    RecordTable& issues() { return *control.state().DiscussionTable; }
    RecordTable& comments() { return *control.state().CommentTable; }
};

TEST_F(LoadData, Load_withoutADocumentReportsOncePerLoaderInOrderAndRestoresThePointer) {
    std::vector<MousePointer> pointers;
    ui.setPointerObserver([&](MousePointer p) { pointers.push_back(p); });
    const std::vector<std::string> everyLoader = {"DiscussionTypes 91",      "DiscussionGroups 91",
                                                  "DiscussionPriorities 91", "CommentTypes 91",
                                                  "LetDiscussions 91",       "LetComments 91"};

    control.LoadData("http://127.0.0.1:1", "PO1001");
    EXPECT_EQ(reports(), everyLoader);
    EXPECT_EQ(host.eventLog.entries().size(), 6u);
    EXPECT_EQ(pointers,
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));

    for (auto [body, status] : {std::pair{"<a><b></a>", 200}, std::pair{"<ok/>", 500}}) {
        host.messageBox.clear();
        test::FixedPageServer page(body, status);
        control.LoadData(page.url(), "PO1");
        EXPECT_EQ(reports(), everyLoader) << body;
    }
}

// Issue sequences pad as the number formatting pads them, plain digits by a shortcut of their
// own; comment sequences stay as they are.
TEST_F(LoadData, Loaders_padOnlyIssueSequencesAndCountOnFromTheLastRecordRead) {
    std::vector<std::string> issueRecords = {issueRecord("1", "")};
    for (const char* sequence : {"0000012", "00000000000000000012", "123456789012345", "1234", "0",
                                 " 7", "-3", "2.5", "4N", "7", "2"})
        issueRecords.push_back(issueRecord(sequence));
    load(issueRecords, {commentRecord("12", "7"), commentRecord("5", "1")});
    EXPECT_EQ(reports(), std::vector<std::string>{});

    EXPECT_EQ(column(issues(), "IssueSequence"),
              (std::vector<std::string>{"001", "012", "012", "123456789012345", "1234", "000",
                                        "007", "-003", "003", "4N", "007", "002"}));
    EXPECT_EQ(column(comments(), "DiscussionCommentSequence"),
              (std::vector<std::string>{"12", "5"}));
    EXPECT_EQ(column(comments(), "DiscussionSequence"), (std::vector<std::string>{"007", "001"}));
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
        std::vector<std::string> issues, comments;
        int sections;
        std::vector<std::string> reports;
        int issueRows, commentRows;
    };
    const auto number = [](int32_t n) { return " " + std::to_string(n); };
    const std::vector<std::string> one = {issueRecord("1")};
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

TEST_F(LoadData, Load_ofAHundredThousandRecordsKeepsEveryOneInBoundedMemory) {
    constexpr int kIssues = 30000;
    constexpr int kComments = 70000;
    test::Document document;
    for (int i = 1; i <= kIssues; ++i) document.issues.push_back(issueRecord(std::to_string(i)));
    for (int i = 1; i <= kComments; ++i)
        document.comments.push_back(commentRecord(std::to_string(i % 32000), "1"));
    const std::string xml = document.xml();
    document = {};
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long long before = usage.ru_maxrss * 1024LL;

    ControlSession::load(xml);
    EXPECT_EQ(reports(), std::vector<std::string>{});
    EXPECT_EQ(issues().recordCount(), kIssues);
    EXPECT_EQ(comments().recordCount(), kComments);
    EXPECT_EQ(control.state().NextIssueSequence, kIssues + 1);
    // A few times the document (under the sanitizers some 40 times), nowhere near a copy of it
    // per record.
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss * 1024LL - before, 64 * static_cast<long long>(xml.size()));
}

}  // namespace
}  // namespace jex
