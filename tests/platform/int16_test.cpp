#include "platform/int16.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

TEST(Int16_arithmetic, keepsTheRangeAndOverflowsOutside) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_EQ(mul16(-128, 256), -32768);
    for (const auto& call :
         {+[] { toInt16(32768); }, +[] { toInt16(-32769); }, +[] { add16(32767, 1); },
          +[] { sub16(-32768, 1); }, +[] { mul16(256, 128); }}) {
        EXPECT_EQ(errorOf(call), err::Overflow);
    }
}

}  // namespace
}  // namespace jex
