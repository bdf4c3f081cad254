#pragma once

#include <vector>

#include "platform/widgets/widget.h"

namespace jex::ui {

// The common-controls tab strip; tabs are 1-based.
class TabStrip : public Widget {
  public:
    TabStrip(Screen& screen, std::string name, Widget* container);

    int count() const { return static_cast<int>(m_tabs.size()); }
    // 1-based; raises Index out of bounds (35600).
    const std::string& caption(int index) const;
    const std::vector<std::string>& tabs() const { return m_tabs; }
    // Removes every tab; no tab is selected afterwards.
    void clear();
    // Appends a tab; the first tab added to an empty strip becomes the selected tab (no event).
    void add(std::string caption);

    // 0 when no tab is selected.
    int selectedIndex() const { return m_selected; }
    // Selects tab `index` from code and fires Click, as the platform's tab strip does.
    // Raises Index out of bounds (35600).
    void select(int index);

    std::function<void()> onClick;

    // User input: picks tab `index` (fires Click). Ignored when the strip does not accept
    // input or the index is outside the tabs.
    void userSelectTab(int index);

  private:
    std::vector<std::string> m_tabs;
    int m_selected = 0;
};

}  // namespace jex::ui
