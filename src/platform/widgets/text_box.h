#pragma once

#include "platform/widgets/widget.h"

namespace jex::ui {

class TextBox : public Widget {
  public:
    struct Options {
        bool multiLine = false;
        bool verticalScrollBar = false;
        int maxLength = 0;  // characters; 0 = no limit
    };

    TextBox(Screen& screen, std::string name, Widget* container, Options options);
    TextBox(Screen& screen, std::string name, Widget* container);

    const std::string& text() const { return m_text; }
    // From code: any text, whatever the length limit (the limit binds typing only).
    void setText(std::string text);
    bool locked() const { return m_locked; }
    void setLocked(bool locked);
    Colour backColour() const { return m_backColour; }
    void setBackColour(Colour colour);
    bool multiLine() const { return m_options.multiLine; }
    bool verticalScrollBar() const { return m_options.verticalScrollBar; }
    int maxLength() const { return m_options.maxLength; }

    // Key-press filter: receives the character code of each typed key (13 for Enter, 8 for
    // Backspace, the Unicode code point otherwise) and may set it to 0 to swallow the key.
    std::function<void(int& keyAscii)> onKeyPress;

    // User input: takes the focus and types `text` at the end, one character at a time
    // through the key-press filter. "\n" is the Enter key (a line break "\r\n" in a multi-line
    // box, nothing in a single-line one), "\b" is Backspace. Typing stops adding characters at
    // the length limit. Ignored when the box does not accept input; a locked box takes the
    // focus and fires the filter but does not change.
    void userType(std::string_view text);
    // User input: selects all and types `text` over it (Delete of the selection, then typing).
    void userReplaceText(std::string_view text);
    // User input: replaces the `length` characters from `start` (0-based, counted in characters
    // of the UTF-8 text) with `text` typed one character at a time through the key-press filter,
    // as typing over a selection at the caret does; "\b" is Backspace (removes the selection, or
    // the character before the caret). An empty `text` is Delete of the range, which passes no
    // filter. Same rules as userType otherwise (limit, lock, focus); a range reaching past the
    // text is cut at its end.
    void userEdit(int start, int length, std::string_view text);

  private:
    // The selection as byte offsets into the text; empty when begin == end (the caret).
    struct Selection {
        size_t begin = 0;
        size_t end = 0;
    };
    void typeKey(int key, Selection& selection);
    void deleteSelection(Selection& selection);

    Options m_options;
    std::string m_text;
    bool m_locked = false;
    Colour m_backColour = kWindowBackground;
};

}  // namespace jex::ui
