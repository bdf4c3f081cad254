#include "data/sequence.h"

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

std::string padSequence(std::string_view text) {
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
    return (rounded < 0 ? "-" : "") + std::string(buffer);
}

}  // namespace jex
