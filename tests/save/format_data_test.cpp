// The SQL batches of a save, as SaveDataToIIS hands them over: tables built from hand-written
// documents of order PO9, rows marked and altered through the tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comments/find_comment.h"
#include "support/control_session.h"
#include "support/discussion_document.h"
#include "support/save_statements.h"

namespace jex {
namespace {

using Batches = std::vector<std::string>;

constexpr const char* kDate = "Dec 05, 2026 14:07:09";

struct IssueTexts {
    std::string sequence{};
    bool marked = true;
    std::string date = kDate;
    std::string description = "Late";
    std::string resolvedDate{}, resolvedBy{}, resolution{}, followUp{};
    std::string enteredById = "77", resolvedById{};
    std::string order = "PO9";
};

std::string issue(const IssueTexts& i) {
    return test::record(
        {i.sequence, i.order, "0", "1", i.date, "Clerk Kent", i.description, i.resolvedDate,
         i.resolvedBy, i.resolution, "", i.followUp, i.marked ? "True" : "False", i.enteredById,
         "1", i.resolvedById, i.resolvedById.empty() ? "" : "1"},
        0);
}

struct CommentTexts {
    std::string sequence{}, owner{};
    bool marked = true;
    std::string description = "Note";
    std::string focus = "00000";  // Center, Purchasing, Accounting, Billing, JEXD
    std::string followupCenter{}, followupCsc{};
    std::string date = kDate;
    std::string personId = "77";
};

std::string comment(const CommentTexts& c) {
    const auto focus = [&](int i) { return c.focus[i] == '1' ? "True" : "False"; };
    return test::record({c.sequence, c.owner, "PO9", "0", c.date, "Ann", c.description, focus(0),
                         c.followupCenter, focus(1), c.followupCsc, focus(2), focus(3), "",
                         focus(4), c.marked ? "True" : "False", c.personId, "1"},
                        1);
}

using test::kIssueInsert;
using test::kNewIssueCommentInsert;
using test::kStoredIssueCommentInsert;
const std::string kIssueBase = test::issueBase("PO9");
const std::string kCommentBase = test::commentBase("PO9");
const std::string kOpenProblemBatch = test::openProblemBatch("PO9");

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::string joined(const Batches& batches) {
    std::string all;
    for (const std::string& batch : batches) all += batch;
    return all;
}

// A control whose save is read as text.
struct SaveSession {
    // Loads the rows as the discussion of PO9, saved by the user `userName` (none when empty).
    void load(const std::vector<std::string>& issues, const std::vector<std::string>& comments,
              const std::string& userName = "Clerk Kent|77|1") {
        if (!userName.empty()) s.control.setUserName(userName);
        s.load(test::Document{.issues = issues, .comments = comments}.xml());
        ASSERT_TRUE(s.reports().empty()) << s.reports()[0];
    }
    // The batches of a save, the closing empty entry left out.
    Batches save() {
        const std::string text = s.control.SaveDataToIIS("\n");
        Batches batches;
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1)
            batches.push_back(text.substr(start, end - start));
        return batches;
    }
    RecordTable& issues() { return *s.control.state().DiscussionTable; }
    RecordTable& comments() { return *s.control.state().CommentTable; }
    // The comments' marks in table order, 1 for a marked row.
    std::string commentMarks() {
        std::string found;
        for (const auto& row : comments().snapshot()) found += row[15] == Value(true) ? '1' : '0';
        return found;
    }

    test::ControlSession s;
};

struct FormatData : ::testing::Test, SaveSession {};

// Each new issue's batch takes its own comments in table order, counted from 1, whatever rows
// of other issues lie between them.
TEST_F(FormatData, WorkedExample_batchesInOrderToTheCharacterAndOnlyOnce) {
    load({issue({"002", true, kDate, "Late", "Dec 06, 2026 09:30:00", "Clerk Kent", "Refunded",
                 "Dec 19, 2026", "77", "77"}),
          issue({"003", false}), issue({.sequence = "004N", .followUp = "Dec 19, 2026"}),
          issue({"010N"})},
         {comment({"011N", "010N", true, "B1"}),
          comment({"007N", "004N", true, "Call vendor", "11001", "", "Dec 20, 2026"}),
          comment({"006", "002", false}),
          comment({.sequence = "005", .owner = "004N", .focus = "10000"}),
          comment({"012N", "010N", true, "B2"}), comment({"008N", "004N"}),
          comment({"009N", "002", true, "Chased", "00110"})});
    ASSERT_TRUE(findComment(comments(), "007N"));
    comments().setField("FollowupCenter", Value::null());
    const auto note = [](const char* count, const char* description) {
        return kNewIssueCommentInsert + count + ",@MaxID+1 ,'PO9',0,'" + kDate +
               "','Clerk Kent|77|1','" + description + "',0,'',0,'',0,0,GETDATE(),0,'77','1');";
    };

    const Batches expected = {
        kIssueBase + kCommentBase + kIssueInsert +
            "Values(@MaxID+1,'PO9',0,1,'Dec 05, 2026 14:07:09','Clerk Kent|77|1','Late',"
            "'Dec 19, 2026',Null,'', Null,GETDATE(),77,1,'',0);" +
            kNewIssueCommentInsert +
            "1,@MaxID+1 ,'PO9',0,'Dec 05, 2026 14:07:09','Clerk Kent|77|1','Call vendor',-1,Null,"
            "-1,'Dec 20, 2026',0,0,GETDATE(),-1,'77','1');"
            "UPDATE OrderDiscussionComment SET IssueSequence = @MaxID+1 , CommentType = 0, "
            "FocusCenter = -1, FollowupCenter = '', FocusPurchasing = 0, FollowupCSC = '', "
            "FocusAccounting = 0, FocusBilling = 0, FocusJEXD = 0, RecordLastUpdated =  GETDATE()"
            " WHERE CommentSequence = 5 And OrderID ='PO9';" +
            note("2", "Note"),
        kIssueBase + kCommentBase + kIssueInsert +
            "Values(@MaxID+1,'PO9',0,1,'Dec 05, 2026 14:07:09','Clerk Kent|77|1','Late',Null,Null,"
            "'', Null,GETDATE(),77,1,'',0);" +
            note("1", "B1") + note("2", "B2"),
        "UPDATE OrderDiscussion SET IssueFollowUp ='Dec 19, 2026', ResolvedDate = 'Dec 06, 2026 "
        "09:30:00', ResolvedBy = 'Clerk Kent', Type= 0, Priority = 1,Resolution = 'Refunded', "
        "RecordLastUpdated = GETDATE(), ResolvedByPersonId = 77, ResolvedByPersonType = 1 Where "
        "IssueSequence =2  and Orderid = 'PO9';" +
            kCommentBase + kStoredIssueCommentInsert +
            "1,2,'PO9',0,'Dec 05, 2026 14:07:09','Clerk Kent|77|1','Chased',0,'',0,'',-1,-1,"
            "GETDATE(),0,'77','1');",
        kOpenProblemBatch};
    EXPECT_EQ(save(), expected);

    EXPECT_EQ(s.control.SaveDataToIIS("\n"), "") << "every mark cleared";
}

// The order key and the user name are quoted in every statement, their apostrophes doubled as
// those of every text a row holds; a missing order has a fixed key and a missing user a blank.
TEST_F(FormatData, UnsafeInput_apostrophesDoubledOddPersonIdsQuotedAndNullFollowUpWritten) {
    const auto typedIssue = [](const char* sequence, const char* resolvedById) {
        return issue({sequence, true, "Dec 05 o'clock", "Joe's order", "it's done", "O'Hara",
                      "won't fix", "Dec 19 '26", "x'1", resolvedById, "PO'9"});
    };
    const auto typedComment = [](const char* sequence, const char* owner) {
        return comment(
            {sequence, owner, true, "it's", "00000", "o'c", "c'sc", "Dec 05 o'clock", "p'1"});
    };
    load({issue({.sequence = "013", .order = "PO'9"}), typedIssue("012", "x'2"),
          typedIssue("004N", "-12")},
         {typedComment("005", "012"), typedComment("007N", "004N")}, "O'Hara|7|1");
    issues().moveFirst();  // an edit that leaves the follow-up box empty stores null
    issues().setField("IssueFollowUp", Value::null());

    const std::string all = joined(save());
    for (const std::string fragment : {
             "Values(@MaxID+1,'PO''9',0,1,'Dec 05 o''clock','O''Hara|7|1','Joe''s order',"
             "'Dec 19 ''26','it''s done','O''Hara', 'won''t fix',GETDATE(),'x''1',1,-12,1);",
             "@MaxID+1 ,'PO''9',0,'Dec 05 o''clock','O''Hara|7|1','it''s',0,'o''c',0,'c''sc',0,"
             "0,GETDATE(),0,'p''1','1');",
             "UPDATE OrderDiscussion SET IssueFollowUp ='Dec 19 ''26', ResolvedDate = 'it''s "
             "done', ResolvedBy = 'O''Hara', Type= 0, Priority = 1,Resolution = 'won''t fix', "
             "RecordLastUpdated = GETDATE(), ResolvedByPersonId = 'x''2', ResolvedByPersonType = "
             "1 Where IssueSequence =12  and Orderid = 'PO''9';",
             "SET IssueSequence = 12, CommentType = 0, FocusCenter = 0, FollowupCenter = 'o''c', "
             "FocusPurchasing = 0, FollowupCSC = 'c''sc',",
             "UPDATE OrderDiscussion SET IssueFollowUp =Null, ResolvedDate = Null,",
         })
        EXPECT_NE(all.find(fragment), std::string::npos) << fragment;
    // Four in the new issue's batch, three in the stored rows' batch, four in the last.
    EXPECT_EQ(occurrences(all, "'PO''9'"), 11);

    SaveSession unnamed;
    unnamed.load(
        {issue({.sequence = "002", .order = ""}), issue({.sequence = "004N", .order = ""})},
        {comment({"007N", "004N"}), comment({"008N", "002"})}, "");
    const std::string none = joined(unnamed.save());
    EXPECT_EQ(occurrences(none, "'PO_NUMBER_REQUIRED'"), 11);
    EXPECT_EQ(occurrences(none, "'Dec 05, 2026 14:07:09','',"), 3);
}

// Every batch's start, the comment bases declared in the whole save, and the comments' marks
// after it; the filters always end empty.
TEST_F(FormatData, Batches_declarationsAndMarksFollowTheRows) {
    const std::string open = "DECLARE @CountOpenIssues";
    struct Case {
        const char* name;
        int commentBases;
        std::string commentMarks;
        std::vector<std::string> issues, comments, starts;
    };
    // clang-format off
    const Case cases[] = {
        {"issue 000N counts from zero; the later batches declare their own bases", 3, "000",
         {issue({"000N"}), issue({"005N"}), issue({"002", false})},
         {comment({"003N", "000N"}), comment({"004N", "005N"}), comment({"006N", "002"})},
         {"DECLARE @MaxID Int Set @MaxID = -1 DECLARE @MAXCommentID Int Set @MAXCommentID = 0 " +
              kIssueInsert,
          kIssueBase + kCommentBase + kIssueInsert, kCommentBase + kStoredIssueCommentInsert, open}},
        {"no comment marked: the issue base alone", 0, "0", {issue({"004N"})},
         {comment({"007N", "004N", false})}, {kIssueBase + kIssueInsert, open}},
        {"first marked comment 000N", 1, "0", {issue({"004N"})}, {comment({"000N", "004N"})},
         {kIssueBase + " DECLARE @MAXCommentID Int Set @MAXCommentID = 0 " + kIssueInsert, open}},
        {"stored issue, first new comment 000N: no blank before the INSERT, one base", 1, "00",
         {issue({"002", false})}, {comment({"000N", "002"}), comment({"001N", "002"})},
         {" DECLARE @MAXCommentID Int Set @MAXCommentID = 0" + kStoredIssueCommentInsert + "1,2,"}},
        {"stored issue: the base after the UPDATE; only comments marked: no open-problem batch", 1,
         "00", {issue({"002", false})}, {comment({"006", "002"}), comment({"007N", "002"})},
         {"UPDATE OrderDiscussionComment SET IssueSequence = 2, CommentType = 0"}},
        {"comment of an unmarked new issue: written nowhere, still marked", 0, "1",
         {issue({"002"}), issue({"004N", false})}, {comment({"007N", "004N"})},
         {"UPDATE OrderDiscussion SET", open}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaveSession session;
        session.load(c.issues, c.comments);
        const Batches batches = session.save();
        ASSERT_EQ(batches.size(), c.starts.size());
        for (size_t i = 0; i < batches.size(); ++i)
            EXPECT_EQ(batches[i].substr(0, c.starts[i].size()), c.starts[i]);
        EXPECT_EQ(occurrences(joined(batches), "DECLARE @MAXCommentID"), c.commentBases);
        EXPECT_EQ(session.commentMarks(), c.commentMarks);
        EXPECT_EQ(session.issues().filter() + session.comments().filter(), "");
    }
}

}  // namespace
}  // namespace jex
