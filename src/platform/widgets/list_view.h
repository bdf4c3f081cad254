#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/widgets/widget.h"

namespace jex::ui {

class ListView;

// One row of a report-view list: its own text (column 1) and sub-items 1..n (columns 2..n+1).
class ListItem {
  public:
    const std::string& text() const { return m_text; }
    void setText(std::string text);
    // Sub-item k (1-based). Reading a sub-item that was never set gives "". Raises Index out of
    // bounds (35600) for k < 1 or k beyond the list's columns (when it has columns).
    std::string subItem(int k) const;
    void setSubItem(int k, std::string text);
    // Column c, 0-based: 0 is the item's text, c >= 1 is sub-item c.
    std::string column(int c) const { return c == 0 ? m_text : subItem(c); }
    void setColumn(int c, std::string text) {
        c == 0 ? setText(std::move(text)) : setSubItem(c, std::move(text));
    }
    // 1-based position in the list's display order; 0 once removed from its list.
    int index() const;
    ListView* list() const { return m_list; }

  private:
    friend class ListView;
    explicit ListItem(ListView* list) : m_list(list) {}
    void checkSubItemIndex(int k) const;

    ListView* m_list;
    // Kept by the list, so that asking for the position costs nothing per row.
    int m_position = 0;
    std::string m_text;
    std::vector<std::string> m_subItems;
};

// A reference to a list item: stays valid (and readable) after the item leaves its list.
using ListItemRef = std::shared_ptr<ListItem>;

struct ColumnHeader {
    std::string caption;
    double width = 0;  // 0 hides the column, which then only carries data
};

// The common-controls list view in report view. Items are 1-based in display order; adding an
// item appends it, and the first item added to an empty list becomes its selected item. The
// list sorts (stable, by the case-insensitive text of the sort column) at the moment its sort
// key or sort order is set, never on add. Selecting an item from code fires no event.
class ListView : public Widget {
  public:
    ListView(Screen& screen, std::string name, Widget* container, double width);

    // The width in units, as the host laid the control out.
    double width() const { return m_width; }
    void setWidth(double width);

    // Columns.
    void addColumn(std::string caption, double width);
    void clearColumns();
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    // 1-based; raises Index out of bounds (35600).
    const ColumnHeader& columnHeader(int position) const;
    const std::vector<ColumnHeader>& columns() const { return m_columns; }

    // Items.
    int count() const { return static_cast<int>(m_items.size()); }
    // 1-based; raises Index out of bounds (35600).
    ListItemRef item(int index) const;
    const std::vector<ListItemRef>& items() const { return m_items; }
    ListItemRef add(std::string text);
    // Raises Index out of bounds (35600).
    void remove(int index);
    void remove(const ListItemRef& item);
    void clear();

    // Selection: nullptr when no item is selected.
    ListItemRef selectedItem() const { return m_selected.lock(); }
    // The selected item, as reading through the selection demands one: raises Object variable
    // not set (91) when no item is selected.
    ListItem& requireSelected() const;
    // Selects `item` (nullptr clears the selection); fires nothing.
    void setSelectedItem(const ListItemRef& item);

    // Sorting. The sort key is a 0-based column; order 0 ascending, 1 descending.
    int sortKey() const { return m_sortKey; }
    void setSortKey(int column);
    int sortOrder() const { return m_sortOrder; }
    void setSortOrder(int order);

    // Drop target highlight: nullptr when none.
    ListItemRef dropHighlight() const { return m_dropHighlight.lock(); }
    void setDropHighlight(const ListItemRef& item);

    // Geometry of rows, so that events can carry positions: row i (1-based) covers
    // y in [kHeaderHeight + (i-1)*kRowHeight, kHeaderHeight + i*kRowHeight).
    static constexpr double kHeaderHeight = 300;
    static constexpr double kRowHeight = 240;
    // The item under the point, or nullptr.
    ListItemRef hitTest(double x, double y) const;
    // The vertical centre of item `index` (1-based), for events a view sends.
    static double rowCentre(int index) { return kHeaderHeight + (index - 0.5) * kRowHeight; }

    // Manual drag: makes a drag image from `item`, and starts a drag with this list as source.
    void createDragImage(const ListItemRef& item);
    ListItemRef dragImage() const { return m_dragImage; }
    void startDrag();

    // Events.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(int keyCode, int shift)> onKeyUp;
    std::function<void(int position)> onColumnClick;  // 1-based header position
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int button, int shift, double x, double y)> onMouseUp;
    std::function<void(Widget& source, double x, double y, int state)> onDragOver;
    std::function<void(Widget& source, double x, double y)> onDragDrop;

    // User input. Each is ignored when the list does not accept input.
    // Press, release and (left button only) Click on item `index` (0: on empty space below
    // the rows). The press selects the item under the pointer before MouseDown fires.
    void userClickItem(int index, int button = kLeftButton, int shift = 0);
    // Press and release a key: arrows, Home and End move the selection (between KeyDown and
    // KeyUp), as the real list does.
    void userPressKey(int keyCode, int shift = 0);
    // Fires Click, as a left press and release on the same spot of the list do; a view sends
    // it after the raw press and release (userMouseDown, userMouseUp) it has forwarded.
    void userClick();
    // Double-click on item `index`: the click road, then DblClick.
    void userDoubleClickItem(int index);
    void userClickColumnHeader(int position);
    // Raw mouse input at a point.
    void userMouseDown(int button, int shift, double x, double y);
    void userMouseMove(int button, int shift, double x, double y);
    void userMouseUp(int button, int shift, double x, double y);
    // Drag in progress (from any source) moving over or dropped on this list: fires DragOver /
    // DragDrop with the screen's drag source. Nothing happens when no drag is in progress.
    // A drop ends the drag.
    void userDragOver(double x, double y);
    void userDrop(double x, double y);

  private:
    friend class ListItem;
    void sortItems();
    void itemChanged();
    // Tells the items from `first` (0-based) on where they now stand.
    void renumberFrom(size_t first);

    double m_width;
    std::vector<ColumnHeader> m_columns;
    std::vector<ListItemRef> m_items;
    std::weak_ptr<ListItem> m_selected;
    std::weak_ptr<ListItem> m_dropHighlight;
    ListItemRef m_dragImage;
    int m_sortKey = 0;
    int m_sortOrder = 0;
};

}  // namespace jex::ui
