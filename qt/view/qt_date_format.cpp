#include "qt_date_format.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "qt_text.h"

namespace jex::qt {
namespace {

// The model's tokens, longest first as the model reads them, with what Qt calls them.
constexpr std::pair<std::string_view, std::string_view> kTokens[] = {
    {"yyyy", "yyyy"}, {"yy", "yy"},     {"MMMM", "MMMM"}, {"MMM", "MMM"}, {"MM", "MM"},
    {"M", "M"},       {"dddd", "dddd"}, {"ddd", "ddd"},   {"dd", "dd"},   {"d", "d"},
    {"HH", "HH"},     {"H", "H"},       {"hh", "hh"},     {"h", "h"},     {"mm", "mm"},
    {"m", "m"},       {"ss", "ss"},     {"s", "s"},       {"tt", "AP"},   {"t", "AP"},
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Literal text waits here until a token ends it; quoted only when Qt could misread it.
class LiteralRun {
  public:
    void add(char c) { m_text += c; }
    void flushInto(std::string& out) {
        bool quote = false;
        for (char c : m_text) quote = quote || isLetter(c) || c == '\'';
        if (!quote) {
            out += m_text;
        } else {
            out += '\'';
            for (char c : m_text) out += c == '\'' ? std::string("''") : std::string(1, c);
            out += '\'';
        }
        m_text.clear();
    }

  private:
    std::string m_text;
};

}  // namespace

QString toQtDateFormat(std::string_view customFormat) {
    std::string out;
    LiteralRun literal;
    size_t pos = 0;
    while (pos < customFormat.size()) {
        if (customFormat[pos] == '\'') {
            const size_t close = customFormat.find('\'', pos + 1);
            const size_t end = close == std::string_view::npos ? customFormat.size() : close;
            for (char c : customFormat.substr(pos + 1, end - pos - 1)) literal.add(c);
            pos = end + 1;
            continue;
        }
        const auto* token = std::find_if(
            std::begin(kTokens), std::end(kTokens),
            [&](const auto& t) { return customFormat.substr(pos).starts_with(t.first); });
        if (token == std::end(kTokens)) {
            literal.add(customFormat[pos++]);
            continue;
        }
        literal.flushInto(out);
        out += token->second;
        pos += token->first.size();
    }
    literal.flushInto(out);
    return toQString(out);
}

QDate toQDate(DateTime value) {
    const date::year_month_day day{date::floor<date::days>(value)};
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

DateTime fromQDate(QDate day) {
    return makeDateTime(day.year(), static_cast<unsigned>(day.month()),
                        static_cast<unsigned>(day.day()));
}

}  // namespace jex::qt
