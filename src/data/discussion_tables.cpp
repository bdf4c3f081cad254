#include "data/discussion_tables.h"

#include "data/comment_schema.h"
#include "data/issue_schema.h"

namespace jex {

void declareFields(RecordTable& table, std::span<const FieldSpec> fields) {
    for (const FieldSpec& field : fields)
        table.appendField(field.name, field.type, field.size, field.attribute);
}

void declareDiscussionFields(RecordTable& table) { declareFields(table, kIssueFields); }

void declareCommentFields(RecordTable& table) { declareFields(table, kCommentFields); }

}  // namespace jex
