#pragma once

#include <string_view>

#include "json_value.h"
#include "platform/widgets/widget.h"

namespace jex::host {

// The name a host reads for a kind of widget ("CommandButton", "ListView", "Menu"...).
// Never fails.
std::string_view kindName(ui::WidgetKind kind);

// What a host reads of a widget: "type", "visible" and "enabled" for all, then the state of
// its kind (caption, text, items, selection...). Positions of list items, tabs and selections
// are 1-based with 0 for none, as the widgets count them. Never fails.
Json widgetState(const ui::Widget& widget);

}  // namespace jex::host
