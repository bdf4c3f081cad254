#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/command_button.h"
#include "widget_renderer.h"

namespace jex::qt {

// A command button as a QPushButton; a click is the model's userClick().
std::unique_ptr<WidgetRenderer> makeCommandButtonRenderer(ui::CommandButton& button,
                                                          QWidget* parent);

}  // namespace jex::qt
