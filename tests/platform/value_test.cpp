#include "platform/value.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

TEST(Value_textToInteger, trimsRoundsToEvenAndRaises) {
    const std::pair<const char*, int16_t> accepted[] = {
        {"42", 42},   {"  42\t", 42}, {"+7", 7}, {"-7", -7},       {"2.5", 2},        {"3.5", 4},
        {"-2.5", -2}, {"2.51", 3},    {".5", 0}, {"32767", 32767}, {"-32768", -32768}};
    for (const auto& [text, expected] : accepted)
        EXPECT_EQ(Value(text).toInteger(), expected) << text;
    const std::pair<const char*, int32_t> refused[] = {
        {"32767.5", err::Overflow}, {"32768", err::Overflow},   {"-32769", err::Overflow},
        {"", err::TypeMismatch},    {"   ", err::TypeMismatch}, {"abc", err::TypeMismatch},
        {"1x", err::TypeMismatch},  {"1 2", err::TypeMismatch}, {"1.2.3", err::TypeMismatch},
        {"-", err::TypeMismatch},   {".", err::TypeMismatch}};
    for (const auto& [text, error] : refused) {
        EXPECT_EQ(errorOf([&] { Value(text).toInteger(); }), error) << text;
    }
}

TEST(Value_numbers, keepTheRangeOfTheirTypeAndRoundDoublesHalfToEven) {
    EXPECT_EQ(Value("32768").toLong(), 32768);
    EXPECT_EQ(Value("-2147483648").toLong(), INT32_MIN);
    EXPECT_EQ(errorOf([] { Value("2147483648").toLong(); }), err::Overflow);
    EXPECT_EQ(errorOf([] { Value("2147483647.5").toLong(); }), err::Overflow);
    EXPECT_EQ(Value(int32_t{32767}).toInteger(), 32767);
    EXPECT_EQ(errorOf([] { Value(int32_t{40000}).toInteger(); }), err::Overflow);
    EXPECT_EQ(Value(0.5).toInteger(), 0);
    EXPECT_EQ(Value(1.5).toInteger(), 2);
    EXPECT_EQ(Value(-1.5).toLong(), -2);
    EXPECT_EQ(Value(-32768.4).toInteger(), -32768);
    EXPECT_EQ(errorOf([] { Value(32767.6).toInteger(); }), err::Overflow);
    EXPECT_EQ(errorOf([] { Value(1e10).toLong(); }), err::Overflow);
    EXPECT_EQ(Value(true).toInteger(), -1);
    EXPECT_EQ(Value(true).toDouble(), -1.0);
}

TEST(Value_toBoolean, acceptsWordsInAnyCaseAndNumbers) {
    const std::pair<const char*, bool> cases[] = {
        {"True", true},   {"TRUE", true}, {"tRuE", true}, {" false ", false},
        {"FaLsE", false}, {"0", false},   {"-1", true},   {"2.5", true},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(Value(text).toBoolean(), expected) << text;
    EXPECT_EQ(errorOf([] { Value("yes").toBoolean(); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { Value("").toBoolean(); }), err::TypeMismatch);
    EXPECT_TRUE(Value(int16_t{3}).toBoolean());
    EXPECT_FALSE(Value(0.0).toBoolean());
}

TEST(Value_toText, formsOfEachType) {
    EXPECT_EQ(Value(true).toText(), "True");
    EXPECT_EQ(Value(false).toText(), "False");
    EXPECT_EQ(Value(int16_t{-5}).toText(), "-5");
    EXPECT_EQ(Value(int32_t{100000}).toText(), "100000");
    EXPECT_EQ(Value(1.5).toText(), "1.5");
    EXPECT_EQ(Value(3.0).toText(), "3");
    EXPECT_EQ(Value(-0.25).toText(), "-0.25");
    EXPECT_EQ(Value(0.1).toText(), "0.1");
    EXPECT_EQ(Value(-0.0).toText(), "0");
}

TEST(Value_emptyAndNull, emptyReadsAsNothingWhereNullRaises) {
    const Value empty;
    const Value null = Value::null();
    EXPECT_TRUE(empty.isEmpty() && !empty.isNull());
    EXPECT_TRUE(null.isNull() && !null.isEmpty());
    EXPECT_EQ(empty.toText(), "");
    EXPECT_EQ(empty.toInteger(), 0);
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_FALSE(empty.toBoolean());
    const std::function<void()> uses[] = {[&] { null.toText(); }, [&] { null.toInteger(); },
                                          [&] { null.toLong(); }, [&] { null.toDouble(); },
                                          [&] { null.toBoolean(); }};
    for (const auto& use : uses) EXPECT_EQ(errorOf(use), err::InvalidUseOfNull);
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
}

TEST(Value_equality, needsSameTypeAndContents) {
    EXPECT_EQ(Value("a"), Value(std::string("a")));
    EXPECT_NE(Value(int16_t{1}), Value(int32_t{1}));
    EXPECT_NE(Value(), Value::null());
    EXPECT_NE(Value(""), Value());
    EXPECT_EQ(Value::null(), Value::null());
}

// The texts of known numbers are seen in the error reports.
TEST(Error_runtimeErrorText, ofAnUnknownNumberIsTheApplicationDefinedOne) {
    EXPECT_EQ(runtimeErrorText(12345), "Application-defined or object-defined error");
}

}  // namespace
}  // namespace jex
