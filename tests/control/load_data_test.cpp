#include <gtest/gtest.h>

#include "control/headless_services.h"
#include "discussion_server.h"
#include "support/fixed_page_server.h"
#include "support/temp_path.h"

namespace jex {
namespace {

// The texts of one field over every row of a table, in table order.
std::vector<std::string> column(RecordTable& table, std::string_view field) {
    std::vector<std::string> values;
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
        const Value v = table.field(field);
        values.push_back(v.isNull() ? "<null>" : v.toText());
    }
    return values;
}

std::vector<std::string> reportedProcedures(const HeadlessMessageBox& boxes) {
    std::vector<std::string> names;
    for (const MessageBoxRequest& box : boxes.shown()) {
        const auto sourceLine = box.text.find("Error Source - ");
        const auto lineEnd = box.text.find("\r\n", sourceLine);
        const std::string line = box.text.substr(sourceLine, lineEnd - sourceLine);
        names.push_back(line.substr(line.rfind(' ') + 1));
    }
    return names;
}

struct LoadFixture : ::testing::Test {
    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    std::vector<MousePointer> pointers;

    LoadFixture() {
        control.screen().setPointerObserver([this](MousePointer p) { pointers.push_back(p); });
    }
    RecordTable& issues() { return *control.state().DiscussionTable; }
    RecordTable& comments() { return *control.state().CommentTable; }
    const ControlState& state() { return control.state(); }
};

// The real discussion server on a fresh demo database.
struct ServerLoadFixture : LoadFixture {
    test::TempPath database;
    server::DiscussionServer discussionServer{database.path()};
    std::string url = "http://127.0.0.1:" + std::to_string(discussionServer.start());
};

TEST_F(ServerLoadFixture, LoadData_fillsBothTablesWithPaddedSequencesAndCounters) {
    control.LoadData(url, "PO1001");

    EXPECT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    const std::vector<std::string> issueSequences = column(issues(), "IssueSequence");
    ASSERT_FALSE(issueSequences.empty());
    for (const std::string& s : issueSequences) EXPECT_EQ(s.size(), 3u) << s;
    for (const std::string& owner : column(comments(), "DiscussionSequence")) {
        EXPECT_NE(std::find(issueSequences.begin(), issueSequences.end(), owner),
                  issueSequences.end())
            << "comment owner " << owner << " matches no issue";
    }
    EXPECT_EQ(state().NextIssueSequence, std::stoi(issueSequences.back()) + 1);
    EXPECT_EQ(state().NextCommentSequence,
              std::stoi(column(comments(), "DiscussionCommentSequence").back()) + 1);
    EXPECT_EQ(state().OrderID, "PO1001");
    for (const std::string& mark : column(issues(), "IsUpdated")) EXPECT_EQ(mark, "") << "unset";
    EXPECT_EQ(pointers.back(), MousePointer::Default);
}

TEST_F(ServerLoadFixture, LoadData_ofAnotherOrderLeavesNothingOfTheFirst) {
    control.LoadData(url, "PO1001");
    control.LoadData(url + "/", "PO1002");  // a trailing slash gives "//PODiscussion.asp"

    EXPECT_TRUE(host.messageBox.shown().empty());
    const auto orders = column(issues(), "OrderID");
    ASSERT_FALSE(orders.empty());
    for (const std::string& order : orders) EXPECT_EQ(order, "PO1002");
    EXPECT_EQ(comments().recordCount(), 0);
    EXPECT_EQ(state().NextCommentSequence, 0) << "an order without comments numbers from 0";
}

TEST_F(ServerLoadFixture, LoadData_ofAnOrderWithoutIssuesRestartsTheIssueCounter) {
    control.LoadData(url, "PO1001");
    control.LoadData(url, "PO1003");

    EXPECT_TRUE(host.messageBox.shown().empty());
    EXPECT_EQ(state().NextIssueSequence, 1) << "the placeholder took 000N";
    EXPECT_EQ(state().NextCommentSequence, 0);
    EXPECT_EQ(state().OrderID, "PO1003");
}

TEST_F(LoadFixture, LoadData_fromAnUnreachableServerReportsOncePerLoaderInOrder) {
    control.LoadData("http://127.0.0.1:1", "PO1001");

    EXPECT_EQ(
        reportedProcedures(host.messageBox),
        (std::vector<std::string>{"DiscussionTypes", "DiscussionGroups", "DiscussionPriorities",
                                  "CommentTypes", "LetDiscussions", "LetComments"}));
    EXPECT_EQ(host.messageBox.shown()[4].text,
              "\r\n\r\nError Number - 91\r\n"
              "Error Description - Object variable or With block variable not set\r\n"
              "Error Source - JEXDiscussionsXML LetDiscussions\r\n"
              "Project Associated - JEXPODiscussionsXML");
    EXPECT_EQ(host.eventLog.entries().size(), 6u);
    EXPECT_EQ(pointers,
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    EXPECT_EQ(control.screen().mousePointer(), MousePointer::Default);
}

TEST_F(LoadFixture, LoadData_ofAnHttpErrorOrMalformedAnswerReportsEveryLoader) {
    for (auto [body, status] : {std::pair{"<a><b></a>", 200}, std::pair{"<ok/>", 500}}) {
        host.messageBox.clear();
        test::FixedPageServer page(body, status);
        control.LoadData(page.url(), "PO1");
        EXPECT_EQ(host.messageBox.shown().size(), 6u) << body;
    }
}

// A document with one entry in each vocabulary and the given issues and comments.
std::string document(const std::string& issues, const std::string& comments, int sections = 6) {
    const std::string all[] = {"<t><r><c>0</c><d>General</d><g>1</g></r></t>",
                               "<g><r><c>1</c><d>Center</d><n>3</n></r></g>",
                               "<p><r><c>High</c></r></p>",
                               "<c><r><c>0</c><d>Note</d></r></c>",
                               "<i>" + issues + "</i>",
                               "<m>" + comments + "</m>"};
    std::string text = "<root>";
    for (int i = 0; i < sections; ++i) text += all[i];
    return text + "</root>";
}

std::string issue(const std::string& sequence,
                  const std::string& rest = "<o>PO9</o><t>0</t><p>1</p>") {
    return "<r><IssueSequence>" + sequence + "</IssueSequence>" + rest + "</r>";
}

std::string comment(const std::string& sequence, const std::string& owner) {
    return "<r><Seq>" + sequence + "</Seq><IssueSequence>" + owner + "</IssueSequence></r>";
}

struct DocumentFixture : LoadFixture {
    // Loads the document and returns the procedures that reported an error, in order.
    std::vector<std::string> load(const std::string& body) {
        host.messageBox.clear();
        test::FixedPageServer page(body);
        control.LoadData(page.url(), "PO9");
        std::vector<std::string> names = reportedProcedures(host.messageBox);
        return names;
    }
};

TEST_F(DocumentFixture, LetDiscussions_padsOnlyElementsNamedIssueSequence) {
    EXPECT_TRUE(load(document(issue("7"), comment("12", "7"))).empty());

    EXPECT_EQ(column(issues(), "IssueSequence"), std::vector<std::string>{"007"});
    EXPECT_EQ(column(comments(), "DiscussionCommentSequence"), std::vector<std::string>{"12"});
    EXPECT_EQ(column(comments(), "DiscussionSequence"), std::vector<std::string>{"007"});
}

TEST_F(DocumentFixture, LetDiscussions_countsOnFromTheLastIssueReadNotTheLargest) {
    EXPECT_TRUE(load(document(issue("1") + issue("3") + issue("2"), comment("5", "1"))).empty());
    EXPECT_EQ(state().NextIssueSequence, 3);
    EXPECT_EQ(state().NextCommentSequence, 6);
}

TEST_F(DocumentFixture, LetDiscussions_leavesEmptyElementsUnset) {
    EXPECT_TRUE(load(document(issue("1", "<o>PO9</o><type/><prio>1</prio>"), "")).empty());
    issues().moveFirst();
    EXPECT_TRUE(issues().field("Type").isEmpty());
    EXPECT_EQ(issues().field("Priority"), Value(int16_t{1}));
    EXPECT_TRUE(issues().field("IssueFollowUp").isEmpty());
}

TEST_F(DocumentFixture, LetDiscussions_reportsABadRecordAndKeepsTheRowsBeforeIt) {
    const std::string lettersInType = issue("2", "<o>PO9</o><type>abc</type>");
    EXPECT_EQ(load(document(issue("1") + lettersInType + issue("3"), "")),
              (std::vector<std::string>{"LetDiscussions"}));
    EXPECT_EQ(column(issues(), "IssueSequence"), (std::vector<std::string>{"001", "002"}));
    EXPECT_NE(host.messageBox.shown().back().text.find("Error Number - -"), std::string::npos)
        << "a record table error carries a negative number";
}

TEST_F(DocumentFixture, LetComments_refusesARecordWithMoreFieldsThanTheTable) {
    std::string fields;
    for (int i = 0; i < 19; ++i) fields += "<f/>";
    EXPECT_EQ(load(document(issue("1"), "<r>" + fields + "</r>")),
              (std::vector<std::string>{"LetComments"}));
    EXPECT_NE(host.messageBox.shown().back().text.find("Error Source - RecordTable LetComments"),
              std::string::npos);
}

TEST_F(DocumentFixture, LetComments_reportsALastCommentWithoutSequence) {
    EXPECT_EQ(load(document(issue("1"), comment("4", "1") + "<r><Seq/></r>")),
              (std::vector<std::string>{"LetComments"}));
    EXPECT_EQ(comments().recordCount(), 2);
}

TEST_F(DocumentFixture, LoadData_withFewerSectionsReportsEachMissingOne) {
    EXPECT_EQ(load(document(issue("1"), "", 5)), (std::vector<std::string>{"LetComments"}));
}

TEST_F(DocumentFixture, LetComments_enablesIssueCommandsByModeAndRights) {
    struct Case {
        int16_t mode;
        bool corporate;
        bool add;
        bool resolve;
    };
    for (Case c :
         {Case{0, false, true, false}, Case{1, true, true, true}, Case{2, true, false, false}}) {
        JEXPODiscussionsXML fresh(host.services());
        fresh.setViewMode(c.mode);
        fresh.setCorporateLevel(c.corporate);
        test::FixedPageServer page(document(issue("1"), comment("1", "1")));
        fresh.LoadData(page.url(), "PO9");
        EXPECT_EQ(fresh.screen().cmdAddDiscussion.enabled(), c.add) << c.mode;
        EXPECT_EQ(fresh.screen().cmdCloseDiscussion.enabled(), c.resolve) << c.mode;
    }
}

}  // namespace
}  // namespace jex
