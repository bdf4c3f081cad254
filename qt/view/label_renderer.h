#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/label.h"
#include "widget_renderer.h"

namespace jex::qt {

// A label as a plain-text QLabel showing the model's caption.
std::unique_ptr<WidgetRenderer> makeLabelRenderer(ui::Label& label, QWidget* parent);

}  // namespace jex::qt
