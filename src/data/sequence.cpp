#include "data/sequence.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/error.h"
#include "platform/int16.h"

namespace jex {

bool isNewSequence(std::string_view sequence) {
    return !sequence.empty() && sequence.back() == 'N';
}

int16_t sequenceNumber(std::string_view sequence) {
    std::size_t i = 0;
    while (i < sequence.size() && (sequence[i] == ' ' || sequence[i] == '\t')) ++i;
    bool negative = false;
    if (i < sequence.size() && (sequence[i] == '-' || sequence[i] == '+')) {
        negative = sequence[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < sequence.size() && sequence[i] >= '0' && sequence[i] <= '9'; ++i) {
        value = value * 10 + (sequence[i] - '0');
        if (value > 1'000'000) raiseRuntime(err::Overflow);
    }
    return toInt16(negative ? -value : value);
}

int16_t sequenceNumber(const Value& field) {
    if (field.isEmpty() || field.isNull()) raiseRuntime(err::InvalidUseOfNull);
    return sequenceNumber(std::string_view(field.toText()));
}

namespace {

constexpr size_t kMinimumDigits = 3;
// Up to this many digits a number is exact as a double, so the general road gives the same.
constexpr size_t kExactDigits = 15;

bool isDigitRun(std::string_view text) {
    return !text.empty() && text.size() <= kExactDigits &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The digits without their leading zeros, zero-filled to the minimum width.
std::string paddedDigits(std::string_view digits) {
    const size_t first = digits.find_first_not_of('0');
    digits = first == std::string_view::npos ? std::string_view() : digits.substr(first);
    std::string padded(kMinimumDigits - std::min(kMinimumDigits, digits.size()), '0');
    return padded.append(digits);
}

}  // namespace

// Stored sequences arrive as plain digits, thousands per load: those skip the number formatting.
std::string padSequence(std::string_view text) {
    if (isDigitRun(text)) return paddedDigits(text);
    double number = 0;
    try {
        number = Value(text).toDouble();
    } catch (const Error&) {
        return std::string(text);
    }
    // Whole numbers only: the classic number formatting rounds a half away from zero.
    const double rounded = std::round(number);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03.0f", std::fabs(rounded));
    std::string padded = rounded < 0 ? "-" : "";
    return padded.append(buffer);
}

}  // namespace jex
