#include <algorithm>

#include "answers.h"
#include "host_session.h"
#include "request.h"
#include "widget_state.h"

// The user's hands: each op acts through the widgets' user-input API, so the widget model
// decides what a disabled, hidden or locked widget does with the input.
namespace jex::host {
namespace {

using ui::WidgetKind;

template <class W>
W& as(ui::Widget& widget) {
    return static_cast<W&>(widget);
}

ui::Widget* findWidget(const ui::Screen& screen, std::string_view name) {
    if (ui::Widget* widget = screen.find(name)) return widget;
    // A popup menu is known by its item array's name as well as its own.
    for (ui::Widget* widget : screen.widgets()) {
        if (widget->kind() != WidgetKind::Menu) continue;
        if (as<ui::PopupMenu>(*widget).itemArrayName() == name) return widget;
    }
    return nullptr;
}

std::string wrongKind(const ui::Widget& widget, std::string_view op) {
    return "op " + inQuotes(op) + " does not apply to " + inQuotes(widget.name()) + ", a " +
           std::string(kindName(widget.kind()));
}

// The height of item `index` of a list, or for 0 the empty space below its rows.
double rowY(const ui::ListView& list, int index) {
    return ui::ListView::rowCentre(index == 0 ? list.count() + 1 : index);
}

using MouseEvent = void (ui::ListView::*)(int, int, double, double);

MouseEvent mouseEventNamed(std::string_view name) {
    if (name == "down") return &ui::ListView::userMouseDown;
    if (name == "move") return &ui::ListView::userMouseMove;
    if (name == "up") return &ui::ListView::userMouseUp;
    throw RequestError("field \"event\" must be \"down\", \"move\" or \"up\"");
}

}  // namespace

ui::Widget& HostSession::widgetIn(const Request& request, std::string_view field) const {
    const std::string name = request.text(field);
    ui::Widget* widget = findWidget(m_control->screen(), name);
    if (widget == nullptr) throw RequestError("unknown widget " + inQuotes(name));
    return *widget;
}

template <class W>
W& HostSession::widgetOfKind(const Request& request, WidgetKind kind,
                             std::string_view field) const {
    ui::Widget& widget = widgetIn(request, field);
    if (widget.kind() != kind) throw RequestError(wrongKind(widget, request.op()));
    return as<W>(widget);
}

Json HostSession::onWidget(const Request& request,
                           std::initializer_list<std::pair<WidgetKind, Action>> actions) {
    ui::Widget& widget = widgetIn(request);
    auto action = std::ranges::find(actions, widget.kind(), &std::pair<WidgetKind, Action>::first);
    if (action == actions.end()) throw RequestError(wrongKind(widget, request.op()));
    if (!widget.acceptsInput()) return ignored();
    action->second(widget);
    return ok();
}

Json HostSession::click(const Request& request) {
    return onWidget(
        request,
        {
            {WidgetKind::CommandButton,
             [](ui::Widget& w) { as<ui::CommandButton>(w).userClick(); }},
            {WidgetKind::CheckBox, [](ui::Widget& w) { as<ui::CheckBox>(w).userClick(); }},
            // Below the rows, so that the selection stays as it is.
            {WidgetKind::ListView, [](ui::Widget& w) { as<ui::ListView>(w).userClickItem(0); }},
            {WidgetKind::Label, [](ui::Widget&) {}},
        });
}

Json HostSession::select(const Request& request) {
    const int index = request.integer("index");
    return onWidget(request, {
                                 {WidgetKind::ListView,
                                  [&](ui::Widget& w) { as<ui::ListView>(w).userClickItem(index); }},
                                 {WidgetKind::ComboBox,
                                  [&](ui::Widget& w) { as<ui::ComboBox>(w).userSelect(index); }},
                                 {WidgetKind::TabStrip,
                                  [&](ui::Widget& w) { as<ui::TabStrip>(w).userSelectTab(index); }},
                             });
}

Json HostSession::type(const Request& request) {
    auto& box = widgetOfKind<ui::TextBox>(request, WidgetKind::TextBox);
    const std::string text = request.text("text");
    const bool replace = request.flag("replace", false);
    if (!box.acceptsInput() || box.locked()) return ignored();
    if (replace) {
        box.userReplaceText(text);
    } else {
        box.userType(text);
    }
    return ok();
}

Json HostSession::check(const Request& request) {
    auto& box = widgetOfKind<ui::CheckBox>(request, WidgetKind::CheckBox);
    const int value = request.integer("value");
    if (value != 0 && value != 1) throw RequestError("field \"value\" must be 0 or 1");
    if (!box.acceptsInput()) return ignored();
    // A greyed box takes two clicks to become checked; a Click handler that undoes the change
    // must not make this loop for ever.
    for (int clicks = 0; clicks < 2 && box.value() != value; ++clicks) box.userClick();
    return ok();
}

Json HostSession::key(const Request& request) {
    auto& list = widgetOfKind<ui::ListView>(request, WidgetKind::ListView);
    const int code = request.integer("code");
    if (!list.acceptsInput()) return ignored();
    list.userPressKey(code);
    return ok();
}

Json HostSession::dblclick(const Request& request) {
    auto& list = widgetOfKind<ui::ListView>(request, WidgetKind::ListView);
    if (!list.acceptsInput()) return ignored();
    const ui::ListItemRef selected = list.selectedItem();
    list.userDoubleClickItem(selected ? selected->index() : 0);
    return ok();
}

Json HostSession::columnclick(const Request& request) {
    auto& list = widgetOfKind<ui::ListView>(request, WidgetKind::ListView);
    const int column = request.integer("column");
    if (!list.acceptsInput()) return ignored();
    list.userClickColumnHeader(column);
    return ok();
}

Json HostSession::blur(const Request& request) {
    ui::Widget& widget = widgetIn(request);
    if (!widget.acceptsInput()) return ignored();
    // The focus has to be there before it can leave, so that LostFocus runs.
    if (!widget.hasFocus()) widget.userFocus();
    widget.userMoveFocusAway();
    return ok();
}

Json HostSession::mouse(const Request& request) {
    auto& list = widgetOfKind<ui::ListView>(request, WidgetKind::ListView);
    const MouseEvent event = mouseEventNamed(request.text("event"));
    const int button = request.integer("button");
    // Without an item, the pointer is over the column headers: over no item at all.
    const double y = request.has("index") ? rowY(list, request.integer("index")) : 0;
    if (!list.acceptsInput()) return ignored();
    (list.*event)(button, 0, 0, y);
    return ok();
}

Json HostSession::drag(const Request& request) {
    auto& from = widgetOfKind<ui::ListView>(request, WidgetKind::ListView, "from");
    auto& to = widgetOfKind<ui::ListView>(request, WidgetKind::ListView, "to");
    const int fromIndex = request.integer("fromIndex");
    const int toIndex = request.integer("toIndex");
    if (!from.acceptsInput()) return ignored();
    const double fromY = rowY(from, fromIndex);
    from.userMouseDown(ui::kLeftButton, 0, 0, fromY);
    from.userMouseMove(ui::kLeftButton, 0, 0, fromY);
    const double toY = rowY(to, toIndex);
    to.userDragOver(0, toY);
    to.userDrop(0, toY);
    return ok();
}

Json HostSession::menu(const Request& request) {
    const int index = request.integer("index");
    const auto& widgets = m_control->screen().widgets();
    auto open = std::ranges::find_if(widgets, [](ui::Widget* w) {
        return w->kind() == WidgetKind::Menu && as<ui::PopupMenu>(*w).isOpen();
    });
    if (open == widgets.end()) throw RequestError("no popup menu is showing");
    as<ui::PopupMenu>(**open).userPick(index);
    return ok();
}

Json HostSession::date(const Request& request) {
    auto& picker = widgetOfKind<ui::DatePicker>(request, WidgetKind::DatePicker);
    const DateTime value = request.date("value");
    if (!picker.acceptsInput()) return ignored();
    picker.userSetDate(value);
    return ok();
}

}  // namespace jex::host
