#include "save/statements.h"

#include "save/sql_values.h"

namespace jex::sql {
namespace {

std::string issueBase(const std::string& orderKey) {
    return "DECLARE @MaxID Int Set @MaxID = (SELECT Max(IssueSequence) From OrderDiscussion "
           "WHERE OrderID=" +
           orderKey + " ) ";
}

std::string commentBaseFromDatabase(const std::string& orderKey) {
    return " DECLARE @MAXCommentID Int Set @MAXCommentID = (SELECT Max(CommentSequence) From "
           "OrderDiscussionComment WHERE OrderID=" +
           orderKey + ") ";
}

std::string numberOf(const std::string& sequence) { return sequenceNumberText(Value(sequence)); }

// The column list both comment INSERTs share up to the comment date.
constexpr const char* kCommentColumnsHead =
    "INSERT INTO OrderDiscussionComment (CommentSequence,IssueSequence, OrderID, CommentType, "
    "CommentDate, ";

// The values from the order key on, which both comment INSERTs write alike.
std::string commentValuesTail(const CommentValues& c) {
    std::string text;
    for (const std::string* value :
         {&c.orderKey, &c.type, &c.date, &c.enteredBy, &c.description, &c.focusCenter,
          &c.followupCenter, &c.focusPurchasing, &c.followupCsc, &c.focusAccounting})
        text += *value + ",";
    return text + c.focusBilling + ",GETDATE()," + c.focusJexd + "," + c.personId + "," +
           c.personType + ");";
}

// What both comment UPDATEs set, after the issue and comment type.
std::string commentChangesTail(const CommentValues& c) {
    return ", FocusCenter = " + c.focusCenter + ", FollowupCenter = " + c.followupCenter +
           ", FocusPurchasing = " + c.focusPurchasing + ", FollowupCSC = " + c.followupCsc +
           ", FocusAccounting = " + c.focusAccounting + ", FocusBilling = " + c.focusBilling +
           ", FocusJEXD = " + c.focusJexd + ", RecordLastUpdated =  GETDATE()" +
           " WHERE CommentSequence = " + numberOf(c.sequence) + " And OrderID =" + c.orderKey + ";";
}

}  // namespace

std::string newIssueDeclarations(NewIssueBases bases, const std::string& orderKey) {
    switch (bases) {
        case NewIssueBases::BothZero:
            return "DECLARE @MaxID Int Set @MaxID = -1 DECLARE @MAXCommentID Int Set "
                   "@MAXCommentID = 0 ";
        case NewIssueBases::IssueOnly:
            return issueBase(orderKey);
        case NewIssueBases::IssueAndZeroComment:
            return issueBase(orderKey) + " DECLARE @MAXCommentID Int Set @MAXCommentID = 0 ";
        case NewIssueBases::IssueAndComment:
            return issueBase(orderKey) + commentBaseFromDatabase(orderKey);
    }
    return {};
}

std::string commentBaseDeclaration(bool fromZero, const std::string& orderKey) {
    if (fromZero) return " DECLARE @MAXCommentID Int Set @MAXCommentID = 0";
    return commentBaseFromDatabase(orderKey);
}

std::string newIssueInsert(const NewIssueValues& i) {
    return "INSERT INTO OrderDiscussion (IssueSequence, OrderID,Type, Priority, IssueDate, "
           "EnteredBy, IssueDescription, "
           "IssueFollowUp, ResolvedDate, ResolvedBy,Resolution, RecordLastUpdated, "
           "EnteredByPersonId, EnteredByPersonType, ResolvedByPersonId, ResolvedByPersonType) "
           "Values(@MaxID+1," +
           i.orderKey + "," + i.type + "," + i.priority + "," + i.issueDate + "," + i.enteredBy +
           "," + i.description + "," + i.followUp + "," + i.resolvedDate + "," + i.resolvedBy +
           ", " + i.resolution + ",GETDATE()," + i.enteredByPersonId + "," + i.enteredByPersonType +
           "," + i.resolvedByPersonId + "," + i.resolvedByPersonType + ");";
}

std::string issueUpdate(const IssueChangeValues& i) {
    return "UPDATE OrderDiscussion SET IssueFollowUp =" + i.followUp +
           ", ResolvedDate = " + i.resolvedDate + ", ResolvedBy = " + i.resolvedBy +
           ", Type= " + i.type + ", Priority = " + i.priority + ",Resolution = " + i.resolution +
           ", RecordLastUpdated = GETDATE(), ResolvedByPersonId = " + i.resolvedByPersonId +
           ", ResolvedByPersonType = " + i.resolvedByPersonType +
           " Where IssueSequence =" + i.issueNumber + "  and Orderid = " + i.orderKey + ";";
}

std::string newIssueCommentInsert(const CommentValues& comment, int16_t count) {
    return kCommentColumnsHead +
           std::string(
               "CommentEnteredBy, CommentDescription, FocusCenter, "
               "FollowupCenter,FocusPurchasing, FollowupCSC, FocusAccounting, "
               "FocusBilling, RecordLastUpdated, FocusJEXD, CommentEnteredByPersonId, "
               "CommentEnteredByPersonType) ") +
           " VALUES (@MAXCommentID+" + std::to_string(count) + ",@MaxID+1 ," +
           commentValuesTail(comment);
}

std::string storedIssueCommentInsert(const CommentValues& comment, int16_t count) {
    return kCommentColumnsHead +
           std::string(
               "CommentEnteredBy, CommentDescription, FocusCenter, "
               "FollowupCenter,FocusPurchasing, FollowupCSC, FocusAccounting,"
               "FocusBilling, RecordLastUpdated, FocusJEXD, CommentEnteredByPersonID, "
               "CommentEnteredByPersonType) ") +
           " VALUES (@MAXCommentID+" + std::to_string(count) + "," +
           numberOf(comment.issueSequence) + "," + commentValuesTail(comment);
}

std::string movedCommentUpdate(const CommentValues& comment) {
    return "UPDATE OrderDiscussionComment SET IssueSequence = @MaxID+1 , CommentType = " +
           comment.type + commentChangesTail(comment);
}

std::string storedCommentUpdate(const CommentValues& comment) {
    return "UPDATE OrderDiscussionComment SET IssueSequence = " + numberOf(comment.issueSequence) +
           ", CommentType = " + comment.type + commentChangesTail(comment);
}

std::string openProblemBatch(const std::string& orderKey) {
    const std::string& k = orderKey;
    return "DECLARE @CountOpenIssues int, @OpenProblemExists int "
           " set @CountOpenIssues = (SELECT Count(OrderDiscussion.OrderID) AS CountOfOrderID "
           " FROM OrderDiscussion INNER JOIN OrderHeader "
           " ON OrderDiscussion.OrderID = OrderHeader.OrderID "
           " Where OrderDiscussion.Resolution Is Null "
           " GROUP BY OrderDiscussion.OrderID "
           " HAVING OrderDiscussion.OrderID = " +
           k + ") " +
           " set @CountOpenIssues = isnull(@CountOpenIssues ,0) "
           " set @OpenProblemExists = (SELECT OrderHeader.OpenProblemExists "
           " From OrderHeader "
           " WHERE OrderHeader.OrderID = " +
           k + ") " +
           " Update OrderHeader "
           " SET OrderHeader.OpenProblemExists = 0, OrderHeader.RecordLastUpdated = GetDate()"
           " WHERE OrderHeader.OrderID = " +
           k + " " +
           " AND @CountOpenIssues = 0 AND @OpenProblemExists <> 0 ;"
           " Update OrderHeader "
           " SET OrderHeader.OpenProblemExists = 1, OrderHeader.RecordLastUpdated = GetDate()"
           " WHERE OrderHeader.OrderID = " +
           k + " AND @CountOpenIssues <> 0 AND @OpenProblemExists = 0 ;";
}

}  // namespace jex::sql
