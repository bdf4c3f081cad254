#include "platform/dates.h"

#include <gtest/gtest.h>

namespace jex {
namespace {

// The three patterns parse back to what they show; custom formats take the picker's tokens.
TEST(Dates_format, patternsAndPickerTokens) {
    const DateTime t = makeDateTime(2026, 12, 5, 14, 7, 9);
    const std::pair<DatePattern, const char*> patterns[] = {
        {DatePattern::TimeStamp, "Dec 05, 2026 14:07:09"},
        {DatePattern::Date, "Dec 05, 2026"},
        {DatePattern::Picker, "Dec, 05 2026"}};
    for (const auto& [pattern, expected] : patterns) {
        EXPECT_EQ(formatDate(t, pattern), expected);
        EXPECT_EQ(parseDate(expected), pattern == DatePattern::TimeStamp ? t : dateOnly(t));
    }
    EXPECT_EQ(formatDate(makeDateTime(2014, 1, 5), DatePattern::TimeStamp),
              "Jan 05, 2014 00:00:00");
    // The picker's own formats are checked against Qt's rendering in the Qt view's tests.
    EXPECT_EQ(formatCustom(makeDateTime(2014, 1, 5, 15, 4, 9), "M/d/yy h:mm:ss tt"),
              "1/5/14 3:04:09 PM");
    EXPECT_EQ(formatCustom(makeDateTime(2014, 1, 5), "hh tt"), "12 AM");
}

TEST(Dates_parseDate, acceptedFormsAndRefusedTexts) {
    const std::pair<const char*, DateTime> accepted[] = {
        {"Dec 05, 2026 14:07", makeDateTime(2026, 12, 5, 14, 7)},
        {"dec 5, 2026", makeDateTime(2026, 12, 5)},
        {"JAN, 05 2014", makeDateTime(2014, 1, 5)},
        {"2026-12-05", makeDateTime(2026, 12, 5)},
        {"2026-12-05 14:07", makeDateTime(2026, 12, 5, 14, 7)},
        {"2026-12-05T14:07:09", makeDateTime(2026, 12, 5, 14, 7, 9)},
        {"12/5/2026", makeDateTime(2026, 12, 5)},
        {"02/29/2024 23:59:59", makeDateTime(2024, 2, 29, 23, 59, 59)},
        {"  \tDec 19, 2026 ", makeDateTime(2026, 12, 19)},
    };
    for (const auto& [text, expected] : accepted) EXPECT_EQ(parseDate(text), expected) << text;
    for (const char* text :
         {"", "   ", "Feb 30, 2026", "2/29/2023", "13/1/2024", "2026-02-30",
          "Dec 05, 2026 24:00:00", "Dec 05, 2026 10:60", "Dec 05, 2026x", "Dek 05, 2026",
          "12/05/2026 14", "hello", "05.12.2026",
          // no digit where the seconds begin (found by fuzzing)
          "Nov 19, 2026 14:55:x17", "2026-11-19 14:55: 17", "11/19/2026 14:55:"}) {
        EXPECT_FALSE(isDate(text)) << text;
    }
}

TEST(Dates_arithmetic, rollsOverMonthsYearsAndLeapDaysLikeDateSerial) {
    EXPECT_EQ(addDays(makeDateTime(2024, 2, 28), 1), makeDateTime(2024, 2, 29));
    EXPECT_EQ(addDays(makeDateTime(2023, 2, 28), 1), makeDateTime(2023, 3, 1));
    EXPECT_EQ(addDays(makeDateTime(2026, 12, 31, 10), 1), makeDateTime(2027, 1, 1, 10));
    EXPECT_EQ(addDays(makeDateTime(2026, 3, 1), -1), makeDateTime(2026, 2, 28));
    EXPECT_EQ(makeDateTime(2026, 13, 1), makeDateTime(2027, 1, 1));
    EXPECT_EQ(makeDateTime(2026, 3, 0), makeDateTime(2026, 2, 28));
    EXPECT_EQ(makeDateTime(2026, 1, 1, 24), makeDateTime(2026, 1, 2));
}

}  // namespace
}  // namespace jex
