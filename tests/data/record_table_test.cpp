#include "data/record_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/discussion_tables.h"
#include "platform/error.h"

namespace jex {
namespace {

RecordTable openIssues() {
    RecordTable table("DiscussionTable");
    declareDiscussionFields(table);
    table.open();
    return table;
}

RecordTable openComments() {
    RecordTable table("CommentTable");
    declareCommentFields(table);
    table.open();
    return table;
}

// Adds issues with the given sequences; `marked` ones get IsUpdated true.
void addIssue(RecordTable& table, const std::string& sequence, bool marked = false) {
    table.addNew();
    table.setField("IssueSequence", Value(sequence));
    if (marked) table.setField("IsUpdated", Value(true));
}

std::string sequencesInView(RecordTable& table) {
    std::string seen;
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) seen += table.field(0).toText() + " ";
    return seen;
}

int32_t errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), "RecordTable");
        EXPECT_NE(e.description().find("DiscussionTable"), std::string::npos) << e.description();
        return e.number();
    }
    ADD_FAILURE() << "no error raised";
    return 0;
}

TEST(RecordTable_declarations, matchTheDocumentPositions) {
    RecordTable issues = openIssues();
    RecordTable comments = openComments();
    ASSERT_EQ(issues.fieldCount(), 17);
    ASSERT_EQ(comments.fieldCount(), 18);
    EXPECT_EQ(issues.fieldName(12), "IsUpdated");
    EXPECT_EQ(issues.fieldName(16), "ResolvedByPersonType");
    EXPECT_EQ(comments.fieldName(1), "DiscussionSequence");
    EXPECT_EQ(comments.fieldName(15), "IsUpdated");
    EXPECT_EQ(comments.fieldName(17), "CommentEnteredByPersonType");
}

TEST(RecordTable_fields, byPositionEqualsByNameIgnoringCase) {
    RecordTable comments = openComments();
    comments.addNew();
    comments.setField("CommentDEscription", Value("late delivery"));
    comments.setField(0, Value("004N"));
    comments.setField("isUpdated", Value(true));
    EXPECT_EQ(comments.field(6), Value("late delivery"));
    EXPECT_EQ(comments.field("DiscussionCommentSequence"), Value("004N"));
    EXPECT_EQ(comments.field(15), Value(true));
}

TEST(RecordTable_fields, storeConvertedToTheFieldType) {
    RecordTable issues = openIssues();
    issues.addNew();
    issues.setField("Type", Value("7"));
    issues.setField("IsUpdated", Value("True"));
    issues.setField("OrderID", Value(int16_t{42}));
    EXPECT_EQ(issues.field("Type"), Value(int16_t{7}));
    EXPECT_EQ(issues.field("IsUpdated"), Value(true));
    EXPECT_EQ(issues.field("OrderID"), Value("42"));
}

TEST(RecordTable_fields, unsetReadsEmptyAndNullOnlyWhereAllowed) {
    RecordTable issues = openIssues();
    issues.addNew();
    for (int position = 0; position < issues.fieldCount(); ++position)
        EXPECT_TRUE(issues.field(position).isEmpty()) << issues.fieldName(position);
    issues.setField("IssueFollowUp", Value::null());
    EXPECT_TRUE(issues.field("IssueFollowUp").isNull());
    EXPECT_EQ(errorNumberOf([&] { issues.setField("Resolution", Value::null()); }),
              recordErr::NullNotAllowed);
    EXPECT_TRUE(issues.field("Resolution").isEmpty());
}

TEST(RecordTable_fields, refusedWritesLeaveTheRowUnchanged) {
    RecordTable issues = openIssues();
    issues.addNew();
    issues.setField("Type", Value("3"));
    issues.setField("EnteredByPersonID", Value("ABCDEFGHIJ"));
    struct Case {
        const char* field;
        Value value;
        int32_t number;
    } cases[] = {
        {"Type", Value("abc"), recordErr::WrongType},
        {"Type", Value("40000"), recordErr::WrongType},
        {"EnteredByPersonID", Value("ABCDEFGHIJK"), recordErr::TooLong},
        {"NoSuchField", Value("x"), recordErr::ItemNotFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorNumberOf([&] { issues.setField(c.field, c.value); }), c.number) << c.field;
    EXPECT_EQ(issues.field("Type"), Value(int16_t{3}));
    EXPECT_EQ(issues.field("EnteredByPersonID"), Value("ABCDEFGHIJ"));
    EXPECT_EQ(errorNumberOf([&] { issues.field(17); }), recordErr::ItemNotFound);
}

TEST(RecordTable_fields, sizeCountsCharactersNotBytes) {
    RecordTable issues = openIssues();
    issues.addNew();
    std::string tenUmlauts;
    for (int i = 0; i < 10; ++i) tenUmlauts += "\xC3\xBC";
    issues.setField("EnteredByPersonID", Value(tenUmlauts));
    EXPECT_EQ(issues.field("EnteredByPersonID").toText(), tenUmlauts);
}

TEST(RecordTable_fields, conversionErrorCarriesTheOriginalText) {
    RecordTable issues = openIssues();
    issues.addNew();
    try {
        issues.setField("Priority", Value("high"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_NE(e.description().find("Priority"), std::string::npos);
        EXPECT_NE(e.description().find(runtimeErrorText(err::TypeMismatch)), std::string::npos)
            << e.description();
    }
}

TEST(RecordTable_state, closedTableRefusesRowOperations) {
    RecordTable issues("DiscussionTable");
    declareDiscussionFields(issues);
    EXPECT_EQ(errorNumberOf([&] { issues.addNew(); }), recordErr::ObjectClosed);
    EXPECT_EQ(errorNumberOf([&] { issues.recordCount(); }), recordErr::ObjectClosed);
    issues.open();
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("Extra", FieldType::Boolean); }),
              recordErr::ObjectOpen);
    EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
    addIssue(issues, "001");
    issues.close();
    issues.open();
    EXPECT_EQ(issues.recordCount(), 0);
}

TEST(RecordTable_delete, loopEmptiesTheTable) {
    RecordTable issues = openIssues();
    for (const char* sequence : {"001", "002", "003", "004"}) addIssue(issues, sequence);
    issues.moveFirst();
    while (issues.recordCount() != 0) {
        issues.deleteCurrent();
        EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
        EXPECT_FALSE(issues.atEnd());
        issues.moveNext();
    }
    EXPECT_TRUE(issues.atEnd());
    addIssue(issues, "005");
    EXPECT_EQ(sequencesInView(issues), "005 ");
}

TEST(RecordTable_delete, midWalkContinuesWithTheNextRow) {
    RecordTable issues = openIssues();
    for (const char* sequence : {"001", "002", "003"}) addIssue(issues, sequence);
    issues.moveFirst();
    issues.moveNext();
    issues.deleteCurrent();
    EXPECT_EQ(errorNumberOf([&] { issues.deleteCurrent(); }), recordErr::NoCurrentRecord);
    issues.moveNext();
    EXPECT_EQ(issues.field(0), Value("003"));
    EXPECT_EQ(issues.recordCount(), 2);
    EXPECT_EQ(sequencesInView(issues), "001 003 ");
}

TEST(RecordTable_filter, nothingMarkedShowsNoRowsUntilCleared) {
    RecordTable issues = openIssues();
    for (const char* sequence : {"001", "002"}) addIssue(issues, sequence);
    issues.setFilter("IsUpdated = True");
    EXPECT_EQ(issues.recordCount(), 0);
    EXPECT_TRUE(issues.atEnd());
    issues.setFilter("");
    EXPECT_EQ(issues.filter(), "");
    EXPECT_EQ(issues.recordCount(), 2);
    EXPECT_EQ(sequencesInView(issues), "001 002 ");
}

TEST(RecordTable_filter, visibleSetIsFixedWhenSet) {
    RecordTable issues = openIssues();
    addIssue(issues, "001", true);
    addIssue(issues, "002");
    addIssue(issues, "003", true);
    issues.setFilter("IsUpdated = True");
    EXPECT_EQ(issues.field(0), Value("001"));
    std::string walked;
    for (; !issues.atEnd(); issues.moveNext()) {
        walked += issues.field(0).toText() + " ";
        issues.setField("IsUpdated", Value(false));
    }
    EXPECT_EQ(walked, "001 003 ");
    EXPECT_EQ(sequencesInView(issues), "001 003 ");
    issues.setFilter("IsUpdated = True");
    EXPECT_EQ(issues.recordCount(), 0);
}

TEST(RecordTable_filter, othersAreRefused) {
    RecordTable issues = openIssues();
    for (const char* filter : {"IsUpdated", "Type = True", "IsUpdated = 'x'", "Nope = True"})
        EXPECT_LT(errorNumberOf([&] { issues.setFilter(filter); }), 0) << filter;
    EXPECT_EQ(issues.filter(), "");
}

TEST(RecordTable_find, fromTheCurrentRowOnwards) {
    RecordTable issues = openIssues();
    for (const char* sequence : {"001", "002", "001"}) addIssue(issues, sequence);
    issues.moveFirst();
    issues.setField("OrderID", Value("first"));
    issues.moveNext();
    issues.find("IssueSequence = '001'");
    ASSERT_FALSE(issues.atEnd());
    EXPECT_TRUE(issues.field("OrderID").isEmpty());
    issues.find("IssueSequence = '001'");
    EXPECT_FALSE(issues.atEnd());

    issues.moveFirst();
    issues.find("issuesequence = '009'");
    EXPECT_TRUE(issues.atEnd());
    EXPECT_EQ(errorNumberOf([&] { issues.find("IssueSequence = 001"); }),
              recordErr::InvalidArgument);
}

}  // namespace
}  // namespace jex
