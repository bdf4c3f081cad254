#include "order_generator.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "control/headless_services.h"
#include "discussion_document.h"
#include "discussion_server.h"
#include "support/list_texts.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

struct OrderGenerator : ::testing::Test {
    std::int64_t count(const std::string& sql) { return test::number(*database, sql); }

    test::TempPath file{"generator"};
    std::unique_ptr<SqlConnection> database = test::openDatabase(file.path());
};

TEST_F(OrderGenerator, OrderGenerator_rowsMatchTheShapeAndTheVocabularies) {
    const OrderShape shapes[] = {
        {"PO-G1", 5, 20}, {"PO-G2", 3, 0}, {"PO-G3", 0, 0}, {"PO-G4", 60, 900}};
    for (const OrderShape& shape : shapes) {
        generateOrder(*database, shape);
        const std::string order = " WHERE OrderID = '" + shape.orderId + "'";
        const std::string issues = "FROM OrderDiscussion" + order;
        const std::string comments = "FROM OrderDiscussionComment" + order;
        SCOPED_TRACE(shape.orderId);

        EXPECT_EQ(count("SELECT count(DISTINCT IssueSequence) " + issues), shape.issues);
        EXPECT_EQ(count("SELECT ifnull(max(IssueSequence), 0) " + issues), shape.issues);
        EXPECT_EQ(count("SELECT count(DISTINCT CommentSequence) " + comments), shape.comments);
        EXPECT_EQ(count("SELECT ifnull(max(CommentSequence), 0) " + comments), shape.comments);
        EXPECT_EQ(count("SELECT count(*) " + comments +
                        " AND IssueSequence NOT IN (SELECT "
                        "IssueSequence " +
                        issues + ")"),
                  0);
        EXPECT_EQ(count("SELECT count(*) " + issues +
                        " AND (Type NOT IN (SELECT TypeCode FROM DiscussionType) OR Priority NOT "
                        "IN (SELECT PriorityCode FROM DiscussionPriority) OR "
                        "length(IssueDescription) > 255)"),
                  0);
        EXPECT_EQ(count("SELECT count(*) " + comments +
                        " AND (CommentType NOT IN (SELECT CommentTypeCode FROM CommentType) OR "
                        "length(CommentDescription) > 500)"),
                  0);
        EXPECT_EQ(count("SELECT OpenProblemExists FROM OrderHeader" + order),
                  count("SELECT count(*) > 0 " + issues + " AND Resolution IS NULL"));
    }
    // A busy order has a bit of everything.
    const std::string big = " FROM OrderDiscussion WHERE OrderID = 'PO-G4'";
    EXPECT_GT(count("SELECT count(Resolution)" + big), 0);
    EXPECT_GT(count("SELECT count(*)" + big + " AND Resolution IS NULL"), 0);
    EXPECT_GT(count("SELECT count(IssueFollowUp)" + big), 0);
    EXPECT_GT(count("SELECT count(DISTINCT length(IssueDescription))" + big), 5);
    EXPECT_GT(count("SELECT sum(FocusCenter <> 0) FROM OrderDiscussionComment"), 0);
}

TEST_F(OrderGenerator, OrderGenerator_sameShapeGivesTheSameOrderAndReplacesOnlyIt) {
    const OrderShape shape{"PO-G5", 12, 80};
    generateOrder(*database, shape);
    const std::string first = discussionDocument(*database, shape.orderId);

    generateOrder(*database, shape);

    EXPECT_EQ(discussionDocument(*database, shape.orderId), first);
    EXPECT_EQ(count("SELECT count(*) FROM OrderDiscussionComment"), 80 + 6) << "demo rows stay";
}

TEST_F(OrderGenerator, OrderGenerator_refusesShapesTheControlCannotNumber) {
    const OrderShape shapes[] = {
        {"PO-G6", -1, 0}, {"PO-G6", 0, 5}, {"PO-G6", 32768, 0}, {"PO-G6", 1, 32768}, {"", 1, 1}};
    for (const OrderShape& shape : shapes) {
        EXPECT_THROW(generateOrder(*database, shape), std::invalid_argument)
            << shape.issues << " " << shape.comments;
    }
    database->execute("DELETE FROM CommentType");
    EXPECT_THROW(generateOrder(*database, {"PO-G6", 1, 1}), std::invalid_argument);
    EXPECT_EQ(count("SELECT count(*) FROM OrderHeader"), 3);
}

TEST_F(OrderGenerator, OrderGenerator_generatedOrderLoadsInTheControl) {
    generateOrder(*database, {"PO-G7", 60, 900});
    DiscussionServer server(file.path());
    const std::string url = "http://127.0.0.1:" + std::to_string(server.start()) + "/";
    HeadlessServices host;
    JEXPODiscussionsXML control(host.services());
    control.setUserName("Clerk Kent|77|1");

    control.LoadData(url, "PO-G7");

    ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(control.screen().lstDiscussions.count(), 60);
    EXPECT_EQ(control.state().CommentTable->recordCount(), 900);
    EXPECT_EQ(control.state().NextCommentSequence, 901);
    test::clickRow(control.screen().lstDiscussions, 10, "007");
    EXPECT_EQ(control.screen().lstComments.count(),
              count("SELECT count(*) FROM OrderDiscussionComment WHERE OrderID = 'PO-G7' AND "
                    "IssueSequence = 7"));
    EXPECT_TRUE(host.messageBox.shown().empty());
}

}  // namespace
}  // namespace jex::server
