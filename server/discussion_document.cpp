#include "discussion_document.h"

#include <pugixml.hpp>
#include <span>
#include <sstream>

#include "sql_values.h"

namespace jex::server {

namespace {

enum class FieldForm {
    Text,    // the column's value as text; numbers in plain decimal
    Flag,    // a stored flag: non-zero reads "True", zero "False"
    Unsent,  // a field of the control's row that the database doesn't keep: always empty
};

struct Field {
    const char* element;
    const char* column;
    FieldForm form = FieldForm::Text;
};

struct Section {
    const char* element;
    const char* recordElement;
    const char* table;
    std::span<const Field> fields;
    const char* orderBy;
    bool ofOneOrder;
};

// Field order is the control's contract: it reads every record by position.
constexpr Field kTypeFields[] = {
    {"TypeCode", "TypeCode"},
    {"Description", "Description"},
    {"GroupCode", "GroupCode"},
};

constexpr Field kGroupFields[] = {
    {"GroupCode", "GroupCode"},
    {"Description", "Description"},
    {"FollowUpDays", "FollowUpDays"},
};

constexpr Field kPriorityFields[] = {
    {"Caption", "Caption"},
    {"PriorityCode", "PriorityCode"},
};

constexpr Field kCommentTypeFields[] = {
    {"CommentTypeCode", "CommentTypeCode"},
    {"Description", "Description"},
};

// "IssueSequence" is the one element name the control reads: it pads those values to three
// digits, which is how a comment finds its issue.
constexpr Field kIssueFields[] = {
    {"IssueSequence", "IssueSequence"},
    {"OrderID", "OrderID"},
    {"Type", "Type"},
    {"Priority", "Priority"},
    {"IssueDate", "IssueDate"},
    {"EnteredBy", "EnteredBy"},
    {"IssueDescription", "IssueDescription"},
    {"ResolvedDate", "ResolvedDate"},
    {"ResolvedBy", "ResolvedBy"},
    {"Resolution", "Resolution"},
    {"RecordLastUpdated", "RecordLastUpdated"},
    {"IssueFollowUp", "IssueFollowUp"},
    {"IsUpdated", nullptr, FieldForm::Unsent},
    {"EnteredByPersonID", "EnteredByPersonId"},
    {"EnteredByPersonType", "EnteredByPersonType"},
    {"ResolvedByPersonID", "ResolvedByPersonId"},
    {"ResolvedByPersonType", "ResolvedByPersonType"},
};

constexpr Field kCommentFields[] = {
    {"CommentSequence", "CommentSequence"},
    {"IssueSequence", "IssueSequence"},
    {"OrderID", "OrderID"},
    {"Type", "CommentType"},
    {"CommentDate", "CommentDate"},
    {"CommentEnteredBy", "CommentEnteredBy"},
    {"CommentDescription", "CommentDescription"},
    {"FocusCenter", "FocusCenter", FieldForm::Flag},
    {"FollowupCenter", "FollowupCenter"},
    {"FocusPurchasing", "FocusPurchasing", FieldForm::Flag},
    {"FollowupCSC", "FollowupCSC"},
    {"FocusAccounting", "FocusAccounting", FieldForm::Flag},
    {"FocusBilling", "FocusBilling", FieldForm::Flag},
    {"RecordLastUpdated", "RecordLastUpdated"},
    {"FocusJEXD", "FocusJEXD", FieldForm::Flag},
    {"IsUpdated", nullptr, FieldForm::Unsent},
    {"CommentEnteredByPersonID", "CommentEnteredByPersonId"},
    {"CommentEnteredByPersonType", "CommentEnteredByPersonType"},
};

// Vocabularies go out in code order: the control derives a priority's code (1..n) and a comment
// type's code (0..n-1) from the record's position.
constexpr Section kSections[] = {
    {"DiscussionTypes", "DiscussionType", "DiscussionType", kTypeFields, "TypeCode", false},
    {"DiscussionGroups", "DiscussionGroup", "DiscussionGroup", kGroupFields, "GroupCode", false},
    {"DiscussionPriorities", "DiscussionPriority", "DiscussionPriority", kPriorityFields,
     "PriorityCode", false},
    {"CommentTypes", "CommentType", "CommentType", kCommentTypeFields, "CommentTypeCode", false},
    {"Issues", "Issue", "OrderDiscussion", kIssueFields, "IssueSequence", true},
    {"Comments", "Comment", "OrderDiscussionComment", kCommentFields, "CommentSequence", true},
};

std::string selectSql(const Section& section) {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < section.fields.size(); ++i) {
        if (i > 0) sql += ", ";
        const Field& field = section.fields[i];
        sql += field.form == FieldForm::Unsent ? "NULL" : field.column;
    }
    sql += std::string(" FROM ") + section.table;
    if (section.ofOneOrder) sql += " WHERE OrderID = $1";
    return sql + " ORDER BY " + section.orderBy;
}

std::string fieldText(const Field& field, const SqlStatement& row, int column) {
    if (field.form == FieldForm::Unsent) return {};
    SqlValue value = row.column(column);
    if (std::holds_alternative<std::monostate>(value)) return {};
    if (field.form == FieldForm::Flag) {
        return wholeNumberOf(value).value_or(0) != 0 ? "True" : "False";
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    return std::move(std::get<std::string>(value));
}

void appendRecord(pugi::xml_node sectionNode, const Section& section, const SqlStatement& row) {
    pugi::xml_node record = sectionNode.append_child(section.recordElement);
    for (std::size_t i = 0; i < section.fields.size(); ++i) {
        const Field& field = section.fields[i];
        pugi::xml_node fieldNode = record.append_child(field.element);
        // An element without text is how the control learns that a field has no value.
        const std::string text = fieldText(field, row, static_cast<int>(i));
        if (!text.empty()) fieldNode.text().set(text.c_str());
    }
}

void appendSection(pugi::xml_node root, SqlConnection& connection, const Section& section,
                   std::string_view orderId) {
    pugi::xml_node sectionNode = root.append_child(section.element);
    const auto query = connection.prepare(selectSql(section));
    if (section.ofOneOrder) query->bind(1, std::string(orderId));
    while (query->step()) appendRecord(sectionNode, section, *query);
}

}  // namespace

std::string discussionDocument(SqlConnection& connection, std::string_view orderId) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("PODiscussion");
    for (const Section& section : kSections) appendSection(root, connection, section, orderId);

    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return text.str();
}

}  // namespace jex::server
