#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "platform/mouse_pointer.h"
#include "platform/widgets/widget.h"

namespace jex::ui {

// The surface of one control: the registry of its widgets by name, the focus, the mouse
// pointer, the drag in progress, and the one observer that a view listens through.
class Screen {
  public:
    using Observer = std::function<void(Widget&, Change)>;
    using PointerObserver = std::function<void(MousePointer)>;

    Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // The widget of that exact name ("Frame4(2)", "lstDiscussions"), or nullptr.
    Widget* find(std::string_view name) const;
    // Every widget in creation order.
    const std::vector<Widget*>& widgets() const { return m_widgets; }

    // The one observer of changes (a view); replaces any earlier one.
    void setObserver(Observer observer) { m_observer = std::move(observer); }
    void setPointerObserver(PointerObserver observer) { m_pointerObserver = std::move(observer); }

    Widget* focused() const { return m_focused; }
    // Moves the focus to `to` (nullptr: nowhere), firing the old widget's lost focus first and
    // the new one's got focus after. Ignored when `to` does not accept input.
    void moveFocus(Widget* to);

    MousePointer mousePointer() const { return m_pointer; }
    void setMousePointer(MousePointer pointer);

    // The manual drag in progress: its source widget, or nullptr.
    Widget* dragSource() const { return m_dragSource; }
    void beginDrag(Widget& source);
    void endDrag();

    // Called by widgets.
    void registerWidget(Widget& widget);
    void unregisterWidget(Widget& widget);
    void notify(Widget& widget, Change what);

  private:
    std::vector<Widget*> m_widgets;
    Observer m_observer;
    PointerObserver m_pointerObserver;
    Widget* m_focused = nullptr;
    Widget* m_dragSource = nullptr;
    MousePointer m_pointer = MousePointer::Default;
};

}  // namespace jex::ui
