#include "issues/issue_writer.h"

namespace jex {

void IssueWriter::text(int column, const std::string& text) {
    m_row.setColumn(column, text);
    m_table.setField(kIssueColumns[column].field, Value(text));
}

void IssueWriter::code(int column, const std::string& text, int16_t code) {
    m_row.setColumn(column, text);
    m_table.setField(kIssueColumns[column].field, Value(code));
}

void IssueWriter::followUp(const std::string& text) {
    m_row.setColumn(issue_row::FollowUp, text);
    m_table.setField(issue_field::IssueFollowUp, text.empty() ? Value::null() : Value(text));
}

}  // namespace jex
