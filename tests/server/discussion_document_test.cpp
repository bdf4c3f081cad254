// The document's sections, vocabularies and shown fields are on the display road, which loads
// the demo orders through the control; these are the fields it does not show.
#include "discussion_document.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "sql_values.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

std::vector<std::string> fieldTexts(pugi::xml_node record) {
    std::vector<std::string> texts;
    for (pugi::xml_node field : record.children()) texts.emplace_back(field.child_value());
    return texts;
}

class DiscussionDocumentTest : public ::testing::Test {
  protected:
    pugi::xml_node load(const std::string& orderId) {
        m_text = discussionDocument(*m_database, orderId);
        const pugi::xml_parse_result parsed = m_document.load_string(m_text.c_str());
        EXPECT_TRUE(parsed) << parsed.description();
        return m_document.document_element();
    }

    test::TempPath m_file;
    std::unique_ptr<SqlConnection> m_database = test::openDatabase(m_file.path());
    std::string m_text;
    pugi::xml_document m_document;
};

// Issue 2 is open: no resolution, resolver or resolution date; IsUpdated is always unset.
TEST_F(DiscussionDocumentTest, DiscussionDocument_recordsCarryEveryFieldOfTheTablesInOrder) {
    const pugi::xml_node root = load("PO1001");
    const pugi::xml_node issue = root.child("Issues").first_child().next_sibling();
    EXPECT_STREQ(issue.first_child().name(), "IssueSequence");
    EXPECT_EQ(fieldTexts(issue),
              (std::vector<std::string>{
                  "2", "PO1001", "5", "2", "Nov 10, 2026 11:02:45", "Priya Natarajan",
                  "Vendor's invoice lists 40 toner units; receiving counted 36 & the unit price "
                  "differs.",
                  "", "", "", "Nov 12, 2026 15:26:09", "Nov 17, 2026", "", "4802", "2", "", ""}));

    const pugi::xml_node comment =
        root.child("Comments").first_child().next_sibling().next_sibling();
    EXPECT_STREQ(comment.first_child().next_sibling().name(), "IssueSequence");
    EXPECT_EQ(
        fieldTexts(comment),
        (std::vector<std::string>{
            "3", "2", "PO1001", "2", "Nov 10, 2026 11:15:03", "Priya Natarajan",
            "A/P is holding payment until the vendor's credit memo arrives.", "False", "", "True",
            "Nov 20, 2026", "True", "True", "Nov 10, 2026 11:15:03", "True", "", "4802", "2"}));
}

TEST_F(DiscussionDocumentTest, DiscussionDocument_markupInTextSurvivesARoundTrip) {
    const std::string description = "Vendor's \"rush\" fee & <surcharge> ]]> added";
    const auto insert = m_database->prepare(
        "INSERT INTO OrderDiscussion (IssueSequence, OrderID, Type, Priority,"
        " IssueDescription) VALUES (1, 'PO1003', 0, 1, $1)");
    runWith(*insert, description);

    const pugi::xml_node issue = load("PO1003").child("Issues").first_child();

    EXPECT_NE(m_text.find("&lt;surcharge&gt;"), std::string::npos);
    EXPECT_EQ(std::string(issue.child_value("IssueDescription")), description);
}

}  // namespace
}  // namespace jex::server
