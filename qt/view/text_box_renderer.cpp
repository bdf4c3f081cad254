#include "text_box_renderer.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <utility>

#include "basic_renderer.h"
#include "qt_text.h"
#include "text_positions.h"

namespace jex::qt {
namespace {

// System colours carry the high bit; anything else is 0x00BBGGRR.
QColor colourOf(ui::Colour colour) {
    if (colour == ui::kButtonFace) return QApplication::palette().color(QPalette::Button);
    if (colour & 0x80000000u) return QApplication::palette().color(QPalette::Base);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// Text a key types, as a plain edit would insert it: printable, without Ctrl or Meta.
bool isTypedText(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty()) return false;
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

// A native range [begin, end) in UTF-16 units.
using Range = std::pair<int, int>;

class TextBoxRenderer final : public BasicRenderer {
  public:
    TextBoxRenderer(ui::TextBox& box, QWidget* parent)
        : BasicRenderer(box, box.multiLine() ? static_cast<QWidget*>(new QPlainTextEdit(parent))
                                             : new QLineEdit(parent)),
          m_box(box),
          m_line(qobject_cast<QLineEdit*>(native())),
          m_plain(qobject_cast<QPlainTextEdit*>(native())) {
        native()->installEventFilter(this);
        native()->setAcceptDrops(false);
        if (m_plain) m_plain->viewport()->installEventFilter(this);
        if (m_line) {
            connect(m_line, &QLineEdit::textEdited, this, [this] { takeNativeChange(); });
        } else {
            m_plain->setVerticalScrollBarPolicy(box.verticalScrollBar() ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
            m_plain->setTabChangesFocus(true);
            connect(m_plain, &QPlainTextEdit::textChanged, this, [this] { takeNativeChange(); });
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        if (watched != native() && !(m_plain && watched == m_plain->viewport())) return false;
        return typeKey(*static_cast<QKeyEvent*>(event));
    }

  private:
    bool multiLine() const { return m_plain != nullptr; }
    QString nativeText() const { return m_line ? m_line->text() : m_plain->toPlainText(); }

    Range selection() const {
        if (m_line) {
            if (!m_line->hasSelectedText())
                return {m_line->cursorPosition(), m_line->cursorPosition()};
            return {m_line->selectionStart(), m_line->selectionEnd()};
        }
        const QTextCursor cursor = m_plain->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

    void placeCaret(int position) {
        if (m_line) return m_line->setCursorPosition(position);
        QTextCursor cursor = m_plain->textCursor();
        cursor.setPosition(position);
        m_plain->setTextCursor(cursor);
        m_plain->ensureCursorVisible();
    }

    // Returns whether the key was the model's to type; Qt never sees those.
    bool typeKey(const QKeyEvent& key) {
        const Range selected = selection();
        const bool empty = selected.first == selected.second;
        if (key.matches(QKeySequence::Paste)) {
            // Pasting nothing changes nothing; an empty text would read as Delete.
            const QString pasted = QApplication::clipboard()->text();
            if (!pasted.isEmpty()) edit(selected, toUtf8(pasted));
        } else if (key.matches(QKeySequence::Cut)) {
            if (empty) return true;
            QApplication::clipboard()->setText(
                nativeText().mid(selected.first, selected.second - selected.first));
            edit(selected, {});
        } else if (key.matches(QKeySequence::Delete)) {
            edit(empty ? Range{selected.first, nextPosition(selected.first)} : selected, {});
        } else if (key.key() == Qt::Key_Backspace) {
            edit(selected, "\b");
        } else if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            edit(selected, "\n");
        } else if (isTypedText(key)) {
            edit(selected, toUtf8(key.text()));
        } else {
            return false;
        }
        return true;
    }

    // The position after the character at `position`, a surrogate pair taken whole.
    int nextPosition(int position) const {
        const QString text = nativeText();
        if (position >= text.size()) return position;
        return position + (text.at(position).isHighSurrogate() ? 2 : 1);
    }

    // Types `typed` over the native range (empty: Delete of it) in the model, then shows the
    // model's text with the caret where the model's typing left it: before what followed the
    // range, which typing at the caret never touches.
    void edit(Range range, std::string_view typed) {
        const std::string before = m_box.text();
        const int from = toModelPosition(before, range.first, multiLine());
        const int to = toModelPosition(before, range.second, multiLine());
        const int following = characterCount(before) - to;
        m_editing = true;
        m_box.userEdit(from, to - from, typed);
        m_editing = false;
        refresh(ui::Change::Text);
        const std::string& after = m_box.text();
        const int caret = std::max(0, characterCount(after) - following);
        const QSignalBlocker blocker(native());
        placeCaret(toNativePosition(after, caret, multiLine()));
    }

    // The native text changed by a road the key filter does not see: the differing middle is
    // typed into the model over what it replaced.
    void takeNativeChange() {
        const QString was = toNativeText(m_box.text(), multiLine());
        const QString now = nativeText();
        if (was == now) return;
        int prefix = 0;
        while (prefix < was.size() && prefix < now.size() && was[prefix] == now[prefix]) ++prefix;
        int suffix = 0;
        while (suffix < was.size() - prefix && suffix < now.size() - prefix &&
               was[was.size() - 1 - suffix] == now[now.size() - 1 - suffix])
            ++suffix;
        const QString typed = now.mid(prefix, now.size() - prefix - suffix);
        edit({prefix, static_cast<int>(was.size()) - suffix}, toUtf8(typed));
    }

    void show(ui::Change what) override {
        if (what == ui::Change::Text && !m_editing) showText();
        if (what == ui::Change::Locked) {
            if (m_line) m_line->setReadOnly(m_box.locked());
            if (m_plain) m_plain->setReadOnly(m_box.locked());
        }
        if (what == ui::Change::BackColour) {
            QPalette palette = native()->palette();
            palette.setColor(QPalette::Base, colourOf(m_box.backColour()));
            native()->setPalette(palette);
        }
    }

    void showText() {
        const QString text = toNativeText(m_box.text(), multiLine());
        if (text == nativeText()) return;
        if (m_line) return m_line->setText(text);
        m_plain->setPlainText(text);
    }

    ui::TextBox& m_box;
    QLineEdit* m_line;
    QPlainTextEdit* m_plain;
    // While the model types, its text changes once per key; the box shows the end result.
    bool m_editing = false;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeTextBoxRenderer(ui::TextBox& box, QWidget* parent) {
    return makeRenderedAsModel<TextBoxRenderer>(box, parent);
}

}  // namespace jex::qt
