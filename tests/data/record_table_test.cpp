#include "data/record_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/discussion_tables.h"
#include "platform/error.h"

namespace jex {
namespace {

// An open table of issues with the given sequences; `marked` ones get IsUpdated true.
RecordTable issuesOf(std::initializer_list<const char*> sequences, const std::string& marked = "") {
    RecordTable table("DiscussionTable");
    declareDiscussionFields(table);
    table.open();
    for (const char* sequence : sequences) {
        table.addNew();
        table.setField("IssueSequence", Value(sequence));
        if (marked.find(sequence) != std::string::npos) table.setField("IsUpdated", Value(true));
    }
    return table;
}

std::string sequencesInView(RecordTable& table) {
    std::string seen;
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) seen += table.field(0).toText() + " ";
    return seen;
}

// The number of the table's error, which names the table; 0 when none is raised.
int32_t errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), "RecordTable");
        EXPECT_NE(e.description().find("DiscussionTable"), std::string::npos) << e.description();
        return e.number();
    }
    return 0;
}

TEST(RecordTable_fields, storeConvertedAndReadTheSameByPositionOrByNameInAnyCase) {
    RecordTable comments("CommentTable");
    declareCommentFields(comments);
    comments.open();
    comments.addNew();
    comments.setField("CommentDEscription", Value("late delivery"));
    comments.setField(0, Value("004N"));
    comments.setField("isUpdated", Value("True"));
    comments.setField("Type", Value("7"));
    comments.setField("OrderID", Value(int16_t{42}));
    EXPECT_EQ(comments.field(6), Value("late delivery"));
    EXPECT_EQ(comments.field("DiscussionCommentSequence"), Value("004N"));
    EXPECT_EQ(comments.field(15), Value(true));
    EXPECT_EQ(comments.field("Type"), Value(int16_t{7}));
    EXPECT_EQ(comments.field("OrderID"), Value("42"));
    // The document's positions past the shown fields.
    EXPECT_EQ(comments.fieldName(17), "CommentEnteredByPersonType");
    RecordTable issues = issuesOf({});
    EXPECT_EQ(issues.fieldName(12), "IsUpdated");
    EXPECT_EQ(issues.fieldName(16), "ResolvedByPersonType");
}

// Sizes count characters: ten two-byte characters fit a field of ten. A refused write leaves
// the row as it was; only may-be-null fields take null.
TEST(RecordTable_fields, refusedWritesLeaveTheRowUnchanged) {
    RecordTable issues = issuesOf({"001"});
    for (int position = 1; position < issues.fieldCount(); ++position)
        EXPECT_TRUE(issues.field(position).isEmpty()) << issues.fieldName(position);
    issues.setField("IssueFollowUp", Value::null());
    EXPECT_TRUE(issues.field("IssueFollowUp").isNull());
    issues.setField("Type", Value("3"));
    std::string tenUmlauts;
    for (int i = 0; i < 10; ++i) tenUmlauts += "\xC3\xBC";
    issues.setField("EnteredByPersonID", Value(tenUmlauts));
    struct Case {
        const char* field;
        Value value;
        int32_t number;
    } cases[] = {
        {"Type", Value("abc"), recordErr::WrongType},
        {"Type", Value("40000"), recordErr::WrongType},
        {"EnteredByPersonID", Value("ABCDEFGHIJK"), recordErr::TooLong},
        {"Resolution", Value::null(), recordErr::NullNotAllowed},
        {"NoSuchField", Value("x"), recordErr::ItemNotFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorNumberOf([&] { issues.setField(c.field, c.value); }), c.number) << c.field;
    EXPECT_EQ(issues.field("Type"), Value(int16_t{3}));
    EXPECT_EQ(issues.field("EnteredByPersonID"), Value(tenUmlauts));
    EXPECT_TRUE(issues.field("Resolution").isEmpty());
    EXPECT_EQ(errorNumberOf([&] { issues.field(17); }), recordErr::ItemNotFound);
}

TEST(RecordTable_state, closedTableRefusesRowOperations) {
    RecordTable issues("DiscussionTable");
    declareDiscussionFields(issues);
    EXPECT_EQ(errorNumberOf([&] { issues.addNew(); }), recordErr::ObjectClosed);
    EXPECT_EQ(errorNumberOf([&] { issues.recordCount(); }), recordErr::ObjectClosed);
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("issueSEQUENCE", FieldType::Text, 5); }),
              recordErr::DuplicateField);
    issues.open();
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("Extra", FieldType::Boolean); }),
              recordErr::ObjectOpen);
    EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
    issues.addNew();
    issues.close();
    issues.open();
    EXPECT_EQ(issues.recordCount(), 0);
}

// A deleted row leaves no current row until the next move.
TEST(RecordTable_rows, deleteLeavesNoCurrentRowAndFindSearchesOnwards) {
    RecordTable issues = issuesOf({"001", "002", "003", "001"});
    issues.moveFirst();
    issues.moveNext();
    issues.deleteCurrent();
    EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { issues.deleteCurrent(); }), recordErr::NoCurrentRecord);
    EXPECT_FALSE(issues.atEnd());
    issues.moveNext();
    EXPECT_EQ(issues.field(0), Value("003"));
    EXPECT_EQ(sequencesInView(issues), "001 003 001 ");

    issues.moveFirst();
    issues.setField("OrderID", Value("first"));
    issues.moveNext();
    issues.find("IssueSequence = '001'");
    ASSERT_FALSE(issues.atEnd());
    EXPECT_TRUE(issues.field("OrderID").isEmpty());
    issues.moveFirst();
    issues.find("issuesequence = '009'");
    EXPECT_TRUE(issues.atEnd());
    EXPECT_EQ(errorNumberOf([&] { issues.find("IssueSequence = 001"); }),
              recordErr::InvalidArgument);
}

// The filter fixes the visible rows when set; a bookmark returns only to a row in view.
TEST(RecordTable_filter, fixesTheVisibleRowsWhenSet) {
    RecordTable issues = issuesOf({"001", "002", "003"}, "001 003");
    issues.setFilter("IsUpdated = True");
    issues.moveNext();
    const size_t third = issues.bookmark();
    issues.moveFirst();
    issues.moveTo(third);
    EXPECT_EQ(issues.field(0), Value("003"));
    for (const size_t elsewhere : {size_t{1}, size_t{3}})
        EXPECT_EQ(errorNumberOf([&] { issues.moveTo(elsewhere); }), recordErr::NoCurrentRecord);
    EXPECT_EQ(issues.field(0), Value("003")) << "a refused move keeps the row";

    std::string walked;
    for (issues.moveFirst(); !issues.atEnd(); issues.moveNext()) {
        walked += issues.field(0).toText() + " ";
        issues.setField("IsUpdated", Value(false));
    }
    EXPECT_EQ(walked + sequencesInView(issues), "001 003 001 003 ") << "unmarked rows stay in view";
    issues.setFilter("IsUpdated = True");
    EXPECT_EQ(issues.recordCount(), 0);
    EXPECT_TRUE(issues.atEnd());
    issues.setFilter("");
    EXPECT_EQ(sequencesInView(issues), "001 002 003 ");

    for (const char* filter : {"IsUpdated", "Type = True", "IsUpdated = 'x'", "Nope = True"})
        EXPECT_LT(errorNumberOf([&] { issues.setFilter(filter); }), 0) << filter;
    EXPECT_EQ(issues.filter(), "");
}

}  // namespace
}  // namespace jex
