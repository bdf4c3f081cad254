#include "platform/widgets/check_box.h"

#include "platform/error.h"

namespace jex::ui {

CheckBox::CheckBox(Screen& screen, std::string name, Widget* container, std::string caption)
    : Widget(screen, std::move(name), WidgetKind::CheckBox, container),
      m_caption(std::move(caption)) {}

void CheckBox::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    changed(Change::Caption);
}

void CheckBox::setValue(int value) {
    if (value < 0 || value > 2) raiseRuntime(err::InvalidPropertyValue);
    if (m_value == value) return;
    m_value = value;
    changed(Change::Value);
}

void CheckBox::userClick() {
    if (!acceptsInput()) return;
    userFocus();
    // A greyed box clears on a click, as a checked one does.
    m_value = m_value == 0 ? 1 : 0;
    changed(Change::Value);
    if (onClick) onClick();
}

}  // namespace jex::ui
