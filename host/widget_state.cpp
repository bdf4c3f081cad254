#include "widget_state.h"

#include "platform/widgets/check_box.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/date_picker.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/label.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/popup_menu.h"
#include "platform/widgets/tab_strip.h"
#include "platform/widgets/text_box.h"

namespace jex::host {
namespace {

using ui::WidgetKind;

int positionOf(const ui::ListItemRef& item) { return item ? item->index() : 0; }

// Every column's text, the item's own text first; sub-items run up to the column count.
Json rowTexts(const ui::ListItem& item, int columnCount) {
    Json row = Json::array({item.text()});
    for (int c = 1; c < columnCount; ++c) row.push_back(item.column(c));
    return row;
}

void addCaption(Json& state, const std::string& caption) { state["caption"] = caption; }

void addTextBox(Json& state, const ui::TextBox& box) {
    state["text"] = box.text();
    state["locked"] = box.locked();
    state["backColor"] = box.backColour();
}

void addComboBox(Json& state, const ui::ComboBox& combo) {
    state["items"] = combo.items();
    state["listIndex"] = combo.listIndex();
    state["text"] = combo.text();
}

void addListView(Json& state, const ui::ListView& list) {
    Json columns = Json::array();
    for (const ui::ColumnHeader& header : list.columns()) {
        columns.push_back({{"caption", header.caption}, {"width", header.width}});
    }
    Json items = Json::array();
    for (const ui::ListItemRef& item : list.items())
        items.push_back(rowTexts(*item, list.columnCount()));
    state["columns"] = std::move(columns);
    state["items"] = std::move(items);
    state["selected"] = positionOf(list.selectedItem());
    state["sortKey"] = list.sortKey();
    state["sortOrder"] = list.sortOrder();
    state["dropHighlight"] = positionOf(list.dropHighlight());
}

void addTabStrip(Json& state, const ui::TabStrip& tabs) {
    state["tabs"] = tabs.tabs();
    state["selected"] = tabs.selectedIndex();
}

void addDatePicker(Json& state, const ui::DatePicker& picker) {
    state["value"] = date::format("%F", date::floor<date::days>(picker.value()));
    state["customFormat"] = picker.customFormat();
}

void addMenu(Json& state, const ui::PopupMenu& menu) {
    Json items = Json::array();
    for (const auto& [index, item] : menu.items()) {
        items.push_back({{"caption", item.caption}, {"checked", item.checked}});
    }
    state["items"] = std::move(items);
    state["open"] = menu.isOpen();
}

template <class W>
const W& as(const ui::Widget& widget) {
    return static_cast<const W&>(widget);
}

}  // namespace

std::string_view kindName(WidgetKind kind) {
    switch (kind) {
        case WidgetKind::Frame:
            return "Frame";
        case WidgetKind::Label:
            return "Label";
        case WidgetKind::TextBox:
            return "TextBox";
        case WidgetKind::ComboBox:
            return "ComboBox";
        case WidgetKind::CheckBox:
            return "CheckBox";
        case WidgetKind::CommandButton:
            return "CommandButton";
        case WidgetKind::ListView:
            return "ListView";
        case WidgetKind::TabStrip:
            return "TabStrip";
        case WidgetKind::DatePicker:
            return "DatePicker";
        case WidgetKind::Menu:
            return "Menu";
    }
    return "Widget";
}

Json widgetState(const ui::Widget& widget) {
    Json state = {{"type", kindName(widget.kind())},
                  {"visible", widget.visible()},
                  {"enabled", widget.enabled()}};
    switch (widget.kind()) {
        case WidgetKind::Frame:
            addCaption(state, as<ui::Frame>(widget).caption());
            break;
        case WidgetKind::Label:
            addCaption(state, as<ui::Label>(widget).caption());
            break;
        case WidgetKind::CommandButton:
            addCaption(state, as<ui::CommandButton>(widget).caption());
            break;
        case WidgetKind::CheckBox:
            state["value"] = as<ui::CheckBox>(widget).value();
            break;
        case WidgetKind::TextBox:
            addTextBox(state, as<ui::TextBox>(widget));
            break;
        case WidgetKind::ComboBox:
            addComboBox(state, as<ui::ComboBox>(widget));
            break;
        case WidgetKind::ListView:
            addListView(state, as<ui::ListView>(widget));
            break;
        case WidgetKind::TabStrip:
            addTabStrip(state, as<ui::TabStrip>(widget));
            break;
        case WidgetKind::DatePicker:
            addDatePicker(state, as<ui::DatePicker>(widget));
            break;
        case WidgetKind::Menu:
            addMenu(state, as<ui::PopupMenu>(widget));
            break;
    }
    return state;
}

}  // namespace jex::host
