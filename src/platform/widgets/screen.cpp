#include "platform/widgets/screen.h"

#include <algorithm>

namespace jex::ui {

Widget* Screen::find(std::string_view name) const {
    auto it = std::find_if(m_widgets.begin(), m_widgets.end(),
                           [&](const Widget* w) { return w->name() == name; });
    return it == m_widgets.end() ? nullptr : *it;
}

void Screen::moveFocus(Widget* to) {
    if (to == m_focused) return;
    if (to != nullptr && !to->acceptsInput()) return;
    Widget* from = m_focused;
    m_focused = to;
    if (from != nullptr) notify(*from, Change::Focus);
    if (to != nullptr) notify(*to, Change::Focus);
    if (from != nullptr && from->onLostFocus) from->onLostFocus();
    // A lost-focus handler may send the focus elsewhere (back to a field at fault); the widget
    // that was to get it then never did.
    if (to != nullptr && m_focused == to && to->onGotFocus) to->onGotFocus();
}

void Screen::setMousePointer(MousePointer pointer) {
    if (m_pointer == pointer) return;
    m_pointer = pointer;
    if (m_pointerObserver) m_pointerObserver(pointer);
}

void Screen::beginDrag(Widget& source) { m_dragSource = &source; }

void Screen::endDrag() { m_dragSource = nullptr; }

void Screen::registerWidget(Widget& widget) { m_widgets.push_back(&widget); }

void Screen::unregisterWidget(Widget& widget) {
    std::erase(m_widgets, &widget);
    if (m_focused == &widget) m_focused = nullptr;
    if (m_dragSource == &widget) m_dragSource = nullptr;
}

void Screen::notify(Widget& widget, Change what) {
    if (m_observer) m_observer(widget, what);
    if (what != Change::Enabled && what != Change::Visible) return;
    // Hiding or disabling the focused widget (or a container of it) leaves the focus nowhere;
    // a real screen does this without lost-focus events the control could react to.
    if (m_focused == nullptr || m_focused->acceptsInput()) return;
    Widget* dropped = m_focused;
    m_focused = nullptr;
    notify(*dropped, Change::Focus);
}

}  // namespace jex::ui
