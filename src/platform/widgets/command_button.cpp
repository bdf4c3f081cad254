#include "platform/widgets/command_button.h"

namespace jex::ui {

CommandButton::CommandButton(Screen& screen, std::string name, Widget* container,
                             std::string caption)
    : Widget(screen, std::move(name), WidgetKind::CommandButton, container),
      m_caption(std::move(caption)) {}

void CommandButton::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    changed(Change::Caption);
}

void CommandButton::userClick() {
    if (!acceptsInput()) return;
    userFocus();
    if (onClick) onClick();
}

}  // namespace jex::ui
