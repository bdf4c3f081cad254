#pragma once

#include <date/date.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace jex {

// A local date and time to the whole second; the control never deals in time zones.
using DateTime = date::local_seconds;

// The three display patterns in which the control stores dates as text.
enum class DatePattern {
    TimeStamp,  // "mmm dd, yyyy HH:MM:SS": Dec 05, 2026 14:07:09
    Date,       // "mmm dd, yyyy": Dec 19, 2026
    Picker,     // the date picker's "MMM, dd yyyy": Dec, 19 2026
};

// The text of `t` in pattern `p`, English month abbreviations. Never fails.
std::string formatDate(DateTime t, DatePattern p);

// The text of `t` in the date picker's custom format language. Tokens (longest first):
// yyyy, yy; MMMM, MMM, MM, M; dddd, ddd (weekday names), dd, d; HH, H (24-hour), hh, h
// (12-hour); mm, m; ss, s; tt (AM/PM), t (A/P). Text in single quotes and every other
// character is copied as it stands. Never fails.
std::string formatCustom(DateTime t, std::string_view customFormat);

// The date a text stands for (the classic date recognition), blanks around it ignored and
// month names in any letter case. Accepted forms: "mmm dd, yyyy[ HH:MM[:SS]]",
// "MMM, dd yyyy", "yyyy-mm-dd[( |T)HH:MM[:SS]]" and "m/d/yyyy[ HH:MM[:SS]]".
// nullopt for any other text, an impossible date or time, or text left over.
std::optional<DateTime> parseDate(std::string_view text);

// True when parseDate() reads a date from `text`.
bool isDate(std::string_view text);

// `t` moved by whole calendar days (negative goes back); month and year ends roll over.
DateTime addDays(DateTime t, int days);

// Midnight of the day of `t`.
DateTime dateOnly(DateTime t);

// The date and time from its parts; parts out of their range roll over into the next unit,
// as the classic DateSerial does (month 13 is January of the next year, day 0 the last day of
// the month before). Never fails.
DateTime makeDateTime(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                      int second = 0);

// The source of "now": production reads the system's local time, tests fix it.
class Clock {
  public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual DateTime now() const = 0;
};

// The system's local wall-clock time.
class SystemClock final : public Clock {
  public:
    DateTime now() const override;
};

// A clock that stands still until it is set or advanced.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(DateTime t) : m_now(t) {}

    DateTime now() const override { return m_now; }
    void set(DateTime t) { m_now = t; }
    void advance(std::chrono::seconds s) { m_now += s; }

  private:
    DateTime m_now;
};

}  // namespace jex
