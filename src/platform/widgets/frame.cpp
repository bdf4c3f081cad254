#include "platform/widgets/frame.h"

namespace jex::ui {

Frame::Frame(Screen& screen, std::string name, Widget* container, std::string caption)
    : Widget(screen, std::move(name), WidgetKind::Frame, container),
      m_caption(std::move(caption)) {}

void Frame::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    changed(Change::Caption);
}

}  // namespace jex::ui
