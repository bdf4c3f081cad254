#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/date_picker.h"
#include "widget_renderer.h"

namespace jex::qt {

// A date picker as a QDateEdit with a calendar popup, in the model's display format with
// English month and day names. A date the user picks or types is the model's userSetDate().
std::unique_ptr<WidgetRenderer> makeDatePickerRenderer(ui::DatePicker& picker, QWidget* parent);

}  // namespace jex::qt
