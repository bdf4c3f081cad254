#include "demo_data.h"

#include <optional>

#include "row_inserts.h"
#include "sql_values.h"

namespace jex::server {

namespace {

struct DemoGroup {
    int code;
    const char* description;
    int followUpDays;
};

struct DemoType {
    int code;
    const char* description;
    int groupCode;
};

struct DemoOrder {
    const char* orderId;
    const char* vendorName;
    const char* buyerName;
    const char* orderDate;
    int openProblemExists;
    const char* recordLastUpdated;
};

// A null pointer or an empty optional stands for NULL in the database.
struct DemoIssue {
    int sequence;
    const char* orderId;
    int type;
    int priority;
    const char* issueDate;
    const char* enteredBy;
    const char* description;
    const char* followUp;
    const char* resolvedDate;
    const char* resolvedBy;
    const char* resolution;
    const char* recordLastUpdated;
    const char* enteredByPersonId;
    int enteredByPersonType;
    const char* resolvedByPersonId;
    std::optional<int> resolvedByPersonType;
};

struct DemoComment {
    int sequence;
    int issueSequence;
    const char* orderId;
    int type;
    const char* commentDate;
    const char* enteredBy;
    const char* description;
    int focusCenter;
    const char* followupCenter;
    int focusPurchasing;
    const char* followupCsc;
    int focusAccounting;
    int focusBilling;
    const char* recordLastUpdated;
    int focusJexd;
    const char* enteredByPersonId;
    int enteredByPersonType;
};

constexpr int kTrue = -1;
constexpr int kFalse = 0;

const DemoGroup kGroups[] = {
    {1, "Center", 3},
    {2, "Purchasing", 5},
    {3, "Accounting", 7},
    {4, "Miscellaneous", 14},
};

const DemoType kTypes[] = {
    {0, "General Note", 4},        {1, "Damaged Goods", 1}, {2, "Short Shipment", 1},
    {3, "Price Discrepancy", 2},   {4, "Late Delivery", 2}, {5, "Invoice Mismatch", 3},
    {6, "Credit Memo Pending", 3}, {7, "Other", 4},
};

const char* const kPriorities[] = {"High", "Medium", "Low"};

const char* const kCommentTypes[] = {"General", "Vendor Contact", "Internal Note",
                                     "Customer Contact"};

const DemoOrder kOrders[] = {
    {"PO1001", "Harbor Point Office Supply", "Maria Lopez", "Oct 28, 2026", 1,
     "Nov 21, 2026 10:12:40"},
    {"PO1002", "Granite Ridge Janitorial", "Daniel Reyes", "Nov 02, 2026", 1,
     "Nov 15, 2026 13:05:11"},
    {"PO1003", "Lakeshore Print & Sign", "Priya Natarajan", "Nov 19, 2026", 0,
     "Nov 19, 2026 08:47:30"},
};

const DemoIssue kIssues[] = {
    {1, "PO1001", 1, 1, "Nov 03, 2026 09:14:22", "Maria Lopez",
     "Two cartons of copier paper arrived crushed; the pallet wrap was torn.", "Nov 06, 2026",
     "Nov 05, 2026 16:40:03", "Daniel Reyes", "Vendor shipped replacement cartons at no charge.",
     "Nov 05, 2026 16:40:03", "4711", 2, "5120", 1},
    {2, "PO1001", 5, 2, "Nov 10, 2026 11:02:45", "Priya Natarajan",
     "Vendor's invoice lists 40 toner units; receiving counted 36 & the unit price differs.",
     "Nov 17, 2026", nullptr, nullptr, nullptr, "Nov 12, 2026 15:26:09", "4802", 2, nullptr,
     std::nullopt},
    {3, "PO1001", 4, 3, "Nov 18, 2026 08:30:00", "Maria Lopez",
     "Back-ordered desk chairs (12 of 20) have no ship date yet.", nullptr, nullptr, nullptr,
     nullptr, "Nov 21, 2026 10:12:40", "4711", 2, nullptr, std::nullopt},
    {4, "PO1001", 0, 3, "Nov 19, 2026 14:55:17", "Daniel Reyes",
     "Buyer asked that future deliveries use the north dock.", nullptr, "Nov 20, 2026 09:01:44",
     "Daniel Reyes", "Dock change confirmed with the vendor's dispatcher.", "Nov 20, 2026 09:01:44",
     "5120", 1, "5120", 1},
    {1, "PO1002", 3, 2, "Nov 04, 2026 10:20:05", "Daniel Reyes",
     "Quoted price for floor cleaner was $18.40 a case; the order shows $19.75.", "Nov 09, 2026",
     "Nov 08, 2026 11:45:52", "Daniel Reyes", "Vendor honoured the quote and re-issued the order.",
     "Nov 08, 2026 11:45:52", "5120", 1, "5120", 1},
    {2, "PO1002", 2, 1, "Nov 14, 2026 07:58:36", "Priya Natarajan",
     "Delivery was short three cases of hand soap.", "Nov 17, 2026", nullptr, nullptr, nullptr,
     "Nov 15, 2026 13:05:11", "4802", 2, nullptr, std::nullopt},
};

const DemoComment kComments[] = {
    {1, 1, "PO1001", 1, "Nov 03, 2026 10:02:11", "Maria Lopez",
     "Called Harbor Point; replacement cartons promised for Thursday.", kTrue, "Nov 06, 2026",
     kTrue, nullptr, kFalse, kFalse, "Nov 03, 2026 10:02:11", kFalse, "4711", 2},
    {2, 1, "PO1001", 0, "Nov 05, 2026 16:38:20", "Daniel Reyes",
     "Replacement received & checked in; damaged cartons returned to the driver.", kTrue, nullptr,
     kFalse, nullptr, kFalse, kFalse, "Nov 05, 2026 16:38:20", kFalse, "5120", 1},
    {3, 2, "PO1001", 2, "Nov 10, 2026 11:15:03", "Priya Natarajan",
     "A/P is holding payment until the vendor's credit memo arrives.", kFalse, nullptr, kTrue,
     "Nov 20, 2026", kTrue, kTrue, "Nov 10, 2026 11:15:03", kTrue, "4802", 2},
    {4, 2, "PO1001", 1, "Nov 12, 2026 15:26:09", "Maria Lopez",
     "Vendor says the price change was a \"catalog error\"; corrected invoice to follow.", kFalse,
     nullptr, kTrue, "Nov 19, 2026", kTrue, kFalse, "Nov 12, 2026 15:26:09", kFalse, "4711", 2},
    {5, 3, "PO1001", 3, "Nov 21, 2026 10:12:40", "Maria Lopez",
     "Customer's facilities team can take partial delivery if needed.", kTrue, "Nov 24, 2026",
     kFalse, nullptr, kFalse, kFalse, "Nov 21, 2026 10:12:40", kTrue, "4711", 2},
    {6, 4, "PO1001", 0, "Nov 20, 2026 09:00:12", "Daniel Reyes",
     "North dock hours are 7:00 to 15:00, Monday to Friday.", kFalse, nullptr, kFalse, nullptr,
     kFalse, kFalse, "Nov 20, 2026 09:00:12", kFalse, "5120", 1},
};

void insertVocabularies(SqlConnection& connection) {
    const auto group = connection.prepare(
        "INSERT INTO DiscussionGroup (GroupCode, Description, FollowUpDays)"
        " VALUES ($1, $2, $3)");
    for (const auto& row : kGroups) {
        runWith(*group, row.code, row.description, row.followUpDays);
    }
    const auto type = connection.prepare(
        "INSERT INTO DiscussionType (TypeCode, Description, GroupCode)"
        " VALUES ($1, $2, $3)");
    for (const auto& row : kTypes) {
        runWith(*type, row.code, row.description, row.groupCode);
    }
    const auto priority = connection.prepare(
        "INSERT INTO DiscussionPriority (PriorityCode, Caption) VALUES ($1, $2)");
    int priorityCode = 1;
    for (const char* caption : kPriorities) {
        runWith(*priority, priorityCode++, caption);
    }
    const auto commentType = connection.prepare(
        "INSERT INTO CommentType (CommentTypeCode, Description) VALUES ($1, $2)");
    int commentTypeCode = 0;
    for (const char* description : kCommentTypes) {
        runWith(*commentType, commentTypeCode++, description);
    }
}

void insertOrders(SqlConnection& connection) {
    const auto order = connection.prepare(
        "INSERT INTO OrderHeader (OrderID, VendorName, BuyerName, OrderDate,"
        " OpenProblemExists, RecordLastUpdated) VALUES ($1, $2, $3, $4, $5, $6)");
    for (const auto& row : kOrders) {
        runWith(*order, row.orderId, row.vendorName, row.buyerName, row.orderDate,
                row.openProblemExists, row.recordLastUpdated);
    }
}

void insertIssues(SqlConnection& connection) {
    const auto issue = connection.prepare(kInsertIssueSql);
    for (const auto& row : kIssues) {
        runWith(*issue, row.sequence, row.orderId, row.type, row.priority, row.issueDate,
                row.enteredBy, row.description, row.followUp, row.resolvedDate, row.resolvedBy,
                row.resolution, row.recordLastUpdated, row.enteredByPersonId,
                row.enteredByPersonType, row.resolvedByPersonId, row.resolvedByPersonType);
    }
}

void insertComments(SqlConnection& connection) {
    const auto comment = connection.prepare(kInsertCommentSql);
    for (const auto& row : kComments) {
        runWith(*comment, row.sequence, row.issueSequence, row.orderId, row.type, row.commentDate,
                row.enteredBy, row.description, row.focusCenter, row.followupCenter,
                row.focusPurchasing, row.followupCsc, row.focusAccounting, row.focusBilling,
                row.recordLastUpdated, row.focusJexd, row.enteredByPersonId,
                row.enteredByPersonType);
    }
}

}  // namespace

void insertDemoData(SqlConnection& connection) {
    insertVocabularies(connection);
    insertOrders(connection);
    insertIssues(connection);
    insertComments(connection);
}

}  // namespace jex::server
