// The table rules the loaders, the save and the roads do not reach on their own: conversions and
// refused writes, deleted rows under the cursor, find and bookmarks under a filter.
#include "data/record_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/discussion_tables.h"
#include "platform/error.h"

namespace jex {
namespace {

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
// table takes no rows and forgets those it had. A deleted row leaves no current row until the
// next move; find searches on from the current row, and a bookmark returns only to a row the
// filter, true of a Boolean field, shows.
TEST(RecordTable, FieldsAndRows_refusedWritesLeaveTheRowAndTheCursorKeepsToTheRowsInView) {
    RecordTable issues("DiscussionTable");
    declareDiscussionFields(issues);
    EXPECT_EQ(errorNumberOf([&] { issues.addNew(); }), recordErr::ObjectClosed);
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("issueSEQUENCE", FieldType::Text, 5); }),
              recordErr::DuplicateField);
    issues.open();
    EXPECT_EQ(errorNumberOf([&] { issues.appendField("Extra", FieldType::Boolean); }),
              recordErr::ObjectOpen);
    issues.addNew();
    issues.setField("Type", Value("3"));
    issues.setField("OrderID", Value(int16_t{42}));
    EXPECT_EQ(issues.field("OrderID"), Value("42"));
    const std::string tenUmlauts = "üüüüüüüüüü";
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

    for (const char* sequence : {"001", "002", "003", "001"}) {
        issues.addNew();
        issues.setField("IssueSequence", Value(sequence));
    }
    issues.setField("IsUpdated", Value(true));
    const size_t last = issues.bookmark();
    issues.moveFirst();
    issues.moveNext();
    issues.moveNext();
    issues.deleteCurrent();
    EXPECT_EQ(errorNumberOf([&] { issues.field(0); }), recordErr::NoCurrentRecord);
    issues.moveNext();
    issues.find("IssueSequence = '001'");
    EXPECT_EQ(issues.bookmark(), last) << "found the last row, not the first";
    issues.setFilter("IsUpdated = True");
    EXPECT_EQ(errorNumberOf([&] { issues.moveTo(1); }), recordErr::NoCurrentRecord);
    for (const char* filter : {"IsUpdated", "Type = True", "IsUpdated = 'x'", "Nope = True"})
        EXPECT_LT(errorNumberOf([&] { issues.setFilter(filter); }), 0) << filter;
    issues.close();
    issues.open();
    EXPECT_EQ(issues.recordCount(), 0) << "a closed table forgets its rows";
}

}  // namespace
}  // namespace jex
