#include "discussion_document.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "database.h"
#include "statement.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

std::vector<std::string> childNames(pugi::xml_node node) {
    std::vector<std::string> names;
    for (pugi::xml_node child : node.children()) names.emplace_back(child.name());
    return names;
}

std::vector<std::string> fieldTexts(pugi::xml_node record) {
    std::vector<std::string> texts;
    for (pugi::xml_node field : record.children()) texts.emplace_back(field.child_value());
    return texts;
}

class DiscussionDocumentTest : public ::testing::Test {
  protected:
    pugi::xml_node load(const std::string& orderId) {
        m_text = discussionDocument(m_database.handle(), orderId);
        const pugi::xml_parse_result parsed = m_document.load_string(m_text.c_str());
        EXPECT_TRUE(parsed) << parsed.description();
        return m_document.document_element();
    }

    test::TempPath m_file;
    Database m_database{m_file.path()};
    std::string m_text;
    pugi::xml_document m_document;
};

TEST_F(DiscussionDocumentTest, DiscussionDocument_sectionsStandInFixedOrder) {
    const pugi::xml_node root = load("PO1001");

    EXPECT_EQ(m_text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_STREQ(root.name(), "PODiscussion");
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"DiscussionTypes", "DiscussionGroups",
                                                          "DiscussionPriorities", "CommentTypes",
                                                          "Issues", "Comments"}));
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_recordsBelongToTheRequestedOrder) {
    struct Case {
        const char* orderId;
        std::size_t issues;
        std::size_t comments;
    };
    const Case cases[] = {
        {"PO1001", 4, 6}, {"PO1002", 2, 0}, {"PO1003", 0, 0}, {"PO9999", 0, 0}, {"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orderId);
        const pugi::xml_node root = load(c.orderId);
        const auto sections = root.children();
        std::vector<std::size_t> counts;
        for (pugi::xml_node section : sections) counts.push_back(childNames(section).size());
        EXPECT_EQ(counts, (std::vector<std::size_t>{8, 4, 3, 4, c.issues, c.comments}));
        for (pugi::xml_node issue : root.child("Issues").children()) {
            EXPECT_STREQ(issue.child_value("OrderID"), c.orderId);
        }
    }
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_vocabulariesCarryTheirFieldsByPosition) {
    const pugi::xml_node root = load("PO1001");

    EXPECT_EQ(fieldTexts(root.child("DiscussionTypes").first_child()),
              (std::vector<std::string>{"0", "General Note", "4"}));
    EXPECT_EQ(fieldTexts(root.child("DiscussionGroups").first_child()),
              (std::vector<std::string>{"1", "Center", "3"}));
    std::vector<std::string> priorityCaptions;
    for (pugi::xml_node priority : root.child("DiscussionPriorities").children()) {
        priorityCaptions.push_back(fieldTexts(priority).at(0));
    }
    EXPECT_EQ(priorityCaptions, (std::vector<std::string>{"High", "Medium", "Low"}));
    std::vector<std::string> commentTypeCodes;
    for (pugi::xml_node commentType : root.child("CommentTypes").children()) {
        commentTypeCodes.push_back(fieldTexts(commentType).at(0));
    }
    EXPECT_EQ(commentTypeCodes, (std::vector<std::string>{"0", "1", "2", "3"}));
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_issueRecordsFollowTheTableLayout) {
    const pugi::xml_node issues = load("PO1001").child("Issues");

    std::vector<std::string> sequences;
    for (pugi::xml_node issue : issues.children()) {
        ASSERT_EQ(childNames(issue).size(), 17u);
        EXPECT_STREQ(issue.first_child().name(), "IssueSequence");
        EXPECT_TRUE(issue.child("IsUpdated").first_child().empty());
        sequences.push_back(issue.first_child().child_value());
    }
    EXPECT_EQ(sequences, (std::vector<std::string>{"1", "2", "3", "4"}));

    // Issue 2 is open: no resolution, resolver or resolution date.
    const pugi::xml_node open = issues.first_child().next_sibling();
    EXPECT_EQ(fieldTexts(open),
              (std::vector<std::string>{
                  "2", "PO1001", "5", "2", "Nov 10, 2026 11:02:45", "Priya Natarajan",
                  "Vendor's invoice lists 40 toner units; receiving counted 36 & the unit price "
                  "differs.",
                  "", "", "", "Nov 12, 2026 15:26:09", "Nov 17, 2026", "", "4802", "2", "", ""}));
    EXPECT_TRUE(open.child("Resolution").first_child().empty());
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_commentRecordsFollowTheTableLayout) {
    const pugi::xml_node comments = load("PO1001").child("Comments");

    for (pugi::xml_node comment : comments.children()) {
        ASSERT_EQ(childNames(comment).size(), 18u);
        EXPECT_STREQ(comment.first_child().next_sibling().name(), "IssueSequence");
        EXPECT_TRUE(comment.child("IsUpdated").first_child().empty());
    }
    const pugi::xml_node third = comments.first_child().next_sibling().next_sibling();
    EXPECT_EQ(
        fieldTexts(third),
        (std::vector<std::string>{
            "3", "2", "PO1001", "2", "Nov 10, 2026 11:15:03", "Priya Natarajan",
            "A/P is holding payment until the vendor's credit memo arrives.", "False", "", "True",
            "Nov 20, 2026", "True", "True", "Nov 10, 2026 11:15:03", "True", "", "4802", "2"}));
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_markupInTextSurvivesARoundTrip) {
    const std::string description = "Vendor's \"rush\" fee & <surcharge> ]]> added";
    Statement insert(m_database.handle(),
                     "INSERT INTO OrderDiscussion (IssueSequence, OrderID, Type, Priority,"
                     " IssueDescription) VALUES (1, 'PO1003', 0, 1, ?1)");
    insert.run(description.c_str());

    const pugi::xml_node issue = load("PO1003").child("Issues").first_child();

    EXPECT_NE(m_text.find("&amp;"), std::string::npos);
    EXPECT_NE(m_text.find("&lt;surcharge&gt;"), std::string::npos);
    EXPECT_EQ(std::string(issue.child_value("IssueDescription")), description);
}

}  // namespace
}  // namespace jex::server
