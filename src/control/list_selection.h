#pragma once

#include <string>

#include "platform/widgets/list_view.h"

namespace jex {

// After the selected row was removed at `position`, selects the row that took its place (or
// the new last row), so that the fields show a row that still exists. Selects nothing in an
// empty list. Fires nothing.
inline void selectRowAt(ui::ListView& list, int position) {
    if (list.count() == 0) return;
    list.setSelectedItem(list.item(position <= list.count() ? position : list.count()));
}

// Selects the first row whose `column` reads `text`; false, selecting nothing new, when none
// does. Fires nothing.
inline bool selectRowWith(ui::ListView& list, int column, const std::string& text) {
    for (const ui::ListItemRef& item : list.items()) {
        if (item->column(column) != text) continue;
        list.setSelectedItem(item);
        return true;
    }
    return false;
}

}  // namespace jex
