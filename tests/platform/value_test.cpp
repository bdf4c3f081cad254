#include "platform/value.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "platform/error.h"
#include "platform/int16.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

// What a conversion gives, as text, or "#" and the number of the error it raises.
template <class F>
std::string outcome(F&& convert) {
    std::string text;
    const int32_t error = errorOf([&] { text = std::to_string(convert()); });
    return error ? "#" + std::to_string(error) : text;
}

// Texts trim and round half to even; each type keeps its range (6: overflow, 13: no number).
TEST(Value_numbers, convertWithinTheRangeOfTheirTypeOrRaise) {
    const std::pair<const char*, const char*> toInteger[] = {
        {"42", "42"},    {"  42\t", "42"},   {"+7", "7"},          {"-7", "-7"},
        {"2.5", "2"},    {"3.5", "4"},       {"-2.5", "-2"},       {"2.51", "3"},
        {".5", "0"},     {"32767", "32767"}, {"-32768", "-32768"}, {"32767.5", "#6"},
        {"32768", "#6"}, {"-32769", "#6"},   {"", "#13"},          {"   ", "#13"},
        {"abc", "#13"},  {"1x", "#13"},      {"1 2", "#13"},       {"1.2.3", "#13"},
        {"-", "#13"},    {".", "#13"}};
    for (const auto& [text, expected] : toInteger)
        EXPECT_EQ(outcome([&] { return Value(text).toInteger(); }), expected) << text;
    // A value, then what toInteger, toLong and toDouble make of it.
    const std::tuple<Value, const char*, const char*, const char*> values[] = {
        {Value(int32_t{40000}), "#6", "40000", "40000.000000"},
        {Value(0.5), "0", "0", "0.500000"},
        {Value(1.5), "2", "2", "1.500000"},
        {Value(-1.5), "-2", "-2", "-1.500000"},
        {Value(-32768.4), "-32768", "-32768", "-32768.400000"},
        {Value(32767.6), "#6", "32768", "32767.600000"},
        {Value("-2147483648"), "#6", "-2147483648", "-2147483648.000000"},
        {Value("2147483648"), "#6", "#6", "2147483648.000000"},
        {Value("2147483647.5"), "#6", "#6", "2147483647.500000"},
        {Value(1e10), "#6", "#6", "10000000000.000000"},
        {Value(true), "-1", "-1", "-1.000000"},
        {Value(), "0", "0", "0.000000"},
        {Value::null(), "#94", "#94", "#94"}};
    for (const auto& [value, integer, long32, real] : values) {
        EXPECT_EQ(outcome([&] { return value.toInteger(); }), integer) << long32;
        EXPECT_EQ(outcome([&] { return value.toLong(); }), long32) << integer;
        EXPECT_EQ(outcome([&] { return value.toDouble(); }), real) << integer;
    }

    const std::pair<std::function<int(void)>, const char*> int16[] = {
        {[] { return toInt16(32767); }, "32767"},    {[] { return toInt16(-32769); }, "#6"},
        {[] { return add16(32766, 1); }, "32767"},   {[] { return add16(32767, 1); }, "#6"},
        {[] { return sub16(-32767, 1); }, "-32768"}, {[] { return sub16(-32768, 1); }, "#6"},
        {[] { return mul16(-128, 256); }, "-32768"}, {[] { return mul16(256, 128); }, "#6"}};
    for (const auto& [call, expected] : int16) EXPECT_EQ(outcome(call), expected);
}

TEST(Value_toBooleanAndText, wordsInAnyCaseNumbersAndTheFormOfEachType) {
    const std::pair<Value, const char*> booleans[] = {
        {Value("True"), "1"},      {Value("tRuE"), "1"},
        {Value(" false "), "0"},   {Value("FaLsE"), "0"},
        {Value("0"), "0"},         {Value("-1"), "1"},
        {Value("2.5"), "1"},       {Value("yes"), "#13"},
        {Value(""), "#13"},        {Value(int16_t{3}), "1"},
        {Value(int32_t{-2}), "1"}, {Value(-0.25), "1"},
        {Value(0.0), "0"},         {Value(), "0"},
        {Value::null(), "#94"}};
    for (const auto& [value, expected] : booleans)
        EXPECT_EQ(outcome([&] { return value.toBoolean(); }), expected) << expected;
    const std::pair<Value, const char*> texts[] = {
        {Value(true), "True"},      {Value(false), "False"},
        {Value(int16_t{-5}), "-5"}, {Value(int32_t{100000}), "100000"},
        {Value(1.5), "1.5"},        {Value(3.0), "3"},
        {Value(-0.25), "-0.25"},    {Value(0.1), "0.1"},
        {Value(-0.0), "0"},         {Value(), ""}};
    for (const auto& [value, expected] : texts) EXPECT_EQ(value.toText(), expected);
    EXPECT_EQ(errorOf([] { Value::null().toText(); }), err::InvalidUseOfNull);
    EXPECT_TRUE(Value().isEmpty() && !Value().isNull() && !Value::null().isEmpty());
}

TEST(Value_array, isNoScalarChecksItsBoundsAndCopiesWhole) {
    Value v(Array2D(2, 3));
    v.array().at(1, 2) = Value("x");
    EXPECT_EQ(v.array().at(1, 2), Value("x"));
    EXPECT_EQ(errorOf([&] { v.array().at(2, 0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.array().at(0, -1); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.toText(); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { Value(1.0).array(); }), err::TypeMismatch);
    Value copy = v;
    EXPECT_EQ(copy, v);
    copy.array().at(0, 0) = Value(int16_t{1});
    EXPECT_TRUE(v.array().at(0, 0).isEmpty());
    EXPECT_NE(copy, v);
    // Equal values have the same type and contents.
    EXPECT_EQ(Value("a"), Value(std::string("a")));
    EXPECT_NE(Value(int16_t{1}), Value(int32_t{1}));
    EXPECT_NE(Value(), Value::null());
    EXPECT_NE(Value(""), Value());
    EXPECT_EQ(Value::null(), Value::null());
    EXPECT_EQ(runtimeErrorText(12345), "Application-defined or object-defined error");
}

}  // namespace
}  // namespace jex
