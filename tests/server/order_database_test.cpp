// The order database as the page reads it (the document's sections, vocabularies and shown
// fields are on the display road, which loads the demo orders through the control; here are the
// fields it does not show, and text that looks like markup) and as the generator fills it.
#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <stdexcept>

#include "control/headless_services.h"
#include "discussion_document.h"
#include "discussion_server.h"
#include "order_generator.h"
#include "sql_values.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

struct OrderDatabase : ::testing::Test {
    std::string rows(const std::string& sql) { return test::rows(*database, sql); }

    test::TempPath file{"orders"};
    std::unique_ptr<SqlConnection> database = test::openDatabase(file.path());
};

std::string fieldTexts(pugi::xml_node record) {
    std::string texts;
    for (pugi::xml_node field : record.children()) texts += field.child_value() + std::string("|");
    return texts;
}

// Issue 2 of PO1001 is open: no resolution, resolver or resolution date; IsUpdated is always
// unset.
TEST_F(OrderDatabase, DocumentRecordsCarryEveryFieldOfTheTablesInOrder) {
    const std::string markup = "Vendor's \"rush\" fee & <surcharge> ]]> added";
    runWith(*database->prepare("INSERT INTO OrderDiscussion (IssueSequence, OrderID, Type, "
                               "Priority, IssueDescription) VALUES (1, 'PO1003', 0, 1, $1)"),
            markup);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(discussionDocument(*database, "PO1001").c_str()));
    const pugi::xml_node issue =
        document.document_element().child("Issues").first_child().next_sibling();
    EXPECT_STREQ(issue.first_child().name(), "IssueSequence");
    EXPECT_EQ(fieldTexts(issue),
              "2|PO1001|5|2|Nov 10, 2026 11:02:45|Priya Natarajan|Vendor's invoice lists 40 toner "
              "units; receiving counted 36 & the unit price differs.||||Nov 12, 2026 15:26:09|Nov "
              "17, 2026||4802|2|||");
    const pugi::xml_node comment =
        document.document_element().child("Comments").first_child().next_sibling().next_sibling();
    EXPECT_STREQ(comment.first_child().next_sibling().name(), "IssueSequence");
    EXPECT_EQ(fieldTexts(comment),
              "3|2|PO1001|2|Nov 10, 2026 11:15:03|Priya Natarajan|A/P is holding payment until the "
              "vendor's credit memo arrives.|False||True|Nov 20, 2026|True|True|Nov 10, 2026 "
              "11:15:03|True||4802|2|");

    ASSERT_TRUE(document.load_string(discussionDocument(*database, "PO1003").c_str()));
    EXPECT_EQ(std::string(document.document_element().child("Issues").first_child().child_value(
                  "IssueDescription")),
              markup);
}

// Numbers run from 1 without gaps, codes come from the vocabularies, texts fit their columns,
// comments have their issue, and the open-problem flag agrees with the issues.
TEST_F(OrderDatabase, GeneratorRowsMatchTheShapeAgainAndAgainAndLoadInTheControl) {
    const OrderShape shapes[] = {
        {"PO-G1", 5, 20}, {"PO-G2", 3, 0}, {"PO-G3", 0, 0}, {"PO-G4", 60, 900}};
    for (const OrderShape& shape : shapes) {
        generateOrder(*database, shape);
        const std::string of = " WHERE OrderID = '" + shape.orderId + "'";
        const std::string issues = std::to_string(shape.issues);
        const std::string comments = std::to_string(shape.comments);
        SCOPED_TRACE(shape.orderId);

        EXPECT_EQ(rows("SELECT count(DISTINCT IssueSequence), ifnull(max(IssueSequence), 0), "
                       "ifnull(sum(Type NOT IN (SELECT TypeCode FROM DiscussionType) OR Priority "
                       "NOT IN (SELECT PriorityCode FROM DiscussionPriority) OR "
                       "length(IssueDescription) > 255), 0) FROM OrderDiscussion" +
                       of),
                  issues + "|" + issues + "|0\n");
        EXPECT_EQ(rows("SELECT count(DISTINCT CommentSequence), ifnull(max(CommentSequence), 0), "
                       "ifnull(sum(CommentType NOT IN (SELECT CommentTypeCode FROM CommentType) "
                       "OR length(CommentDescription) > 500 OR IssueSequence NOT IN (SELECT "
                       "IssueSequence FROM OrderDiscussion" +
                       of + ")), 0) FROM OrderDiscussionComment" + of),
                  comments + "|" + comments + "|0\n");
        EXPECT_EQ(rows("SELECT OpenProblemExists = (SELECT count(*) > 0 FROM OrderDiscussion" + of +
                       " AND Resolution IS NULL) FROM OrderHeader" + of),
                  "1\n");
    }
    // A busy order has a bit of everything.
    EXPECT_EQ(
        rows("SELECT count(Resolution) > 0, sum(Resolution IS NULL) > 0, count(IssueFollowUp) "
             "> 0, count(DISTINCT length(IssueDescription)) > 5, (SELECT sum(FocusCenter <> "
             "0) > 0 FROM OrderDiscussionComment) FROM OrderDiscussion WHERE OrderID = "
             "'PO-G4'"),
        "1|1|1|1|1\n");

    // The same shape gives the same order again, and replaces only it.
    const std::string first = discussionDocument(*database, "PO-G1");
    generateOrder(*database, shapes[0]);
    EXPECT_EQ(discussionDocument(*database, "PO-G1"), first);
    EXPECT_EQ(rows("SELECT count(*) FROM OrderDiscussionComment"), "926\n") << "other rows stay";

    DiscussionServer server(file.path());
    HeadlessServices host;
    JEXPODiscussionsXML control(host.services());
    control.setUserName("Clerk Kent|77|1");
    control.LoadData("http://127.0.0.1:" + std::to_string(server.start()) + "/", "PO-G4");

    ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(control.screen().lstDiscussions.count(), 60);
    EXPECT_EQ(control.state().NextCommentSequence, 901);
}

TEST_F(OrderDatabase, GeneratorRefusesShapesTheControlCannotNumber) {
    const OrderShape shapes[] = {
        {"PO-G6", -1, 0}, {"PO-G6", 0, 5}, {"PO-G6", 32768, 0}, {"PO-G6", 1, 32768}, {"", 1, 1}};
    for (const OrderShape& shape : shapes) {
        EXPECT_THROW(generateOrder(*database, shape), std::invalid_argument)
            << shape.issues << " " << shape.comments;
    }
    database->execute("DELETE FROM CommentType");
    EXPECT_THROW(generateOrder(*database, {"PO-G6", 1, 1}), std::invalid_argument);
    EXPECT_EQ(rows("SELECT count(*) FROM OrderHeader"), "3\n");
}

}  // namespace
}  // namespace jex::server
