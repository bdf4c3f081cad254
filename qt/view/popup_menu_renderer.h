#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/popup_menu.h"
#include "widget_renderer.h"

namespace jex::qt {

// Shows a popup menu as a native menu while the model says it is open, and reports the
// user's pick or dismissal back to the model. Has no native widget while closed.
std::unique_ptr<WidgetRenderer> makePopupMenuRenderer(ui::PopupMenu& menu, QWidget* parent,
                                                      RenderContext& context);

}  // namespace jex::qt
