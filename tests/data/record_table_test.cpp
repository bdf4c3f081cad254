// The table rules the loaders and the save do not reach on their own: conversions and refused
// writes, deleted rows under the cursor, bookmarks and filters.
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

// Sizes count characters: ten two-byte characters fit a field of ten. A refused write leaves
// the row as it was; only may-be-null fields take null.
// Fields are declared only while the table is closed, once each whatever the case; a closed
// table takes no rows and forgets those it had.
TEST(RecordTable, Fields_convertOnWriteAndRefusedWritesLeaveTheRowUnchanged) {
    RecordTable issues("DiscussionTable");
    declareDiscussionFields(issues);
    EXPECT_EQ(errorNumberOf([&] { issues.addNew(); }), recordErr::ObjectClosed);
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("issueSEQUENCE", FieldType::Text, 5); }),
              recordErr::DuplicateField);
    issues.open();
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("Extra", FieldType::Boolean); }),
              recordErr::ObjectOpen);
    issues.addNew();
    issues.setField("isupdated", Value("True"));
    EXPECT_EQ(issues.field(12), Value(true));
    issues.setField("IssueFollowUp", Value::null());
    EXPECT_TRUE(issues.field("IssueFollowUp").isNull());
    issues.setField("Type", Value("3"));
    issues.setField("OrderID", Value(int16_t{42}));
    EXPECT_EQ(issues.field("OrderID"), Value("42"));
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
    issues.close();
    issues.open();
    issues.moveFirst();
    EXPECT_TRUE(issues.atEnd()) << "a closed table forgets its rows";
}

// A deleted row leaves no current row until the next move; find searches on from the current
// row. The filter fixes the visible rows when set; a bookmark returns only to a row in view.
TEST(RecordTable, Rows_deleteFindBookmarkAndFilter) {
    RecordTable issues = issuesOf({"001", "002", "003", "001"}, "003");
    issues.moveFirst();
    issues.moveNext();
    issues.deleteCurrent();
    EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
    issues.moveNext();
    EXPECT_EQ(issues.field(0), Value("003"));
    EXPECT_EQ(sequencesInView(issues), "001 003 001 ");
    issues.moveFirst();
    issues.moveNext();
    issues.find("IssueSequence = '001'");
    issues.moveNext();
    EXPECT_TRUE(issues.atEnd()) << "found the last row, not the first";
    EXPECT_EQ(errorNumberOf([&] { issues.find("IssueSequence = 001"); }),
              recordErr::InvalidArgument);

    issues.setFilter("IsUpdated = True");
    const size_t marked = issues.bookmark();
    EXPECT_EQ(errorNumberOf([&] { issues.moveTo(0); }), recordErr::NoCurrentRecord);
    issues.moveTo(marked);
    issues.setField("IsUpdated", Value(false));
    EXPECT_EQ(sequencesInView(issues), "003 ") << "an unmarked row stays in view";
    issues.setFilter("IsUpdated = True");
    EXPECT_TRUE(issues.atEnd());
    for (const char* filter : {"IsUpdated", "Type = True", "IsUpdated = 'x'", "Nope = True"})
        EXPECT_LT(errorNumberOf([&] { issues.setFilter(filter); }), 0) << filter;
    issues.setFilter("");
    EXPECT_EQ(sequencesInView(issues), "001 003 001 ");
}

}  // namespace
}  // namespace jex
