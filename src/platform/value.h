#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace jex {

class Value;

// A two-dimensional array of values, indexed (row, column) from 0.
class Array2D {
  public:
    Array2D(int rows, int columns);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    // Raises Subscript out of range (9) outside the bounds.
    Value& at(int row, int column);
    const Value& at(int row, int column) const;

  private:
    int m_rows;
    int m_columns;
    std::vector<Value> m_cells;
};

enum class ValueType { Empty, Null, Boolean, Integer, Long, Double, Text, Array };

// The automation variant: Empty (never written), Null, Boolean, 16-bit Integer, 32-bit Long,
// Double, UTF-8 Text or a 2-D array. Conversions follow the classic automation rules; each
// conversion raises the control's Error (Type mismatch 13, Overflow 6, Invalid use of Null 94)
// and leaves the value unchanged.
class Value {
  public:
    struct EmptyTag {
        bool operator==(const EmptyTag&) const = default;
    };
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };

    Value() = default;  // Empty
    Value(bool b) : m_data(b) {}
    Value(int16_t i) : m_data(i) {}
    Value(int32_t l) : m_data(l) {}
    Value(double d) : m_data(d) {}
    Value(std::string s) : m_data(std::move(s)) {}
    Value(std::string_view s) : m_data(std::string(s)) {}
    Value(const char* s) : m_data(std::string(s)) {}
    Value(Array2D a) : m_data(std::make_shared<Array2D>(std::move(a))) {}

    static Value empty() { return Value(); }
    static Value null();

    ValueType type() const;
    bool isEmpty() const { return type() == ValueType::Empty; }
    bool isNull() const { return type() == ValueType::Null; }
    bool isArray() const { return type() == ValueType::Array; }

    // Text form: Boolean "True"/"False", numbers in plain decimal, Empty "". Null raises 94.
    std::string toText() const;
    // Text form, with Null read as "" (a field cleared shows nothing, like one never written).
    std::string textOrEmpty() const { return isNull() ? std::string() : toText(); }
    // 16-bit integer: text is trimmed, takes a sign and decimals; halves round to even.
    // Type mismatch for anything else, Overflow outside -32768..32767, 94 for Null.
    int16_t toInteger() const;
    // 32-bit integer, the same rules with the 32-bit range.
    int32_t toLong() const;
    double toDouble() const;
    // Text True/False in any letter case, or a number (non-zero is true); Empty is false.
    bool toBoolean() const;
    // The text the value holds, without conversion; nullptr when it holds no text. Valid until
    // the value changes.
    const std::string* heldText() const { return std::get_if<std::string>(&m_data); }
    // The array; Type mismatch when the value holds none.
    const Array2D& array() const;
    Array2D& array();

    // Same type and same contents (arrays by identity of contents).
    bool operator==(const Value& other) const;

  private:
    using Data = std::variant<EmptyTag, NullTag, bool, int16_t, int32_t, double, std::string,
                              std::shared_ptr<Array2D>>;
    Data m_data;
};

}  // namespace jex
