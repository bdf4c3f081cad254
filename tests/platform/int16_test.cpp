#include "platform/int16.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace jex {
namespace {

bool overflows(int16_t (*call)()) {
    try {
        call();
    } catch (const Error& e) {
        return e.number() == err::Overflow;
    }
    return false;
}

TEST(Int16_toInt16, keepsTheRangeAndOverflowsOutside) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_TRUE(overflows([] { return toInt16(32768); }));
    EXPECT_TRUE(overflows([] { return toInt16(-32769); }));
}

TEST(Int16_arithmetic, overflowsOnAResultOutOfRange) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_EQ(mul16(-128, 256), -32768);
    EXPECT_TRUE(overflows([] { return add16(32767, 1); }));
    EXPECT_TRUE(overflows([] { return sub16(-32768, 1); }));
    EXPECT_TRUE(overflows([] { return mul16(256, 128); }));
}

}  // namespace
}  // namespace jex
