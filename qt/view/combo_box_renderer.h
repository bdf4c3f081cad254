#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/combo_box.h"
#include "widget_renderer.h"

namespace jex::qt {

// A combo box as a non-editable QComboBox with the model's entries. A text that is no entry
// shows as the placeholder with no entry current. Choosing an entry is the model's
// userSelect().
std::unique_ptr<WidgetRenderer> makeComboBoxRenderer(ui::ComboBox& combo, QWidget* parent);

}  // namespace jex::qt
