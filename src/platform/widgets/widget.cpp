#include "platform/widgets/widget.h"

#include "platform/widgets/screen.h"

namespace jex::ui {

Widget::Widget(Screen& screen, std::string name, WidgetKind kind, Widget* container)
    : m_screen(screen), m_name(std::move(name)), m_kind(kind), m_container(container) {
    m_screen.registerWidget(*this);
}

Widget::~Widget() { m_screen.unregisterWidget(*this); }

void Widget::setEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    changed(Change::Enabled);
}

void Widget::setVisible(bool visible) {
    if (m_visible == visible) return;
    m_visible = visible;
    changed(Change::Visible);
}

bool Widget::isShown() const {
    for (const Widget* w = this; w != nullptr; w = w->m_container) {
        if (!w->m_visible) return false;
    }
    return true;
}

bool Widget::acceptsInput() const {
    if (!isShown()) return false;
    for (const Widget* w = this; w != nullptr; w = w->m_container) {
        if (!w->m_enabled) return false;
    }
    return true;
}

void Widget::setFocus() {
    if (!acceptsInput()) return;
    m_screen.moveFocus(this);
}

bool Widget::hasFocus() const { return m_screen.focused() == this; }

bool Widget::userFocus() {
    if (!acceptsInput()) return false;
    m_screen.moveFocus(this);
    return hasFocus();
}

void Widget::userMoveFocusAway() {
    if (!hasFocus()) return;
    m_screen.moveFocus(nullptr);
}

void Widget::changed(Change what) { m_screen.notify(*this, what); }

}  // namespace jex::ui
