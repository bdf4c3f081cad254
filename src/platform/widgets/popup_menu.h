#pragma once

#include <map>
#include <string>

#include "platform/widgets/widget.h"

namespace jex::ui {

struct MenuItem {
    std::string caption;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

// A popup menu (`mnuPriority`) holding an indexed item array (`mnuPriorityMenu(k)`). The item
// of the lowest index exists from design time; the others are loaded and unloaded at run time.
class PopupMenu : public Widget {
  public:
    PopupMenu(Screen& screen, std::string name, std::string caption, std::string itemArrayName,
              int designIndex, std::string designCaption);

    const std::string& caption() const { return m_caption; }
    const std::string& itemArrayName() const { return m_itemArrayName; }

    // The item array, by index. Raises Control array element does not exist (340).
    const MenuItem& item(int index) const;
    bool exists(int index) const { return m_items.count(index) != 0; }
    int lowerBound() const;
    int upperBound() const;
    int count() const { return static_cast<int>(m_items.size()); }
    const std::map<int, MenuItem>& items() const { return m_items; }

    // Raise 340 when the item does not exist.
    void setCaption(int index, std::string caption);
    void setChecked(int index, bool checked);
    // Creates item `index` as a copy of the design-time item's look with an empty caption.
    // Raises Object already loaded (360) when it exists.
    void load(int index);
    // Raises 340 when it does not exist, 362 for the design-time item.
    void unload(int index);

    // Shows the popup at a point (the view opens it); the control's procedure goes on.
    void popup(double x, double y);
    bool isOpen() const { return m_open; }
    double popupX() const { return m_x; }
    double popupY() const { return m_y; }

    std::function<void(int index)> onClick;

    // User input while the popup is open: picks item `index` (closes the popup, then fires
    // Click when the item exists and is enabled and visible) or dismisses it.
    void userPick(int index);
    void userDismiss();

  private:
    MenuItem& itemRef(int index);

    std::string m_caption;
    std::string m_itemArrayName;
    int m_designIndex;
    std::map<int, MenuItem> m_items;
    bool m_open = false;
    double m_x = 0;
    double m_y = 0;
};

}  // namespace jex::ui
