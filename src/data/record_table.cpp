#include "data/record_table.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/error.h"
#include "platform/text.h"

namespace jex {

namespace {

constexpr const char* kSource = "RecordTable";

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
size_t characterCount(std::string_view text) {
    return static_cast<size_t>(std::ranges::count_if(
        text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// `Field = operand`, blanks around either side ignored.
struct Criterion {
    std::string_view field;
    std::string_view operand;
};

std::optional<Criterion> splitCriterion(std::string_view text) {
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    Criterion criterion{trimBlanks(text.substr(0, equals)), trimBlanks(text.substr(equals + 1))};
    if (criterion.field.empty() || criterion.operand.empty()) return std::nullopt;
    return criterion;
}

// The text between the quotes of 'value'; a value holding a quote of its own is not supported.
std::optional<std::string_view> quotedText(std::string_view operand) {
    if (operand.size() < 2 || operand.front() != '\'' || operand.back() != '\'')
        return std::nullopt;
    std::string_view inner = operand.substr(1, operand.size() - 2);
    if (inner.find('\'') != std::string_view::npos) return std::nullopt;
    return inner;
}

bool readsTrue(const Value& v) { return !v.isEmpty() && !v.isNull() && v.toBoolean(); }

bool hasText(const Value& v, std::string_view text) { return !v.isNull() && v.toText() == text; }

std::string describe(const Value& v) {
    if (v.isArray()) return "an array";
    return "'" + v.toText() + "'";
}

}  // namespace

RecordTable::RecordTable(std::string name) : m_name(std::move(name)) {}

void RecordTable::fail(int32_t number, const std::string& detail) const {
    raiseComponent(number, m_name + ": " + detail, kSource);
}

void RecordTable::appendField(std::string name, FieldType type, int size, FieldAttribute attr) {
    if (m_open) fail(recordErr::ObjectOpen, "cannot declare field '" + name + "' on an open table");
    if (findPosition(name) >= 0)
        fail(recordErr::DuplicateField, "field '" + name + "' is already declared");
    if (type == FieldType::Text && size <= 0)
        fail(recordErr::InvalidArgument, "text field '" + name + "' needs a positive size");
    m_fields.push_back(Field{std::move(name), type, size, attr});
}

const std::string& RecordTable::fieldName(int position) const {
    requirePosition(position);
    return m_fields[static_cast<size_t>(position)].name;
}

void RecordTable::open() {
    if (m_open) fail(recordErr::ObjectOpen, "the table is already open");
    m_open = true;
}

void RecordTable::close() {
    requireOpen();
    m_rows.clear();
    m_current = kNoRow;
    m_visibleCount = 0;
    m_deletedCount = 0;
    m_filter.clear();
    m_open = false;
}

int RecordTable::recordCount() const {
    requireOpen();
    return m_visibleCount;
}

void RecordTable::addNew() {
    requireOpen();
    dropDeletedRows();
    m_rows.push_back(Row{std::vector<Value>(m_fields.size()), true, false});
    ++m_visibleCount;
    m_current = m_rows.size() - 1;
}

const Value& RecordTable::field(std::string_view name) const { return field(positionOf(name)); }

const Value& RecordTable::field(int position) const {
    requirePosition(position);
    return m_rows[currentIndex()].values[static_cast<size_t>(position)];
}

void RecordTable::setField(std::string_view name, Value v) {
    setField(positionOf(name), std::move(v));
}

void RecordTable::setField(int position, Value v) {
    requirePosition(position);
    size_t row = currentIndex();
    convert(m_fields[static_cast<size_t>(position)], v);
    m_rows[row].values[static_cast<size_t>(position)] = std::move(v);
}

void RecordTable::update() { requireOpen(); }

void RecordTable::deleteCurrent() {
    Row& row = m_rows[currentIndex()];
    row.deleted = true;
    row.values = {};
    if (row.visible) --m_visibleCount;
    ++m_deletedCount;
}

void RecordTable::moveFirst() {
    requireOpen();
    dropDeletedRows();
    m_current = nextReachable(0);
}

void RecordTable::moveNext() {
    requireOpen();
    if (m_current == kNoRow) fail(recordErr::NoCurrentRecord, "cannot move past the end");
    m_current = nextReachable(m_current + 1);
}

bool RecordTable::atEnd() const {
    requireOpen();
    return m_current == kNoRow;
}

void RecordTable::moveTo(size_t bookmark) {
    requireOpen();
    if (bookmark >= m_rows.size() || !isReachable(m_rows[bookmark]))
        fail(recordErr::NoCurrentRecord, "the bookmarked row is not in view");
    m_current = bookmark;
}

void RecordTable::find(std::string_view criterion) {
    requireOpen();
    auto parts = splitCriterion(criterion);
    auto wanted = parts ? quotedText(parts->operand) : std::nullopt;
    if (!wanted)
        fail(recordErr::InvalidArgument,
             "unsupported find criterion '" + std::string(criterion) + "'");
    size_t position = static_cast<size_t>(positionOf(parts->field));
    m_current = nextReachable(m_current);
    while (m_current != kNoRow && !hasText(m_rows[m_current].values[position], *wanted))
        m_current = nextReachable(m_current + 1);
}

void RecordTable::setFilter(std::string_view filter) {
    requireOpen();
    std::optional<int> position;
    if (!trimBlanks(filter).empty()) position = filterPosition(filter);
    dropDeletedRows();
    for (Row& row : m_rows)
        row.visible = !position || readsTrue(row.values[static_cast<size_t>(*position)]);
    m_visibleCount = static_cast<int>(std::ranges::count_if(m_rows, &Row::visible));
    m_filter = position ? std::string(filter) : std::string();
    m_current = nextReachable(0);
}

int RecordTable::filterPosition(std::string_view filter) const {
    auto parts = splitCriterion(filter);
    if (!parts || !equalsIgnoringCase(parts->operand, "True"))
        fail(recordErr::InvalidArgument, "unsupported filter '" + std::string(filter) + "'");
    int position = positionOf(parts->field);
    if (m_fields[static_cast<size_t>(position)].type != FieldType::Boolean)
        fail(recordErr::InvalidArgument,
             "filter field '" + std::string(parts->field) + "' is not Boolean");
    return position;
}

void RecordTable::requireOpen() const {
    if (!m_open) fail(recordErr::ObjectClosed, "the table is closed");
}

size_t RecordTable::currentIndex() const {
    requireOpen();
    if (m_current == kNoRow) fail(recordErr::NoCurrentRecord, "there is no current row");
    if (m_rows[m_current].deleted)
        fail(recordErr::NoCurrentRecord, "the current row has been deleted");
    return m_current;
}

int RecordTable::positionOf(std::string_view name) const {
    const int position = findPosition(name);
    if (position < 0) fail(recordErr::ItemNotFound, "no field named '" + std::string(name) + "'");
    return position;
}

// Fields are read by name once per cell: a scan of a few names, most of them told apart by their
// length alone, costs less than an ordered look-up of a case-folded name.
int RecordTable::findPosition(std::string_view name) const {
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const std::string& candidate = m_fields[i].name;
        if (candidate == name || equalsIgnoringCase(candidate, name)) return static_cast<int>(i);
    }
    return -1;
}

void RecordTable::requirePosition(int position) const {
    if (position < 0 || position >= fieldCount())
        fail(recordErr::ItemNotFound, "no field at position " + std::to_string(position));
}

void RecordTable::convert(const Field& field, Value& v) const {
    if (v.isEmpty()) return;
    if (v.isNull()) {
        if (field.attribute != FieldAttribute::MayBeNull)
            fail(recordErr::NullNotAllowed, "field '" + field.name + "' may not be Null");
        return;
    }
    // Text into a text field is stored as it is: the loaders write thousands of them.
    if (field.type != FieldType::Text || v.heldText() == nullptr) {
        Value stored = convertedToType(field, v);
        v = std::move(stored);
    }
    if (field.type == FieldType::Text) requireFits(field, *v.heldText());
}

Value RecordTable::convertedToType(const Field& field, const Value& v) const {
    try {
        switch (field.type) {
            case FieldType::Text:
                return Value(v.toText());
            case FieldType::Integer:
                return Value(v.toInteger());
            case FieldType::Boolean:
                return Value(v.toBoolean());
        }
    } catch (const Error& conversion) {
        fail(recordErr::WrongType, "field '" + field.name + "' cannot take " + describe(v) + ": " +
                                       conversion.description());
    }
    return v;
}

void RecordTable::requireFits(const Field& field, std::string_view text) const {
    // A text has no more characters than bytes: most fit without counting.
    if (text.size() <= static_cast<size_t>(field.size)) return;
    if (characterCount(text) > static_cast<size_t>(field.size))
        fail(recordErr::TooLong, "text for field '" + field.name + "' is longer than its " +
                                     std::to_string(field.size) + " characters");
}

size_t RecordTable::nextReachable(size_t from) const {
    for (size_t i = from; i < m_rows.size(); ++i)
        if (isReachable(m_rows[i])) return i;
    return kNoRow;
}

// Deleted rows stay in place while the cursor may stand on them; they go when it is reset.
void RecordTable::dropDeletedRows() {
    if (m_deletedCount == 0) return;
    std::erase_if(m_rows, [](const Row& r) { return r.deleted; });
    m_deletedCount = 0;
    m_current = kNoRow;
}

std::vector<std::vector<Value>> RecordTable::snapshot() const {
    std::vector<std::vector<Value>> rows;
    for (const Row& row : m_rows) {
        if (!row.deleted) rows.push_back(row.values);
    }
    return rows;
}

}  // namespace jex
