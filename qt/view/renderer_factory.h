#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/widget.h"
#include "widget_renderer.h"

namespace jex::qt {

// The renderer for a model widget of any kind, its native widget made under `parent`.
std::unique_ptr<WidgetRenderer> makeRenderer(ui::Widget& widget, QWidget* parent,
                                             RenderContext& context);

}  // namespace jex::qt
