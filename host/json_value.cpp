#include "json_value.h"

#include <cstdint>
#include <limits>

#include "request.h"

namespace jex::host {
namespace {

Json emptyForm() { return Json{{"empty", true}}; }

bool isEmptyForm(const Json& json) { return json == emptyForm(); }

Json arrayToJson(const Array2D& array) {
    Json rows = Json::array();
    for (int r = 0; r < array.rows(); ++r) {
        Json row = Json::array();
        for (int c = 0; c < array.columns(); ++c) row.push_back(toJson(array.at(r, c)));
        rows.push_back(std::move(row));
    }
    return rows;
}

Value wholeNumber(const Json& json) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    if (json.is_number_unsigned()) {
        const uint64_t n = json.get<uint64_t>();
        if (n <= static_cast<uint64_t>(high)) return Value(static_cast<int32_t>(n));
        return Value(static_cast<double>(n));
    }
    const int64_t n = json.get<int64_t>();
    if (n >= low && n <= high) return Value(static_cast<int32_t>(n));
    return Value(static_cast<double>(n));
}

// A cell of a 2-D array: any value form but another array.
Value cellFromJson(const Json& json) {
    if (json.is_array()) throw RequestError("a cell of a 2-D array cannot be a list");
    return fromJson(json);
}

Value arrayFromJson(const Json& rows) {
    const size_t columns = rows.empty() || !rows.front().is_array() ? 0 : rows.front().size();
    for (const Json& row : rows) {
        if (!row.is_array()) throw RequestError("a 2-D array is a list of rows, each a list");
        if (row.size() != columns) throw RequestError("the rows of a 2-D array differ in length");
    }
    Array2D array(static_cast<int>(rows.size()), static_cast<int>(columns));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < columns; ++c) {
            array.at(static_cast<int>(r), static_cast<int>(c)) = cellFromJson(rows[r][c]);
        }
    }
    return Value(std::move(array));
}

}  // namespace

Json toJson(const Value& value) {
    switch (value.type()) {
        case ValueType::Empty:
            return emptyForm();
        case ValueType::Null:
            return nullptr;
        case ValueType::Boolean:
            return value.toBoolean();
        case ValueType::Integer:
            return value.toInteger();
        case ValueType::Long:
            return value.toLong();
        case ValueType::Double:
            return value.toDouble();
        case ValueType::Text:
            return value.toText();
        case ValueType::Array:
            return arrayToJson(value.array());
    }
    return nullptr;
}

Value fromJson(const Json& json) {
    if (json.is_string()) return Value(json.get<std::string>());
    if (json.is_boolean()) return Value(json.get<bool>());
    if (json.is_null()) return Value::null();
    if (json.is_number_float()) return Value(json.get<double>());
    if (json.is_number()) return wholeNumber(json);
    if (json.is_array()) return arrayFromJson(json);
    if (isEmptyForm(json)) return Value::empty();
    throw RequestError("no value has the JSON form " + json.dump());
}

}  // namespace jex::host
