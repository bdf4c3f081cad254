#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/frame.h"
#include "widget_renderer.h"

namespace jex::qt {

// A frame directly on the screen is a page (a plain container); a frame inside another is a
// group box with the frame's caption.
std::unique_ptr<WidgetRenderer> makeFrameRenderer(ui::Frame& frame, QWidget* parent);

}  // namespace jex::qt
