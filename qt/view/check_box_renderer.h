#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/check_box.h"
#include "widget_renderer.h"

namespace jex::qt {

// A check box as a QCheckBox showing the model's value (greyed as partially checked). A click
// is the model's userClick(); the box then shows what the model made of it.
std::unique_ptr<WidgetRenderer> makeCheckBoxRenderer(ui::CheckBox& box, QWidget* parent);

}  // namespace jex::qt
