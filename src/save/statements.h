#pragma once

#include <cstdint>
#include <string>

// The statements of the save batches, built from values already in their written forms
// (save/sql_values.h). Each statement is written in one place; none of them fails except where
// it takes a sequence number of its own.
namespace jex::sql {

// A new issue's values, each in its written form.
struct NewIssueValues {
    std::string orderKey;  // quoted
    std::string type;
    std::string priority;
    std::string issueDate;
    std::string enteredBy;  // the user literal
    std::string description;
    std::string followUp;
    std::string resolvedDate;
    std::string resolvedBy;
    std::string resolution;
    std::string enteredByPersonId;
    std::string enteredByPersonType;
    std::string resolvedByPersonId;
    std::string resolvedByPersonType;
};

// A stored issue's changeable values, each in its written form.
struct IssueChangeValues {
    std::string followUp;
    std::string resolvedDate;
    std::string resolvedBy;
    std::string type;
    std::string priority;
    std::string resolution;
    std::string resolvedByPersonId;
    std::string resolvedByPersonType;
    std::string issueNumber;  // the sequence number of IssueSequence
    std::string orderKey;     // quoted
};

// A comment row's value set, slot by slot (C0 ... C15).
struct CommentValues {
    std::string sequence;       // C0, plain
    std::string issueSequence;  // C1, plain
    std::string orderKey;       // C2, quoted
    std::string type;           // C3
    std::string date;           // C4
    std::string enteredBy;      // C5, the user literal
    std::string description;    // C6
    std::string focusCenter;    // C7
    std::string followupCenter;
    std::string focusPurchasing;
    std::string followupCsc;
    std::string focusAccounting;
    std::string focusBilling;
    std::string focusJexd;  // C13
    std::string personId;
    std::string personType;  // C15
};

// How a new issue's batch declares its bases: both counted from zero (the issue is stored as 0),
// the issue base alone, the issue base with a comment base of zero, or both from the database.
enum class NewIssueBases { BothZero, IssueOnly, IssueAndZeroComment, IssueAndComment };

// The declarations that open a new issue's batch; `orderKey` quoted.
std::string newIssueDeclarations(NewIssueBases bases, const std::string& orderKey);
// The comment base declared before the first new comment of the stored issues' batch: zero, or
// the order's highest comment number. `orderKey` quoted.
std::string commentBaseDeclaration(bool fromZero, const std::string& orderKey);

std::string newIssueInsert(const NewIssueValues& issue);
std::string issueUpdate(const IssueChangeValues& issue);

// A new comment of a new issue, numbered `count` above the comment base.
std::string newIssueCommentInsert(const CommentValues& comment, int16_t count);
// A new comment of a stored issue, numbered `count` above the comment base. Raises the errors
// of the owner's sequence number.
std::string storedIssueCommentInsert(const CommentValues& comment, int16_t count);
// A stored comment moved onto the new issue of the batch. Raises the errors of the comment's
// sequence number.
std::string movedCommentUpdate(const CommentValues& comment);
// A stored comment of a stored issue. Raises the errors of the sequence numbers.
std::string storedCommentUpdate(const CommentValues& comment);

// The batch that sets the order's open-problem flag from its open issues; `orderKey` quoted.
std::string openProblemBatch(const std::string& orderKey);

}  // namespace jex::sql
