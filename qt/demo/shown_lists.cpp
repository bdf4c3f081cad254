#include "shown_lists.h"

#include <vector>

namespace jex::demo {
namespace {

std::vector<int> shownColumns(const ui::ListView& list) {
    std::vector<int> columns;
    for (int c = 0; c < list.columnCount(); ++c) {
        if (list.columnHeader(c + 1).width > 0) columns.push_back(c);
    }
    return columns;
}

template <class TextOf>
std::string joinedLine(const std::vector<int>& columns, TextOf&& textOf) {
    std::string line;
    for (const int c : columns) {
        if (!line.empty()) line += " | ";
        line += textOf(c);
    }
    return line + "\n";
}

}  // namespace

std::string describeShownList(const ui::ListView& list) {
    const std::vector<int> columns = shownColumns(list);
    std::string text = joinedLine(columns, [&](int c) { return list.columnHeader(c + 1).caption; });
    for (const ui::ListItemRef& item : list.items()) {
        text += joinedLine(columns, [&](int c) { return item->column(c); });
    }
    return text;
}

}  // namespace jex::demo
