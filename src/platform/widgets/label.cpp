#include "platform/widgets/label.h"

namespace jex::ui {

Label::Label(Screen& screen, std::string name, Widget* container, std::string caption)
    : Widget(screen, std::move(name), WidgetKind::Label, container),
      m_caption(std::move(caption)) {}

void Label::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    changed(Change::Caption);
}

}  // namespace jex::ui
