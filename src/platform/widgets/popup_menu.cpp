#include "platform/widgets/popup_menu.h"

#include "platform/error.h"

namespace jex::ui {

PopupMenu::PopupMenu(Screen& screen, std::string name, std::string caption,
                     std::string itemArrayName, int designIndex, std::string designCaption)
    : Widget(screen, std::move(name), WidgetKind::Menu, nullptr),
      m_caption(std::move(caption)),
      m_itemArrayName(std::move(itemArrayName)),
      m_designIndex(designIndex) {
    m_items[designIndex] = MenuItem{.caption = std::move(designCaption)};
}

const MenuItem& PopupMenu::item(int index) const {
    auto it = m_items.find(index);
    if (it == m_items.end()) raiseRuntime(err::ControlArrayElementMissing);
    return it->second;
}

MenuItem& PopupMenu::itemRef(int index) {
    auto it = m_items.find(index);
    if (it == m_items.end()) raiseRuntime(err::ControlArrayElementMissing);
    return it->second;
}

// The design-time item can never be unloaded, so the array is never empty.
int PopupMenu::lowerBound() const { return m_items.begin()->first; }

int PopupMenu::upperBound() const { return m_items.rbegin()->first; }

void PopupMenu::setCaption(int index, std::string caption) {
    MenuItem& item = itemRef(index);
    if (item.caption == caption) return;
    item.caption = std::move(caption);
    changed(Change::Items);
}

void PopupMenu::setChecked(int index, bool checked) {
    MenuItem& item = itemRef(index);
    if (item.checked == checked) return;
    item.checked = checked;
    changed(Change::Items);
}

void PopupMenu::load(int index) {
    if (exists(index)) raiseRuntime(err::ObjectAlreadyLoaded);
    // The design-time item's look is never changed (items have no enabled or visible setter),
    // so a loaded item starts as a fresh one: blank, unchecked, enabled and visible.
    m_items[index] = MenuItem{};
    changed(Change::Items);
}

void PopupMenu::unload(int index) {
    if (!exists(index)) raiseRuntime(err::ControlArrayElementMissing);
    if (index == m_designIndex) raiseRuntime(err::CannotUnloadDesignTime);
    m_items.erase(index);
    changed(Change::Items);
}

void PopupMenu::popup(double x, double y) {
    m_open = true;
    m_x = x;
    m_y = y;
    changed(Change::Popup);
}

void PopupMenu::userPick(int index) {
    if (!m_open) return;
    userDismiss();
    auto it = m_items.find(index);
    if (it == m_items.end() || !it->second.enabled || !it->second.visible) return;
    if (onClick) onClick(index);
}

void PopupMenu::userDismiss() {
    if (!m_open) return;
    m_open = false;
    changed(Change::Popup);
}

}  // namespace jex::ui
