#include "platform/dates.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <locale>
#include <sstream>

#include "platform/text.h"

namespace jex {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// What the tokens of a custom format are rendered from.
struct DateParts {
    date::year_month_day ymd;
    date::weekday weekday;
    date::hh_mm_ss<std::chrono::seconds> time;
};

DateParts splitDateTime(DateTime t) {
    date::local_days day = date::floor<date::days>(t);
    return {date::year_month_day{day}, date::weekday{day},
            date::hh_mm_ss<std::chrono::seconds>{t - day}};
}

std::string padded(long value) {
    std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

std::string_view monthName(const DateParts& p) {
    return kMonthNames[static_cast<unsigned>(p.ymd.month()) - 1];
}

long hour12(const DateParts& p) {
    long h = p.time.hours().count() % 12;
    return h == 0 ? 12 : h;
}

bool isAfternoon(const DateParts& p) { return p.time.hours().count() >= 12; }

struct Token {
    std::string_view text;
    std::string (*render)(const DateParts&);
};

// Longest tokens first, so that "MMM" is not read as "MM" followed by "M".
const std::array<Token, 20> kTokens = {{
    {"yyyy", [](const DateParts& p) { return std::to_string(static_cast<int>(p.ymd.year())); }},
    {"yy", [](const DateParts& p) { return padded(static_cast<int>(p.ymd.year()) % 100); }},
    {"MMMM", [](const DateParts& p) { return std::string(monthName(p)); }},
    {"MMM", [](const DateParts& p) { return std::string(monthName(p).substr(0, 3)); }},
    {"MM", [](const DateParts& p) { return padded(static_cast<unsigned>(p.ymd.month())); }},
    {"M", [](const DateParts& p) { return std::to_string(static_cast<unsigned>(p.ymd.month())); }},
    {"dddd", [](const DateParts& p) { return std::string(kWeekdayNames[p.weekday.c_encoding()]); }},
    {"ddd",
     [](const DateParts& p) {
         return std::string(kWeekdayNames[p.weekday.c_encoding()].substr(0, 3));
     }},
    {"dd", [](const DateParts& p) { return padded(static_cast<unsigned>(p.ymd.day())); }},
    {"d", [](const DateParts& p) { return std::to_string(static_cast<unsigned>(p.ymd.day())); }},
    {"HH", [](const DateParts& p) { return padded(p.time.hours().count()); }},
    {"H", [](const DateParts& p) { return std::to_string(p.time.hours().count()); }},
    {"hh", [](const DateParts& p) { return padded(hour12(p)); }},
    {"h", [](const DateParts& p) { return std::to_string(hour12(p)); }},
    {"mm", [](const DateParts& p) { return padded(p.time.minutes().count()); }},
    {"m", [](const DateParts& p) { return std::to_string(p.time.minutes().count()); }},
    {"ss", [](const DateParts& p) { return padded(p.time.seconds().count()); }},
    {"s", [](const DateParts& p) { return std::to_string(p.time.seconds().count()); }},
    {"tt", [](const DateParts& p) { return std::string(isAfternoon(p) ? "PM" : "AM"); }},
    {"t", [](const DateParts& p) { return std::string(isAfternoon(p) ? "P" : "A"); }},
}};

const Token* findToken(std::string_view rest) {
    for (const Token& token : kTokens)
        if (rest.starts_with(token.text)) return &token;
    return nullptr;
}

std::string_view patternFormat(DatePattern p) {
    switch (p) {
        case DatePattern::TimeStamp:
            return "MMM dd, yyyy HH:mm:ss";
        case DatePattern::Date:
            return "MMM dd, yyyy";
        case DatePattern::Picker:
            return "MMM, dd yyyy";
    }
    return "MMM dd, yyyy";
}

// The forms a date text may take, longest first; each must consume the whole text.
constexpr std::array<const char*, 12> kDateForms = {
    "%b %d, %Y %H:%M:%S", "%b %d, %Y %H:%M",   "%b %d, %Y",      "%b, %d %Y",
    "%Y-%m-%dT%H:%M:%S",  "%Y-%m-%d %H:%M:%S", "%Y-%m-%dT%H:%M", "%Y-%m-%d %H:%M",
    "%Y-%m-%d",           "%m/%d/%Y %H:%M:%S", "%m/%d/%Y %H:%M", "%m/%d/%Y",
};

std::string_view trimWhitespace(std::string_view text) { return trimmedOf(text, " \t\r\n"); }

// The conversions of the forms read digits, signs and month names only, so a form can fit only
// a text with as many of its separators: the others need not be tried.
bool hasSeparatorsOf(std::string_view text, std::string_view form) {
    for (const char separator : {':', ',', '/'})
        if (std::ranges::count(text, separator) != std::ranges::count(form, separator))
            return false;
    return true;
}

// The date library reads seconds into a number it sets only when digits follow, yet converts
// that number either way; a form ending in seconds is tried only on a text whose last ':' is
// followed by a digit, which is the only text it could fit.
bool hasSecondsDigitFor(std::string_view text, std::string_view form) {
    if (!form.ends_with("%S")) return true;
    const size_t colon = text.rfind(':');
    return colon != std::string_view::npos && colon + 1 < text.size() &&
           std::isdigit(static_cast<unsigned char>(text[colon + 1])) != 0;
}

// date::parse itself refuses impossible days and times; a form only fits when nothing is
// left over after it. The stream is rewound for each form.
std::optional<DateTime> parseWholeText(std::istringstream& in, const char* form) {
    in.clear();
    in.seekg(0);
    DateTime t{};
    in >> date::parse(form, t);
    if (in.fail()) return std::nullopt;
    in.peek();
    if (!in.eof()) return std::nullopt;
    return t;
}

}  // namespace

std::string formatCustom(DateTime t, std::string_view customFormat) {
    DateParts parts = splitDateTime(t);
    std::string out;
    while (!customFormat.empty()) {
        if (customFormat.front() == '\'') {
            size_t close = customFormat.find('\'', 1);
            size_t end = close == std::string_view::npos ? customFormat.size() : close;
            out += customFormat.substr(1, end - 1);
            customFormat.remove_prefix(std::min(end + 1, customFormat.size()));
            continue;
        }
        if (const Token* token = findToken(customFormat)) {
            out += token->render(parts);
            customFormat.remove_prefix(token->text.size());
            continue;
        }
        out += customFormat.front();
        customFormat.remove_prefix(1);
    }
    return out;
}

std::string formatDate(DateTime t, DatePattern p) { return formatCustom(t, patternFormat(p)); }

std::optional<DateTime> parseDate(std::string_view text) {
    text = trimWhitespace(text);
    if (text.empty()) return std::nullopt;
    // Lists check a date in every row they draw: one stream per thread, set up once.
    thread_local std::istringstream in = [] {
        std::istringstream classic;
        classic.imbue(std::locale::classic());
        return classic;
    }();
    in.str(std::string(text));
    for (const char* form : kDateForms) {
        if (!hasSeparatorsOf(text, form) || !hasSecondsDigitFor(text, form)) continue;
        if (auto t = parseWholeText(in, form)) return t;
    }
    return std::nullopt;
}

bool isDate(std::string_view text) { return parseDate(text).has_value(); }

DateTime addDays(DateTime t, int days) { return t + date::days{days}; }

DateTime dateOnly(DateTime t) { return date::floor<date::days>(t); }

DateTime makeDateTime(int year, unsigned month, unsigned day, int hour, int minute, int second) {
    date::year_month firstMonth = date::year{year} / date::January;
    date::year_month yearMonth = firstMonth + date::months{static_cast<int>(month) - 1};
    date::local_days firstDay{yearMonth / 1};
    date::local_days dayOfMonth = firstDay + date::days{static_cast<int>(day) - 1};
    return dayOfMonth + std::chrono::hours{hour} + std::chrono::minutes{minute} +
           std::chrono::seconds{second};
}

DateTime SystemClock::now() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return makeDateTime(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                        static_cast<unsigned>(local.tm_mday), local.tm_hour, local.tm_min,
                        local.tm_sec);
}

}  // namespace jex
