#include "platform/widgets/list_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/error.h"
#include "platform/widgets/screen.h"

namespace jex::ui {
namespace {

constexpr int kDragOverState = 2;  // the pointer moves within the target

std::string foldCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The text an item sorts by; a column the list does not have sorts as blank rather than
// failing, as the real list does.
std::string sortText(const ListView& list, const ListItem& item, int column) {
    if (column > 0 && list.columnCount() > 0 && column >= list.columnCount()) return {};
    return foldCase(item.column(column));
}

// Up and Down step one row within the list, Home and End jump to its ends; with nothing
// selected, any of them lands on the first row. 0 for keys that do not move the selection.
int targetRow(int keyCode, int current, int count) {
    const bool moves =
        keyCode == kKeyUp || keyCode == kKeyDown || keyCode == kKeyHome || keyCode == kKeyEnd;
    if (!moves || count == 0) return 0;
    if (current == 0) return 1;
    switch (keyCode) {
        case kKeyUp:
            return std::max(current - 1, 1);
        case kKeyDown:
            return std::min(current + 1, count);
        case kKeyHome:
            return 1;
        default:
            return count;
    }
}

}  // namespace

void ListItem::setText(std::string text) {
    if (m_text == text) return;
    m_text = std::move(text);
    if (m_list != nullptr) m_list->itemChanged();
}

std::string ListItem::subItem(int k) const {
    checkSubItemIndex(k);
    const auto slot = static_cast<size_t>(k - 1);
    return slot < m_subItems.size() ? m_subItems[slot] : std::string();
}

void ListItem::setSubItem(int k, std::string text) {
    checkSubItemIndex(k);
    const auto slot = static_cast<size_t>(k - 1);
    if (slot >= m_subItems.size()) {
        // Rows are filled column by column: make room for all of them at once.
        const int columns = m_list != nullptr ? m_list->columnCount() - 1 : 0;
        m_subItems.reserve(std::max(slot + 1, static_cast<size_t>(std::max(columns, 0))));
        m_subItems.resize(slot + 1);
    }
    if (m_subItems[slot] == text) return;
    m_subItems[slot] = std::move(text);
    if (m_list != nullptr) m_list->itemChanged();
}

int ListItem::index() const { return m_list == nullptr ? 0 : m_position; }

void ListItem::checkSubItemIndex(int k) const {
    if (k < 1) raiseRuntime(err::IndexOutOfBounds);
    if (m_list != nullptr && m_list->columnCount() > 0 && k > m_list->columnCount() - 1) {
        raiseRuntime(err::IndexOutOfBounds);
    }
}

ListView::ListView(Screen& screen, std::string name, Widget* container, double width)
    : Widget(screen, std::move(name), WidgetKind::ListView, container), m_width(width) {}

// The width only records the host's layout; a view has nothing to redraw for it.
void ListView::setWidth(double width) { m_width = width; }

void ListView::addColumn(std::string caption, double width) {
    m_columns.push_back({std::move(caption), width});
    changed(Change::Columns);
}

void ListView::clearColumns() {
    if (m_columns.empty()) return;
    m_columns.clear();
    changed(Change::Columns);
}

const ColumnHeader& ListView::columnHeader(int position) const {
    if (position < 1 || position > columnCount()) raiseRuntime(err::IndexOutOfBounds);
    return m_columns[static_cast<size_t>(position - 1)];
}

ListItemRef ListView::item(int index) const {
    if (index < 1 || index > count()) raiseRuntime(err::IndexOutOfBounds);
    return m_items[static_cast<size_t>(index - 1)];
}

ListItemRef ListView::add(std::string text) {
    ListItemRef item(new ListItem(this));
    item->m_text = std::move(text);
    m_items.push_back(item);
    item->m_position = count();
    changed(Change::Items);
    if (m_items.size() == 1) {
        m_selected = item;
        changed(Change::Selection);
    }
    return item;
}

void ListView::remove(int index) { remove(item(index)); }

void ListView::remove(const ListItemRef& ref) {
    // Held here: `ref` may be the very element of m_items that is erased.
    const ListItemRef item = ref;
    if (!item || item->m_list != this) raiseRuntime(err::IndexOutOfBounds);
    const auto slot = static_cast<size_t>(item->m_position - 1);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(slot));
    renumberFrom(slot);
    item->m_list = nullptr;
    changed(Change::Items);
    if (selectedItem() == item) {
        m_selected.reset();
        changed(Change::Selection);
    }
    if (dropHighlight() == item) {
        m_dropHighlight.reset();
        changed(Change::DropHighlight);
    }
}

void ListView::clear() {
    for (const ListItemRef& item : m_items) item->m_list = nullptr;
    m_items.clear();
    changed(Change::Items);
    setSelectedItem(nullptr);
    setDropHighlight(nullptr);
}

void ListView::setSelectedItem(const ListItemRef& item) {
    if (item && item->m_list != this) raiseRuntime(err::IndexOutOfBounds);
    if (selectedItem() == item) return;
    m_selected = item;
    changed(Change::Selection);
}

void ListView::setSortKey(int column) {
    if (column < 0) raiseRuntime(err::InvalidPropertyValue);
    m_sortKey = column;
    sortItems();
}

void ListView::setSortOrder(int order) {
    if (order != 0 && order != 1) raiseRuntime(err::InvalidPropertyValue);
    m_sortOrder = order;
    sortItems();
}

void ListView::setDropHighlight(const ListItemRef& item) {
    if (item && item->m_list != this) raiseRuntime(err::IndexOutOfBounds);
    if (dropHighlight() == item) return;
    m_dropHighlight = item;
    changed(Change::DropHighlight);
}

ListItemRef ListView::hitTest(double /*x*/, double y) const {
    if (!(y >= kHeaderHeight)) return nullptr;  // NaN included
    const double row = std::floor((y - kHeaderHeight) / kRowHeight) + 1;
    if (row > count()) return nullptr;
    return m_items[static_cast<size_t>(row) - 1];
}

void ListView::createDragImage(const ListItemRef& item) { m_dragImage = item; }

void ListView::startDrag() { screen().beginDrag(*this); }

void ListView::userClickItem(int index, int button, int shift) {
    if (!acceptsInput()) return;
    userFocus();
    const double y = rowCentre(index == 0 ? count() + 1 : index);
    userMouseDown(button, shift, 0, y);
    userMouseUp(button, shift, 0, y);
    if (button == kLeftButton && onClick) onClick();
}

void ListView::userClick() {
    if (!acceptsInput()) return;
    if (onClick) onClick();
}

void ListView::userPressKey(int keyCode, int shift) {
    if (!acceptsInput()) return;
    userFocus();
    if (onKeyDown) onKeyDown(keyCode, shift);
    const ListItemRef selected = selectedItem();
    const int row = targetRow(keyCode, selected ? selected->index() : 0, count());
    if (row != 0) setSelectedItem(item(row));
    if (onKeyUp) onKeyUp(keyCode, shift);
}

void ListView::userDoubleClickItem(int index) {
    if (!acceptsInput()) return;
    userClickItem(index);
    if (onDblClick) onDblClick();
}

void ListView::userClickColumnHeader(int position) {
    if (!acceptsInput() || position < 1 || position > columnCount()) return;
    if (onColumnClick) onColumnClick(position);
}

void ListView::userMouseDown(int button, int shift, double x, double y) {
    if (!acceptsInput()) return;
    userFocus();
    // The real list selects the row under the pointer before it reports the press, so the
    // press handler already reads the new selection.
    if (ListItemRef hit = hitTest(x, y)) setSelectedItem(hit);
    if (onMouseDown) onMouseDown(button, shift, x, y);
}

void ListView::userMouseMove(int button, int shift, double x, double y) {
    if (!acceptsInput()) return;
    if (onMouseMove) onMouseMove(button, shift, x, y);
}

void ListView::userMouseUp(int button, int shift, double x, double y) {
    if (!acceptsInput()) return;
    if (onMouseUp) onMouseUp(button, shift, x, y);
}

void ListView::userDragOver(double x, double y) {
    Widget* source = screen().dragSource();
    if (source == nullptr || !acceptsInput()) return;
    if (onDragOver) onDragOver(*source, x, y, kDragOverState);
}

void ListView::userDrop(double x, double y) {
    Widget* source = screen().dragSource();
    if (source == nullptr) return;
    // The drop ends the drag even when the handler fails or the list cannot take it.
    struct EndDrag {
        Screen& screen;
        ~EndDrag() { screen.endDrag(); }
    } endDrag{screen()};
    if (acceptsInput() && onDragDrop) onDragDrop(*source, x, y);
}

void ListView::sortItems() {
    std::vector<std::pair<std::string, ListItemRef>> keyed;
    keyed.reserve(m_items.size());
    for (const ListItemRef& item : m_items)
        keyed.emplace_back(sortText(*this, *item, m_sortKey), item);
    const bool descending = m_sortOrder == 1;
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (size_t i = 0; i < keyed.size(); ++i) m_items[i] = std::move(keyed[i].second);
    renumberFrom(0);
    changed(Change::Sort);
}

void ListView::renumberFrom(size_t first) {
    for (size_t i = first; i < m_items.size(); ++i)
        m_items[i]->m_position = static_cast<int>(i) + 1;
}

void ListView::itemChanged() { changed(Change::Items); }

ListItem& ListView::requireSelected() const {
    const ListItemRef item = selectedItem();
    if (!item) raiseRuntime(err::ObjectNotSet);
    return *item;
}

}  // namespace jex::ui
