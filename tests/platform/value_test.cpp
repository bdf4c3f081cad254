#include "platform/value.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/error.h"

namespace jex {
namespace {

// The error number a call raises, or nullopt when it returns normally.
std::optional<int32_t> raisedNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return std::nullopt;
}

struct IntegerCase {
    const char* text;
    std::optional<int16_t> expected;  // nullopt: the conversion raises `error`
    int32_t error;
};

TEST(Value_textToInteger, trimsRoundsToEvenAndRaises) {
    const IntegerCase cases[] = {
        {"42", 42, 0},
        {"  42\t", 42, 0},
        {"+7", 7, 0},
        {"-7", -7, 0},
        {"2.5", 2, 0},
        {"3.5", 4, 0},
        {"-2.5", -2, 0},
        {"2.51", 3, 0},
        {".5", 0, 0},
        {"32767", 32767, 0},
        {"-32768", -32768, 0},
        {"32767.5", std::nullopt, err::Overflow},
        {"32768", std::nullopt, err::Overflow},
        {"-32769", std::nullopt, err::Overflow},
        {"", std::nullopt, err::TypeMismatch},
        {"   ", std::nullopt, err::TypeMismatch},
        {"abc", std::nullopt, err::TypeMismatch},
        {"1x", std::nullopt, err::TypeMismatch},
        {"1 2", std::nullopt, err::TypeMismatch},
        {"1.2.3", std::nullopt, err::TypeMismatch},
        {"-", std::nullopt, err::TypeMismatch},
        {".", std::nullopt, err::TypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Value v(c.text);
        if (c.expected) {
            EXPECT_EQ(v.toInteger(), *c.expected);
        } else {
            EXPECT_EQ(raisedNumber([&] { v.toInteger(); }), c.error);
        }
    }
}

TEST(Value_toLong, usesTheThirtyTwoBitRange) {
    EXPECT_EQ(Value("32768").toLong(), 32768);
    EXPECT_EQ(Value("-2147483648").toLong(), INT32_MIN);
    EXPECT_EQ(raisedNumber([] { Value("2147483648").toLong(); }), err::Overflow);
    EXPECT_EQ(raisedNumber([] { Value("2147483647.5").toLong(); }), err::Overflow);
    EXPECT_EQ(Value(int32_t{32767}).toInteger(), 32767);
    EXPECT_EQ(raisedNumber([] { Value(int32_t{40000}).toInteger(); }), err::Overflow);
}

TEST(Value_doubleToInteger, roundsHalfToEvenAndChecksRange) {
    EXPECT_EQ(Value(0.5).toInteger(), 0);
    EXPECT_EQ(Value(1.5).toInteger(), 2);
    EXPECT_EQ(Value(-1.5).toLong(), -2);
    EXPECT_EQ(Value(-32768.4).toInteger(), -32768);
    EXPECT_EQ(raisedNumber([] { Value(32767.6).toInteger(); }), err::Overflow);
    EXPECT_EQ(raisedNumber([] { Value(1e10).toLong(); }), err::Overflow);
}

TEST(Value_toBoolean, acceptsWordsInAnyCaseAndNumbers) {
    const std::pair<const char*, bool> cases[] = {
        {"True", true},   {"TRUE", true}, {"tRuE", true}, {" false ", false},
        {"FaLsE", false}, {"0", false},   {"-1", true},   {"2.5", true},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Value(text).toBoolean(), expected);
    }
    EXPECT_EQ(raisedNumber([] { Value("yes").toBoolean(); }), err::TypeMismatch);
    EXPECT_EQ(raisedNumber([] { Value("").toBoolean(); }), err::TypeMismatch);
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

TEST(Value_booleanToNumber, isMinusOneOrZero) {
    EXPECT_EQ(Value(true).toInteger(), -1);
    EXPECT_EQ(Value(false).toLong(), 0);
    EXPECT_EQ(Value(true).toDouble(), -1.0);
}

TEST(Value_empty, readsAsBlankZeroOrFalse) {
    Value empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(empty.toText(), "");
    EXPECT_EQ(empty.toInteger(), 0);
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_FALSE(empty.toBoolean());
}

TEST(Value_null, raisesInvalidUseOfNullWhereAValueIsNeeded) {
    Value null = Value::null();
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isEmpty());
    EXPECT_EQ(raisedNumber([&] { null.toText(); }), err::InvalidUseOfNull);
    EXPECT_EQ(raisedNumber([&] { null.toInteger(); }), err::InvalidUseOfNull);
    EXPECT_EQ(raisedNumber([&] { null.toLong(); }), err::InvalidUseOfNull);
    EXPECT_EQ(raisedNumber([&] { null.toDouble(); }), err::InvalidUseOfNull);
    EXPECT_EQ(raisedNumber([&] { null.toBoolean(); }), err::InvalidUseOfNull);
}

TEST(Value_array, isNoScalarAndChecksItsBounds) {
    Value v(Array2D(2, 3));
    EXPECT_TRUE(v.isArray());
    v.array().at(1, 2) = Value("x");
    EXPECT_EQ(v.array().at(1, 2), Value("x"));
    EXPECT_EQ(raisedNumber([&] { v.array().at(2, 0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(raisedNumber([&] { v.array().at(0, -1); }), err::SubscriptOutOfRange);
    EXPECT_EQ(raisedNumber([&] { v.toText(); }), err::TypeMismatch);
    EXPECT_EQ(raisedNumber([&] { v.toInteger(); }), err::TypeMismatch);
    EXPECT_EQ(raisedNumber([] { Value(1.0).array(); }), err::TypeMismatch);
}

TEST(Value_array, copiesDoNotShareWrites) {
    Value original(Array2D(1, 1));
    Value copy = original;
    EXPECT_EQ(copy, original);
    copy.array().at(0, 0) = Value(int16_t{1});
    EXPECT_TRUE(original.array().at(0, 0).isEmpty());
    EXPECT_NE(copy, original);
}

TEST(Value_equality, needsSameTypeAndContents) {
    EXPECT_EQ(Value("a"), Value(std::string("a")));
    EXPECT_NE(Value(int16_t{1}), Value(int32_t{1}));
    EXPECT_NE(Value(), Value::null());
    EXPECT_NE(Value(""), Value());
    EXPECT_EQ(Value::null(), Value::null());
}

TEST(Error_raiseRuntime, carriesTextAndLibraryAsSource) {
    try {
        raiseRuntime(err::InvalidUseOfNull);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "Invalid use of Null");
        EXPECT_EQ(e.source(), kLibraryName);
    }
    EXPECT_EQ(runtimeErrorText(err::CannotUnloadDesignTime),
              "Can't unload controls created at design time");
    EXPECT_EQ(runtimeErrorText(12345), "Application-defined or object-defined error");
}

}  // namespace
}  // namespace jex
