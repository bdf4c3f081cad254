#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/tab_strip.h"
#include "widget_renderer.h"

namespace jex::qt {

// A tab strip as a QTabBar. A click on a tab, or a keyboard change of the current tab, is the
// model's userSelectTab(); the bar then shows the tab the model selected.
std::unique_ptr<WidgetRenderer> makeTabStripRenderer(ui::TabStrip& strip, QWidget* parent);

}  // namespace jex::qt
