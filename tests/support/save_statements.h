#pragma once

#include <httplib.h>

#include <string>
#include <vector>

#include "save/statements.h"

namespace jex::test {

// The fixed parts of the statements a save writes, as the control writes them, blanks included.

inline std::string issueBase(const std::string& order) {
    return "DECLARE @MaxID Int Set @MaxID = (SELECT Max(IssueSequence) From OrderDiscussion WHERE "
           "OrderID='" +
           order + "' ) ";
}

inline std::string commentBase(const std::string& order) {
    return " DECLARE @MAXCommentID Int Set @MAXCommentID = (SELECT Max(CommentSequence) From "
           "OrderDiscussionComment WHERE OrderID='" +
           order + "') ";
}

inline const std::string kIssueInsert =
    "INSERT INTO OrderDiscussion (IssueSequence, OrderID,Type, Priority, IssueDate, EnteredBy, "
    "IssueDescription, IssueFollowUp, ResolvedDate, ResolvedBy,Resolution, RecordLastUpdated, "
    "EnteredByPersonId, EnteredByPersonType, ResolvedByPersonId, ResolvedByPersonType) ";

inline const std::string kCommentInsertHead =
    "INSERT INTO OrderDiscussionComment (CommentSequence,IssueSequence, OrderID, CommentType, "
    "CommentDate, CommentEnteredBy, CommentDescription, FocusCenter, FollowupCenter,"
    "FocusPurchasing, FollowupCSC, ";

// The comment INSERTs under a new issue and under a stored one differ in blanks and case.
inline const std::string kNewIssueCommentInsert =
    kCommentInsertHead +
    "FocusAccounting, FocusBilling, RecordLastUpdated, FocusJEXD, CommentEnteredByPersonId, "
    "CommentEnteredByPersonType)  VALUES (@MAXCommentID+";

inline const std::string kStoredIssueCommentInsert =
    kCommentInsertHead +
    "FocusAccounting,FocusBilling, RecordLastUpdated, FocusJEXD, CommentEnteredByPersonID, "
    "CommentEnteredByPersonType)  VALUES (@MAXCommentID+";

// The closing batch that sets the order's open-problem flag from its unresolved issues.
inline std::string openProblemBatch(const std::string& order) {
    const std::string key = "'" + order + "'";
    return "DECLARE @CountOpenIssues int, @OpenProblemExists int  set @CountOpenIssues = (SELECT "
           "Count(OrderDiscussion.OrderID) AS CountOfOrderID  FROM OrderDiscussion INNER JOIN "
           "OrderHeader  ON OrderDiscussion.OrderID = OrderHeader.OrderID  Where "
           "OrderDiscussion.Resolution Is Null  GROUP BY OrderDiscussion.OrderID  HAVING "
           "OrderDiscussion.OrderID = " +
           key +
           ")  set @CountOpenIssues = isnull(@CountOpenIssues ,0)  set @OpenProblemExists = "
           "(SELECT OrderHeader.OpenProblemExists  From OrderHeader  WHERE OrderHeader.OrderID = " +
           key +
           ")  Update OrderHeader  SET OrderHeader.OpenProblemExists = 0, "
           "OrderHeader.RecordLastUpdated = GetDate() WHERE OrderHeader.OrderID = " +
           key +
           "  AND @CountOpenIssues = 0 AND @OpenProblemExists <> 0 ; Update OrderHeader  SET "
           "OrderHeader.OpenProblemExists = 1, OrderHeader.RecordLastUpdated = GetDate() WHERE "
           "OrderHeader.OrderID = " +
           key + " AND @CountOpenIssues <> 0 AND @OpenProblemExists = 0 ;";
}

// The control's UPDATE of stored issue `issue` of `order`; the values are written forms
// ("'Dec 19, 2026'", "Null").
inline std::string issueUpdate(const std::string& order, int issue, const std::string& followUp,
                               const std::string& resolution = "Null",
                               const std::string& resolvedDate = "Null",
                               const std::string& resolvedBy = "''") {
    return sql::issueUpdate({.followUp = followUp,
                             .resolvedDate = resolvedDate,
                             .resolvedBy = resolvedBy,
                             .type = "1",
                             .priority = "1",
                             .resolution = resolution,
                             .resolvedByPersonId = "''",
                             .resolvedByPersonType = "0",
                             .issueNumber = std::to_string(issue),
                             .orderKey = "'" + order + "'"});
}

// A save of a new issue of order with one comment under it, both with the text tag, as the
// control writes it.
inline std::string newIssueSave(const std::string& order, const std::string& tag) {
    const std::string key = "'" + order + "'";
    return issueBase(order) + commentBase(order) + kIssueInsert + "Values(@MaxID+1," + key +
           ",2,1,'Dec 05, 2026 14:07:09','Ann|7|1','" + tag +
           "','Dec 19, 2026',Null,'', Null,GETDATE(),7,1,'',0);" + kNewIssueCommentInsert +
           "1,@MaxID+1 ," + key + ",1,'Dec 05, 2026 14:08:00','Ann|7|1','" + tag +
           "',-1,Null,0,Null,0,-1,GETDATE(),0,'7','1');";
}

// The url-encoded form body of a save request, one SQL field a batch.
inline std::string formBody(const std::vector<std::string>& batches) {
    std::string body;
    for (const std::string& batch : batches)
        body += "SQL=" + httplib::detail::encode_query_param(batch) + "&";
    return body;
}

}  // namespace jex::test
