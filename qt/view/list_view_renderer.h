#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/list_view.h"
#include "widget_renderer.h"

namespace jex::qt {

// Draws a report-view list with a native tree widget (one row per item, the model's columns)
// and forwards presses, moves, releases, keys and header clicks into the list's user-input
// API. While the model has a manual drag in progress from this list, the pointer's moves and
// the release are forwarded as drag-over and drop to the list under the pointer.
std::unique_ptr<WidgetRenderer> makeListViewRenderer(ui::ListView& list, QWidget* parent,
                                                     RenderContext& context);

}  // namespace jex::qt
