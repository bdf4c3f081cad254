#include "save/batch_builder.h"

#include <unordered_map>
#include <utility>

#include "data/comment_schema.h"
#include "data/issue_schema.h"
#include "data/sequence.h"
#include "platform/int16.h"
#include "save/sql_values.h"
#include "save/statements.h"

namespace jex {
namespace {

constexpr const char* kMarkedRows = "IsUpdated = True";

std::string textOf(const RecordTable& table, std::string_view field) {
    return table.field(field).toText();
}

int16_t sequenceNumberOf(const RecordTable& table, std::string_view field) {
    return sequenceNumber(std::string_view(textOf(table, field)));
}

void clearMark(RecordTable& table) { table.setField(kSaveMarkField, Value(false)); }

// One run of the batch builder over the marked rows of both tables. The filters fix the rows
// seen to those marked at the start, so clearing a mark on the way hides nothing. The batches
// are built in three passes: new issues each with their comments, then the stored issues'
// changes and the comments of stored issues in one batch, then the order's open-problem flag.
class BatchBuilder {
  public:
    BatchBuilder(RecordTable& issues, RecordTable& comments, std::string orderKey,
                 std::string userLiteral)
        : m_issues(issues),
          m_comments(comments),
          m_orderKey(std::move(orderKey)),
          m_userLiteral(std::move(userLiteral)) {}

    std::vector<std::string> run() {
        m_issues.setFilter(kMarkedRows);
        m_comments.setFilter(kMarkedRows);
        const bool issueMarked = m_issues.recordCount() != 0;
        if (issueMarked) m_issues.moveFirst();

        writeNewIssues();
        writeStoredIssues();
        writeCommentsOfStoredIssues();

        if (!m_storedRowsBatch.empty()) m_batches.push_back(std::move(m_storedRowsBatch));
        if (issueMarked) m_batches.push_back(sql::openProblemBatch(m_orderKey));
        m_issues.setFilter("");
        m_comments.setFilter("");
        m_batches.emplace_back();
        return std::move(m_batches);
    }

  private:
    bool commentsMarked() const { return m_comments.recordCount() != 0; }

    void writeNewIssues() {
        while (!m_issues.atEnd()) {
            if (isNewSequence(textOf(m_issues, issue_field::IssueSequence))) writeNewIssue();
            m_issues.moveNext();
            if (!m_currentBatch.empty()) m_batches.push_back(std::move(m_currentBatch));
            m_currentBatch.clear();
        }
    }

    void writeNewIssue() {
        if (commentsMarked()) m_comments.moveTo(firstMarkedComment());
        const sql::NewIssueValues issue = newIssueValues();
        m_currentBatch = sql::newIssueDeclarations(newIssueBases(), m_orderKey);
        m_currentBatch += sql::newIssueInsert(issue);
        clearMark(m_issues);

        m_newComments = 0;
        if (!commentsMarked()) return;
        const auto owned = m_commentsByIssue.find(textOf(m_issues, issue_field::IssueSequence));
        if (owned == m_commentsByIssue.end()) return;
        for (const size_t row : owned->second) {
            m_comments.moveTo(row);
            const sql::CommentValues comment = commentValues();
            if (isNewSequence(comment.sequence)) {
                m_newComments = add16(m_newComments, 1);
                m_currentBatch += sql::newIssueCommentInsert(comment, m_newComments);
            } else {
                m_currentBatch += sql::movedCommentUpdate(comment);
            }
            clearMark(m_comments);
        }
    }

    // The marked comments of each issue in table order, gathered in one walk the first time a
    // new issue needs them, so that each new issue does not walk every marked comment again.
    // The owners do not change while the batches are built.
    size_t firstMarkedComment() {
        if (m_commentsByIssue.empty()) {
            m_comments.moveFirst();
            m_firstMarkedComment = m_comments.bookmark();
            for (; !m_comments.atEnd(); m_comments.moveNext())
                m_commentsByIssue[textOf(m_comments, comment_field::DiscussionSequence)].push_back(
                    m_comments.bookmark());
        }
        return m_firstMarkedComment;
    }

    // Reads the first marked comment, where the comment table stands.
    sql::NewIssueBases newIssueBases() {
        if (sequenceNumberOf(m_issues, issue_field::IssueSequence) == 0) {
            m_commentBaseDeclared = m_zeroCommentBaseUsed = true;
            return sql::NewIssueBases::BothZero;
        }
        if (!commentsMarked()) return sql::NewIssueBases::IssueOnly;
        if (sequenceNumberOf(m_comments, comment_field::DiscussionCommentSequence) == 0 &&
            !m_commentBaseDeclared) {
            m_commentBaseDeclared = m_zeroCommentBaseUsed = true;
            return sql::NewIssueBases::IssueAndZeroComment;
        }
        return sql::NewIssueBases::IssueAndComment;
    }

    void writeStoredIssues() {
        m_commentBaseDeclared = false;
        m_newComments = 0;
        m_issues.moveFirst();
        for (; !m_issues.atEnd(); m_issues.moveNext()) {
            if (isNewSequence(textOf(m_issues, issue_field::IssueSequence))) continue;
            m_storedRowsBatch += sql::issueUpdate(issueChangeValues());
            clearMark(m_issues);
        }
    }

    void writeCommentsOfStoredIssues() {
        if (!commentsMarked()) return;
        m_comments.moveFirst();
        for (; !m_comments.atEnd(); m_comments.moveNext()) {
            if (isNewSequence(textOf(m_comments, comment_field::DiscussionSequence))) continue;
            const sql::CommentValues comment = commentValues();
            if (isNewSequence(comment.sequence)) {
                m_storedRowsBatch += commentBaseOnce(comment);
                m_newComments = add16(m_newComments, 1);
                m_storedRowsBatch += sql::storedIssueCommentInsert(comment, m_newComments);
            } else {
                m_storedRowsBatch += sql::storedCommentUpdate(comment);
            }
            clearMark(m_comments);
        }
    }

    // The comment base, declared before the first new comment of the batch and never again.
    // Numbering from zero is right only for the request's first new comments: once a new
    // issue's batch has done so, its comments are stored and the base must be read.
    std::string commentBaseOnce(const sql::CommentValues& comment) {
        if (m_commentBaseDeclared) return {};
        m_commentBaseDeclared = true;
        const bool fromZero =
            sequenceNumber(std::string_view(comment.sequence)) == 0 && !m_zeroCommentBaseUsed;
        m_zeroCommentBaseUsed = m_zeroCommentBaseUsed || fromZero;
        return sql::commentBaseDeclaration(fromZero, m_orderKey);
    }

    sql::NewIssueValues newIssueValues() const {
        const RecordTable& t = m_issues;
        return {
            .orderKey = m_orderKey,
            .type = sql::plain(t.field(issue_field::Type)),
            .priority = sql::plain(t.field(issue_field::Priority)),
            .issueDate = sql::quoted(t.field(issue_field::IssueDate)),
            .enteredBy = m_userLiteral,
            .description = sql::quotedDoubled(t.field(issue_field::IssueDescription)),
            .followUp = sql::emptyIsNull(t.field(issue_field::IssueFollowUp)),
            .resolvedDate = sql::emptyIsNull(t.field(issue_field::ResolvedDate)),
            .resolvedBy = sql::emptyIsBlank(t.field(issue_field::ResolvedBy)),
            .resolution = sql::emptyIsNullDoubled(t.field(issue_field::Resolution)),
            .enteredByPersonId = sql::emptyIsBlankPlain(t.field(issue_field::EnteredByPersonID)),
            .enteredByPersonType = sql::typeNumber(t.field(issue_field::EnteredByPersonType)),
            .resolvedByPersonId = sql::emptyIsBlankPlain(t.field(issue_field::ResolvedByPersonID)),
            .resolvedByPersonType = sql::typeNumber(t.field(issue_field::ResolvedByPersonType)),
        };
    }

    sql::IssueChangeValues issueChangeValues() const {
        const RecordTable& t = m_issues;
        return {
            .followUp = sql::emptyIsNullDoubled(t.field(issue_field::IssueFollowUp)),
            .resolvedDate = sql::emptyIsNull(t.field(issue_field::ResolvedDate)),
            .resolvedBy = sql::emptyIsBlank(t.field(issue_field::ResolvedBy)),
            .type = sql::plain(t.field(issue_field::Type)),
            .priority = sql::plain(t.field(issue_field::Priority)),
            .resolution = sql::emptyIsNullDoubled(t.field(issue_field::Resolution)),
            .resolvedByPersonId = sql::emptyIsBlankPlain(t.field(issue_field::ResolvedByPersonID)),
            .resolvedByPersonType = sql::typeNumber(t.field(issue_field::ResolvedByPersonType)),
            .issueNumber = sql::sequenceNumberText(t.field(issue_field::IssueSequence)),
            .orderKey = m_orderKey,
        };
    }

    // The row's own author is not written: whoever saves is the author of what is saved.
    sql::CommentValues commentValues() const {
        const RecordTable& t = m_comments;
        return {
            .sequence = sql::plain(t.field(comment_field::DiscussionCommentSequence)),
            .issueSequence = sql::plain(t.field(comment_field::DiscussionSequence)),
            .orderKey = m_orderKey,
            .type = sql::plain(t.field(comment_field::Type)),
            .date = sql::quoted(t.field(comment_field::CommentDate)),
            .enteredBy = m_userLiteral,
            .description = sql::quotedDoubled(t.field(comment_field::CommentDescription)),
            .focusCenter = sql::flag(t.field(comment_field::FocusCenter)),
            .followupCenter = sql::nullIsNull(t.field(comment_field::FollowupCenter)),
            .focusPurchasing = sql::flag(t.field(comment_field::FocusPurchasing)),
            .followupCsc = sql::nullIsNull(t.field(comment_field::FollowupCSC)),
            .focusAccounting = sql::flag(t.field(comment_field::FocusAccounting)),
            .focusBilling = sql::flag(t.field(comment_field::FocusBilling)),
            .focusJexd = sql::flag(t.field(comment_field::FocusJEXD)),
            .personId = sql::nullIsNull(t.field(comment_field::CommentEnteredByPersonID)),
            .personType = sql::nullIsNull(t.field(comment_field::CommentEnteredByPersonType)),
        };
    }

    RecordTable& m_issues;
    RecordTable& m_comments;
    const std::string m_orderKey;     // quoted
    const std::string m_userLiteral;  // quoted, or '' for no user
    std::vector<std::string> m_batches;
    std::string m_currentBatch;
    std::string m_storedRowsBatch;
    std::unordered_map<std::string, std::vector<size_t>> m_commentsByIssue;
    size_t m_firstMarkedComment = 0;
    bool m_commentBaseDeclared = false;  // in the batch being built
    bool m_zeroCommentBaseUsed = false;  // by any batch of the request
    int16_t m_newComments = 0;
};

}  // namespace

std::vector<std::string> buildSaveBatches(RecordTable& issues, RecordTable& comments,
                                          std::string orderKey, std::string userLiteral) {
    return BatchBuilder(issues, comments, std::move(orderKey), std::move(userLiteral)).run();
}

}  // namespace jex
