#pragma once

#include <string>
#include <vector>

#include "platform/widgets/list_view.h"

namespace jex::test {

// The first `columns` column texts of a list row.
inline std::vector<std::string> rowTexts(const ui::ListItemRef& item, int columns) {
    std::vector<std::string> texts;
    for (int c = 0; c < columns; ++c) texts.push_back(item->column(c));
    return texts;
}

// One column's text of every row, in display order.
inline std::vector<std::string> columnOf(const ui::ListView& list, int column) {
    std::vector<std::string> texts;
    for (const ui::ListItemRef& item : list.items()) texts.push_back(item->column(column));
    return texts;
}

// The 1-based position of the first row whose column reads `text`; 0 when none does.
inline int indexOf(const ui::ListView& list, int column, const std::string& text) {
    for (const ui::ListItemRef& item : list.items()) {
        if (item->column(column) == text) return item->index();
    }
    return 0;
}

// Clicks the first row whose column reads `text`, or empty space when none does.
inline void clickRow(ui::ListView& list, int column, const std::string& text) {
    list.userClickItem(indexOf(list, column, text));
}

// A column of the selected row, or "<none>".
inline std::string selectedColumn(const ui::ListView& list, int column) {
    return list.selectedItem() ? list.selectedItem()->column(column) : "<none>";
}

// Clicks the first row of each list, presses Down, and clicks the last row; true when neither
// selection moved, as while an Add, Edit or Resolve holds the lists.
inline bool selectionsHold(ui::ListView& issues, ui::ListView& comments) {
    const ui::ListItemRef issue = issues.selectedItem(), comment = comments.selectedItem();
    for (ui::ListView* list : {&issues, &comments}) {
        list->userClickItem(1);
        list->userPressKey(ui::kKeyDown);
        list->userClickItem(list->count());
    }
    return issues.selectedItem() == issue && comments.selectedItem() == comment;
}

}  // namespace jex::test
