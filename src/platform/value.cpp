#include "platform/value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "platform/error.h"
#include "platform/text.h"

namespace jex {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Plain decimal notation only: digits with at most one point and at least one digit.
bool isPlainDecimal(std::string_view text) {
    bool sawDigit = false;
    bool sawPoint = false;
    for (char c : text) {
        if (isDigit(c)) {
            sawDigit = true;
            continue;
        }
        if (c != '.' || sawPoint) return false;
        sawPoint = true;
    }
    return sawDigit;
}

// The number a text stands for: blanks trimmed, an optional sign, plain decimals.
// Type mismatch for any other text, Overflow beyond the range of a double.
double parseNumber(std::string_view text) {
    text = trimSpacesAndTabs(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!isPlainDecimal(text)) raiseRuntime(err::TypeMismatch);
    double magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude,
                                     std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) raiseRuntime(err::Overflow);
    if (ec != std::errc() || end != text.data() + text.size()) raiseRuntime(err::TypeMismatch);
    return negative ? -magnitude : magnitude;
}

std::optional<bool> parseBooleanWord(std::string_view text) {
    const std::string_view word = trimSpacesAndTabs(text);
    if (equalsIgnoringCase(word, "true")) return true;
    if (equalsIgnoringCase(word, "false")) return false;
    return std::nullopt;
}

// Halves go to the even neighbour, as the classic runtime's integer conversions do.
double roundHalfEven(double d) {
    double nearest = std::round(d);
    if (std::fabs(d - std::trunc(d)) != 0.5) return nearest;
    return 2.0 * std::round(d / 2.0);
}

template <class Int>
Int roundToInteger(double d) {
    if (std::isnan(d)) raiseRuntime(err::Overflow);
    double rounded = roundHalfEven(d);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        raiseRuntime(err::Overflow);
    return static_cast<Int>(rounded);
}

template <class Int>
Int narrowInteger(long long value) {
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        raiseRuntime(err::Overflow);
    return static_cast<Int>(value);
}

// Shortest text that reads back as the same double; plain decimals for everyday magnitudes.
std::string formatDouble(double d) {
    if (d == 0) return "0";  // also -0, which the classic runtime shows as 0
    std::array<char, 64> buffer{};
    double magnitude = std::fabs(d);
    bool everyday = magnitude >= 1e-4 && magnitude < 1e15;
    auto result = everyday ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), d,
                                           std::chars_format::fixed)
                           : std::to_chars(buffer.data(), buffer.data() + buffer.size(), d);
    return std::string(buffer.data(), result.ptr);
}

template <class Int>
Int convertToInteger(const auto& data) {
    return std::visit(
        Overloaded{
            [](const Value::EmptyTag&) -> Int { return 0; },
            [](const Value::NullTag&) -> Int { raiseRuntime(err::InvalidUseOfNull); },
            [](bool b) -> Int { return b ? -1 : 0; },
            [](int16_t i) -> Int { return i; },
            [](int32_t l) -> Int { return narrowInteger<Int>(l); },
            [](double d) -> Int { return roundToInteger<Int>(d); },
            [](const std::string& s) -> Int { return roundToInteger<Int>(parseNumber(s)); },
            [](const std::shared_ptr<Array2D>&) -> Int { raiseRuntime(err::TypeMismatch); },
        },
        data);
}

bool sameArrays(const Array2D& a, const Array2D& b) {
    if (a.rows() != b.rows() || a.columns() != b.columns()) return false;
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.columns(); ++c)
            if (!(a.at(r, c) == b.at(r, c))) return false;
    return true;
}

}  // namespace

Array2D::Array2D(int rows, int columns) : m_rows(rows), m_columns(columns) {
    if (rows < 0 || columns < 0) raiseRuntime(err::InvalidProcedureCall);
    m_cells.resize(static_cast<size_t>(rows) * static_cast<size_t>(columns));
}

Value& Array2D::at(int row, int column) {
    return const_cast<Value&>(std::as_const(*this).at(row, column));
}

const Value& Array2D::at(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        raiseRuntime(err::SubscriptOutOfRange);
    return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_columns) +
                   static_cast<size_t>(column)];
}

Value Value::null() {
    Value v;
    v.m_data = NullTag{};
    return v;
}

ValueType Value::type() const {
    // The alternatives of Data are declared in the order of ValueType.
    return static_cast<ValueType>(m_data.index());
}

std::string Value::toText() const {
    return std::visit(
        Overloaded{
            [](const EmptyTag&) -> std::string { return {}; },
            [](const NullTag&) -> std::string { raiseRuntime(err::InvalidUseOfNull); },
            [](bool b) -> std::string { return b ? "True" : "False"; },
            [](int16_t i) { return std::to_string(i); },
            [](int32_t l) { return std::to_string(l); },
            [](double d) { return formatDouble(d); },
            [](const std::string& s) { return s; },
            [](const std::shared_ptr<Array2D>&) -> std::string { raiseRuntime(err::TypeMismatch); },
        },
        m_data);
}

int16_t Value::toInteger() const { return convertToInteger<int16_t>(m_data); }

int32_t Value::toLong() const { return convertToInteger<int32_t>(m_data); }

double Value::toDouble() const {
    return std::visit(
        Overloaded{
            [](const EmptyTag&) { return 0.0; },
            [](const NullTag&) -> double { raiseRuntime(err::InvalidUseOfNull); },
            [](bool b) { return b ? -1.0 : 0.0; },
            [](int16_t i) { return static_cast<double>(i); },
            [](int32_t l) { return static_cast<double>(l); },
            [](double d) { return d; },
            [](const std::string& s) { return parseNumber(s); },
            [](const std::shared_ptr<Array2D>&) -> double { raiseRuntime(err::TypeMismatch); },
        },
        m_data);
}

bool Value::toBoolean() const {
    return std::visit(
        Overloaded{
            [](const EmptyTag&) { return false; },
            [](const NullTag&) -> bool { raiseRuntime(err::InvalidUseOfNull); },
            [](bool b) { return b; },
            [](int16_t i) { return i != 0; },
            [](int32_t l) { return l != 0; },
            [](double d) { return d != 0; },
            [](const std::string& s) {
                if (auto word = parseBooleanWord(s)) return *word;
                return parseNumber(s) != 0;
            },
            [](const std::shared_ptr<Array2D>&) -> bool { raiseRuntime(err::TypeMismatch); },
        },
        m_data);
}

const Array2D& Value::array() const {
    const auto* shared = std::get_if<std::shared_ptr<Array2D>>(&m_data);
    if (shared == nullptr) raiseRuntime(err::TypeMismatch);
    return **shared;
}

Array2D& Value::array() {
    auto* shared = std::get_if<std::shared_ptr<Array2D>>(&m_data);
    if (shared == nullptr) raiseRuntime(err::TypeMismatch);
    // Copies of a value share their array until one of them writes: arrays are values.
    if (shared->use_count() > 1) *shared = std::make_shared<Array2D>(**shared);
    return **shared;
}

bool Value::operator==(const Value& other) const {
    if (type() != other.type()) return false;
    if (!isArray()) return m_data == other.m_data;
    return sameArrays(array(), other.array());
}

}  // namespace jex
