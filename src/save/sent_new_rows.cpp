#include "save/sent_new_rows.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "data/comment_schema.h"
#include "data/issue_schema.h"
#include "data/sequence.h"
#include "save/save_marks.h"

namespace jex {
namespace {

// Where each table keeps what a row is known by.
struct RowFields {
    std::string_view sequence;
    std::string_view owner;
    std::string_view date;
    std::string_view description;
};

constexpr RowFields kIssueRowFields{issue_field::IssueSequence, "", issue_field::IssueDate,
                                    issue_field::IssueDescription};
constexpr RowFields kCommentRowFields{comment_field::DiscussionCommentSequence,
                                      comment_field::DiscussionSequence, comment_field::CommentDate,
                                      comment_field::CommentDescription};

std::string textOf(const RecordTable& table, std::string_view field) {
    return field.empty() ? std::string() : table.field(field).textOrEmpty();
}

// Every row's sequence goes to `known` when stored, and the marked new ones to `sent`.
template <class Row>
void readRows(RecordTable& table, const RowFields& fields, std::vector<Row>& sent,
              std::set<std::string>& known) {
    if (!table.isOpen()) return;
    for (table.setFilter(""); !table.atEnd(); table.moveNext()) {
        std::string sequence = textOf(table, fields.sequence);
        if (!isNewSequence(sequence)) {
            known.insert(std::move(sequence));
        } else if (isMarked(table)) {
            sent.push_back({std::move(sequence), textOf(table, fields.owner),
                            textOf(table, fields.date), textOf(table, fields.description)});
        }
    }
}

// What a stored row is found by: its date, description and owner, joined by a byte no text
// holds.
std::string keyOf(std::string_view date, std::string_view description, std::string_view owner) {
    std::string key(date);
    for (const std::string_view part : {description, owner}) {
        key += '\0';
        key += part;
    }
    return key;
}

// The stored rows the control did not know, by key, each key's rows lowest number first.
using StoredByKey = std::unordered_map<std::string, std::deque<std::string>>;

StoredByKey unknownRows(RecordTable& stored, const RowFields& fields,
                        const std::set<std::string>& known) {
    StoredByKey rows;
    for (stored.setFilter(""); !stored.atEnd(); stored.moveNext()) {
        std::string sequence = textOf(stored, fields.sequence);
        if (known.contains(sequence)) continue;
        rows[keyOf(textOf(stored, fields.date), textOf(stored, fields.description),
                   textOf(stored, fields.owner))]
            .push_back(std::move(sequence));
    }
    for (auto& [key, sequences] : rows) {
        std::ranges::sort(sequences, {}, [](const std::string& sequence) {
            return sequenceNumber(std::string_view(sequence));
        });
    }
    return rows;
}

// Takes the first stored row of the key, if any is left.
std::optional<std::string> take(StoredByKey& rows, const std::string& key) {
    const auto found = rows.find(key);
    if (found == rows.end() || found->second.empty()) return std::nullopt;
    std::string sequence = std::move(found->second.front());
    found->second.pop_front();
    return sequence;
}

}  // namespace

SentNewRows SentNewRows::ofMarkedRows(RecordTable& issues, RecordTable& comments) {
    SentNewRows rows;
    readRows(issues, kIssueRowFields, rows.m_issues, rows.m_knownIssues);
    readRows(comments, kCommentRowFields, rows.m_comments, rows.m_knownComments);
    return rows;
}

StoredSequences SentNewRows::foundIn(RecordTable& storedIssues, RecordTable& storedComments) const {
    StoredSequences found;
    if (!m_issues.empty()) {
        StoredByKey issues = unknownRows(storedIssues, kIssueRowFields, m_knownIssues);
        for (const Row& issue : m_issues) {
            if (auto twin = take(issues, keyOf(issue.date, issue.description, "")))
                found.issues.emplace(issue.sequence, std::move(*twin));
        }
    }
    if (!m_comments.empty()) {
        StoredByKey comments = unknownRows(storedComments, kCommentRowFields, m_knownComments);
        for (const Row& comment : m_comments) {
            const auto issue = found.issues.find(comment.owner);
            const std::string& owner = issue == found.issues.end() ? comment.owner : issue->second;
            if (auto twin = take(comments, keyOf(comment.date, comment.description, owner)))
                found.comments.emplace(comment.sequence, std::move(*twin));
        }
    }
    return found;
}

}  // namespace jex
