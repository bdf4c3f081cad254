#include "platform/widgets/combo_box.h"

#include <algorithm>

#include "platform/error.h"

namespace jex::ui {

ComboBox::ComboBox(Screen& screen, std::string name, Widget* container)
    : Widget(screen, std::move(name), WidgetKind::ComboBox, container) {}

const std::string& ComboBox::list(int index) const {
    if (index < 0 || index >= listCount()) raiseRuntime(err::InvalidPropertyValue);
    return m_items[static_cast<size_t>(index)];
}

void ComboBox::addItem(std::string item) {
    m_items.push_back(std::move(item));
    changed(Change::Items);
}

void ComboBox::clear() {
    m_items.clear();
    changed(Change::Items);
    setListIndex(-1);
}

void ComboBox::setListIndex(int index) {
    if (index == -1) {
        const bool hadSelection = m_listIndex != -1;
        const bool hadText = !m_text.empty();
        m_listIndex = -1;
        m_text.clear();
        if (hadSelection) changed(Change::Selection);
        if (hadText) changed(Change::Text);
        return;
    }
    if (index < 0 || index >= listCount()) raiseRuntime(err::InvalidPropertyValue);
    const bool newSelection = m_listIndex != index;
    const bool newText = m_text != m_items[static_cast<size_t>(index)];
    m_listIndex = index;
    m_text = m_items[static_cast<size_t>(index)];
    if (newSelection) changed(Change::Selection);
    if (newText) changed(Change::Text);
    if (onClick) onClick();
}

void ComboBox::setText(std::string text) {
    auto entry = std::find(m_items.begin(), m_items.end(), text);
    if (entry != m_items.end()) {
        setListIndex(static_cast<int>(entry - m_items.begin()));
        return;
    }
    const bool hadSelection = m_listIndex != -1;
    const bool newText = m_text != text;
    m_listIndex = -1;
    m_text = std::move(text);
    if (hadSelection) changed(Change::Selection);
    if (newText) changed(Change::Text);
}

void ComboBox::userSelect(int index) {
    if (!acceptsInput() || index < 0 || index >= listCount()) return;
    userFocus();
    setListIndex(index);
}

}  // namespace jex::ui
