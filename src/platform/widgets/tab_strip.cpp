#include "platform/widgets/tab_strip.h"

#include "platform/error.h"

namespace jex::ui {

TabStrip::TabStrip(Screen& screen, std::string name, Widget* container)
    : Widget(screen, std::move(name), WidgetKind::TabStrip, container) {}

const std::string& TabStrip::caption(int index) const {
    if (index < 1 || index > count()) raiseRuntime(err::IndexOutOfBounds);
    return m_tabs[static_cast<size_t>(index - 1)];
}

void TabStrip::clear() {
    const bool hadSelection = m_selected != 0;
    m_tabs.clear();
    m_selected = 0;
    changed(Change::Items);
    if (hadSelection) changed(Change::Selection);
}

void TabStrip::add(std::string caption) {
    m_tabs.push_back(std::move(caption));
    changed(Change::Items);
    if (m_tabs.size() > 1) return;
    m_selected = 1;
    changed(Change::Selection);
}

void TabStrip::select(int index) {
    if (index < 1 || index > count()) raiseRuntime(err::IndexOutOfBounds);
    if (m_selected != index) {
        m_selected = index;
        changed(Change::Selection);
    }
    if (onClick) onClick();
}

void TabStrip::userSelectTab(int index) {
    if (!acceptsInput() || index < 1 || index > count()) return;
    select(index);
}

}  // namespace jex::ui
