// Documents no server of ours writes: huge, deep, out of range, mistyped or cut short. Each is
// loaded, or reported through the loaders' error reports as any bad document is; none crashes
// the host or takes memory out of proportion to its size.
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
using Texts = std::vector<std::string>;

// The process's peak resident memory so far, in bytes.
long long peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// Elements `depth` deep around `text`.
std::string nested(int depth, const std::string& text) {
    std::string xml;
    for (int i = 0; i < depth; ++i) xml += "<d>";
    xml += text;
    for (int i = 0; i < depth; ++i) xml += "</d>";
    return xml;
}

std::string number(int32_t n) { return " " + std::to_string(n); }

struct HostileDocument : ::testing::Test, test::ControlSession {
    RecordTable& issues() { return *control.state().DiscussionTable; }
    RecordTable& comments() { return *control.state().CommentTable; }
};

TEST_F(HostileDocument, Load_ofAHundredThousandRecordsKeepsEveryOneInBoundedMemory) {
    constexpr int kIssues = 30000;
    constexpr int kComments = 70000;
    test::Document document;
    for (int i = 1; i <= kIssues; ++i) document.issues.push_back(issueRecord(std::to_string(i)));
    for (int i = 1; i <= kComments; ++i)
        document.comments.push_back(commentRecord(std::to_string(i % 32000), "1"));
    const std::string xml = document.xml();
    document = {};
    const long long before = peakResidentBytes();

    load(xml);
    EXPECT_EQ(reports(), Texts{});
    EXPECT_EQ(issues().recordCount(), kIssues);
    EXPECT_EQ(comments().recordCount(), kComments);
    EXPECT_EQ(control.state().NextIssueSequence, kIssues + 1);
    // A few times the document (under the sanitizers some 40 times), nowhere near a copy of it
    // per record.
    EXPECT_LT(peakResidentBytes() - before, 64 * static_cast<long long>(xml.size()));
}

TEST_F(HostileDocument, Loaders_reportWhatTheTablesCannotHoldAndKeepTheRowsBefore) {
    struct Case {
        const char* what;
        Texts issues, comments;
        Texts reports;
        int issueRows, commentRows;
    };
    const std::string megabyte(1 << 20, 'x');
    const std::string deepText =
        "<r><IssueSequence>2</IssueSequence><f>PO9</f><f>0</f><f>1</f>"
        "<f>Dec 05, 2026</f><f>Ann</f><f>" +
        nested(10000, "Late") + "</f></r>";
    const Texts one = {issueRecord("1")};
    const std::string wrongType = number(recordErr::WrongType);
    // clang-format off
    const Case cases[] = {
        {"a megabyte of text", {issueRecord("1"), issueRecord("2", "0", "1", {"", "", megabyte})},
         {}, {"LetDiscussions" + number(recordErr::TooLong)}, 2, 0},
        {"text 10,000 elements deep", {issueRecord("1"), deepText}, {}, {}, 2, 0},
        {"the last sequence a 16-bit number holds", {issueRecord("32767")},
         {commentRecord("32767", "32767")}, {"LetDiscussions 6", "LetComments 6"}, 1, 1},
        {"sequences beyond 16 bits", {issueRecord("40000")}, {commentRecord("-32769", "40000")},
         {"LetDiscussions 6", "LetComments 6"}, 1, 1},
        {"numbers where texts go", {issueRecord("1", "0", "1", {"45000", "7", "1E+300"})},
         {commentRecord("1", "1", "0", {"45000", "12", "3"})}, {}, 1, 1},
        {"a text where a number goes", {issueRecord("1", "1", "high")}, {},
         {"LetDiscussions" + wrongType}, 1, 0},
        {"a text where a Boolean goes", one, {commentRecord("1", "1", "0", {"", "", "", "maybe"})},
         {"LetComments" + wrongType}, 1, 1},
        {"a number beyond the field's type", {issueRecord("1", "99999999999")}, {},
         {"LetDiscussions" + wrongType}, 1, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        load(test::Document{.issues = c.issues, .comments = c.comments}.xml());
        EXPECT_EQ(reports(), c.reports) << c.what;
        EXPECT_EQ(issues().recordCount(), c.issueRows) << c.what;
        EXPECT_EQ(comments().recordCount(), c.commentRows) << c.what;
    }
}

// Sections nested in one another instead of side by side: no section holds what it should.
TEST_F(HostileDocument, Load_ofNestedSectionsReportsEveryLoader) {
    load("<root>" + nested(10000, "") + "</root>");
    EXPECT_EQ(reports().size(), 6u);
}

}  // namespace
}  // namespace jex
