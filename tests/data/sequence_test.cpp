#include "data/sequence.h"

#include <gtest/gtest.h>

namespace jex {
namespace {

// Plain digits take a shortcut; every text must pad as the number formatting pads it.
TEST(Sequence_pad, digitsAndOtherTextsPadAsNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "007"},
        {"0", "000"},
        {"007", "007"},
        {"0000012", "012"},
        {"1234", "1234"},
        {"123456789012345", "123456789012345"},
        {"1234567890123456", "1234567890123456"},
        {"00000000000000000012", "012"},
        {" 7", "007"},
        {"-3", "-003"},
        {"2.5", "003"},
        {"4N", "4N"},
        {"", ""},
    };
    for (const auto& [text, padded] : cases) EXPECT_EQ(padSequence(text), padded) << text;
}

}  // namespace
}  // namespace jex
