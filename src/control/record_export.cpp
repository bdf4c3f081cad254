#include <string_view>
#include <unordered_map>
#include <vector>

#include "control/jex_po_discussions_xml.h"
#include "data/comment_schema.h"
#include "data/issue_record.h"
#include "data/issue_schema.h"
#include "platform/int16.h"
#include "platform/text.h"

namespace jex {

namespace {

// A comment is exported up to its billing focus, thirteen fields: what hosts read back. The
// fields after it are not.
constexpr int kExportedCommentFields =
    fieldPosition(kCommentFields, comment_field::FocusBilling) + 1;

std::string joined(const std::vector<std::string>& fields, const std::string& separator) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) text += separator;
        text += fields[i];
    }
    return text;
}

// The first row in view of each issue sequence, so that each row of the list finds its issue
// without a walk from the top of the table.
std::unordered_map<std::string, size_t> firstRowOfEachIssue(RecordTable& issues) {
    std::unordered_map<std::string, size_t> rows;
    for (issues.moveFirst(); !issues.atEnd(); issues.moveNext())
        rows.try_emplace(issues.field(issue_field::IssueSequence).toText(), issues.bookmark());
    return rows;
}

// The pieces of `text` between the occurrences of `separator`; the whole text when the
// separator is empty.
std::vector<std::string> pieces(std::string_view text, std::string_view separator) {
    std::vector<std::string> found;
    if (separator.empty()) return {std::string(text)};
    for (size_t end = text.find(separator);; end = text.find(separator)) {
        found.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) return found;
        text.remove_prefix(end + separator.size());
    }
}

std::string commentRecord(const RecordTable& comments, const std::string& fieldSeparator) {
    std::vector<std::string> fields;
    for (int position = 0; position < kExportedCommentFields; ++position) {
        // Text as it is, numbers in decimal, Booleans True or False, an unset or null field empty.
        fields.push_back(comments.field(position).textOrEmpty());
    }
    return joined(fields, fieldSeparator);
}

// The text's cells, row by row; the first row fixes the width, a longer row is cut to it.
// Raises Subscript out of range (9) for a text without a row separator or a row too short.
Array2D cellsOf(const std::string& data, const std::string& columnSeparator,
                const std::string& rowSeparator) {
    const std::vector<std::string> rows = pieces(data, rowSeparator);
    const int16_t lastRow = toInt16(static_cast<long long>(rows.size()) - 2);
    if (lastRow < 0) raiseRuntime(err::SubscriptOutOfRange);
    const int16_t lastColumn =
        toInt16(static_cast<long long>(pieces(rows[0], columnSeparator).size()) - 1);
    Array2D cells(lastRow + 1, lastColumn + 1);
    for (int16_t r = 0; r <= lastRow; r = add16(r, 1)) {
        const std::vector<std::string> parts = pieces(rows[r], columnSeparator);
        if (parts.size() <= static_cast<size_t>(lastColumn)) raiseRuntime(err::SubscriptOutOfRange);
        for (int16_t c = 0; c <= lastColumn; c = add16(c, 1)) cells.at(r, c) = Value(parts[c]);
    }
    return cells;
}

}  // namespace

// Takes the issues the next save would write, as GetComments does for comments.
std::string JEXPODiscussionsXML::GetDiscussions(const std::string& ptFieldSeparator,
                                                const std::string& ptRecordSeparator) {
    std::string result;
    trap("GetDiscussions", [&] {
        // Before any load the list is empty and the table closed: there is nothing to take.
        const int16_t count = toInt16(lstDiscussions.count());
        if (count == 0) return;
        std::string text;
        const auto issueRows = firstRowOfEachIssue(*DiscussionTable);
        for (int16_t index = 1; index <= count; index = add16(index, 1)) {
            const ui::ListItem& row = *lstDiscussions.item(index);
            const auto issueRow = issueRows.find(row.column(issue_row::Sequence));
            if (issueRow == issueRows.end()) continue;
            DiscussionTable->moveTo(issueRow->second);
            if (!isMarked(*DiscussionTable)) continue;
            text += joined({row.column(issue_row::Sequence), OrderID,
                            std::to_string(TypeIndex(row.column(issue_row::Type), true)),
                            std::to_string(PriorityIndex(row.column(issue_row::Priority))),
                            row.column(issue_row::EnteredDate), row.column(issue_row::EnteredBy),
                            row.column(issue_row::Description), row.column(issue_row::ResolvedDate),
                            row.column(issue_row::ResolvedBy), row.column(issue_row::Resolution),
                            row.column(issue_row::LastUpdated)},
                           ptFieldSeparator) +
                    ptRecordSeparator;
        }
        // The table is left on the last row's issue (at its end when none has that sequence).
        if (count >= 1)
            moveToIssue(*DiscussionTable, lstDiscussions.item(count)->column(issue_row::Sequence));
        result = std::move(text);
    });
    return result;
}

std::string JEXPODiscussionsXML::GetComments(const std::string& ptFieldSeparator,
                                             const std::string& ptRecordSeparator) {
    std::string result;
    trap("GetComments", [&] {
        RecordTable& comments = *CommentTable;
        if (!comments.isOpen() || comments.recordCount() == 0) return;
        std::string text;
        for (comments.moveFirst(); !comments.atEnd(); comments.moveNext()) {
            if (isMarked(comments))
                text += commentRecord(comments, ptFieldSeparator) + ptRecordSeparator;
        }
        result = std::move(text);
    });
    return result;
}

Value JEXPODiscussionsXML::StringToArray(const std::string& ptData,
                                         const std::string& ptColumnSeparator,
                                         const std::string& ptRowSeparator) {
    Value result;
    trap("StringToArray", [&] {
        if (trimBlanks(ptData).empty()) return;
        result = Value(cellsOf(ptData, ptColumnSeparator, ptRowSeparator));
    });
    return result;
}

}  // namespace jex
