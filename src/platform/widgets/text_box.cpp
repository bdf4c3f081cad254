#include "platform/widgets/text_box.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace jex::ui {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kLineBreak = "\r\n";

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point that starts at `pos` and the number of bytes it takes. A malformed sequence
// reads as U+FFFD and takes one byte, so that typing never stops on bad input.
std::pair<char32_t, size_t> decodeAt(std::string_view s, size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) return {lead, 1};
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length > s.size()) return {kReplacement, 1};
    char32_t cp = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(byte)) return {kReplacement, 1};
        cp = (cp << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < kShortest[length] || cp > 0x10FFFF || surrogate) return {kReplacement, 1};
    return {cp, length};
}

std::string encode(char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

int countCodePoints(std::string_view s) {
    int count = 0;
    for (char c : s) count += isContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return count;
}

// The byte offset at which character `chars` (0-based) starts; the text's end when it has no
// more characters.
size_t byteOffsetOf(std::string_view s, int chars) {
    if (chars <= 0) return 0;
    int seen = 0;
    for (size_t pos = 0; pos < s.size(); ++pos) {
        if (isContinuation(static_cast<unsigned char>(s[pos]))) continue;
        if (seen == chars) return pos;
        ++seen;
    }
    return s.size();
}

// Where the character before `caret` starts, for Backspace: a line break goes as a whole, as in
// a real multi-line box.
size_t characterStartBefore(std::string_view text, size_t caret) {
    if (text.substr(0, caret).ends_with(kLineBreak)) return caret - kLineBreak.size();
    size_t pos = caret;
    while (pos > 0 && isContinuation(static_cast<unsigned char>(text[pos - 1]))) --pos;
    return pos > 0 ? pos - 1 : 0;
}

// The key a typed character stands for: "\n" (or "\r\n", or a lone "\r") is Enter, "\b" is
// Backspace, anything else its code point. Returns the key and the bytes it took.
std::pair<int, size_t> keyAt(std::string_view text, size_t pos) {
    if (text.substr(pos).starts_with(kLineBreak)) return {kKeyReturn, 2};
    if (text[pos] == '\n' || text[pos] == '\r') return {kKeyReturn, 1};
    if (text[pos] == '\b') return {kKeyBack, 1};
    auto [cp, length] = decodeAt(text, pos);
    return {static_cast<int>(cp), length};
}

}  // namespace

TextBox::TextBox(Screen& screen, std::string name, Widget* container, Options options)
    : Widget(screen, std::move(name), WidgetKind::TextBox, container), m_options(options) {}

TextBox::TextBox(Screen& screen, std::string name, Widget* container)
    : TextBox(screen, std::move(name), container, Options{}) {}

void TextBox::setText(std::string text) {
    if (m_text == text) return;
    m_text = std::move(text);
    changed(Change::Text);
}

void TextBox::setLocked(bool locked) {
    if (m_locked == locked) return;
    m_locked = locked;
    changed(Change::Locked);
}

void TextBox::setBackColour(Colour colour) {
    if (m_backColour == colour) return;
    m_backColour = colour;
    changed(Change::BackColour);
}

void TextBox::userType(std::string_view text) {
    userEdit(std::numeric_limits<int>::max(), 0, text);
}

void TextBox::userReplaceText(std::string_view text) {
    userEdit(0, std::numeric_limits<int>::max(), {});
    userType(text);
}

void TextBox::userEdit(int start, int length, std::string_view text) {
    if (!acceptsInput()) return;
    userFocus();
    const long long end = std::min<long long>(static_cast<long long>(start) + std::max(length, 0),
                                              std::numeric_limits<int>::max());
    Selection selection{byteOffsetOf(m_text, start), byteOffsetOf(m_text, static_cast<int>(end))};
    if (text.empty()) return deleteSelection(selection);
    for (size_t pos = 0; pos < text.size();) {
        auto [key, bytes] = keyAt(text, pos);
        typeKey(key, selection);
        pos += bytes;
    }
}

void TextBox::deleteSelection(Selection& selection) {
    if (m_locked || selection.begin == selection.end) return;
    m_text.erase(selection.begin, selection.end - selection.begin);
    selection.end = selection.begin;
    changed(Change::Text);
}

void TextBox::typeKey(int key, Selection& selection) {
    if (onKeyPress) onKeyPress(key);
    if (key == 0 || m_locked) return;
    // The filter may have set the text from code; the caret stays within it.
    selection.begin = std::min(selection.begin, m_text.size());
    selection.end = std::clamp(selection.end, selection.begin, m_text.size());
    if (key == kKeyBack) {
        if (selection.begin == selection.end) {
            if (selection.begin == 0) return;
            selection.begin = characterStartBefore(m_text, selection.begin);
        }
        return deleteSelection(selection);
    }
    const bool lineBreak = key == kKeyReturn;
    if (lineBreak && !m_options.multiLine) return;
    const std::string typed =
        lineBreak ? std::string(kLineBreak) : encode(static_cast<char32_t>(key));
    // The limit counts a line break as the two characters it is stored as.
    const int length = lineBreak ? 2 : 1;
    const std::string_view selected =
        std::string_view(m_text).substr(selection.begin, selection.end - selection.begin);
    const int kept = countCodePoints(m_text) - countCodePoints(selected);
    if (m_options.maxLength > 0 && kept + length > m_options.maxLength) return;
    m_text.replace(selection.begin, selected.size(), typed);
    selection.begin += typed.size();
    selection.end = selection.begin;
    changed(Change::Text);
}

}  // namespace jex::ui
