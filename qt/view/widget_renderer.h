#pragma once

#include <QWidget>
#include <string>

#include "platform/widgets/widget.h"

namespace jex::qt {

// Draws one widget of the control's model with one native Qt widget, and forwards what the
// user does to that native widget into the model's user-input API. The model tells the
// renderer what changed; the renderer never decides anything the model does not say.
class WidgetRenderer {
  public:
    virtual ~WidgetRenderer() = default;

    // The native widget; owned by the Qt parent it was created under.
    virtual QWidget* native() const = 0;
    // Brings the native widget in step with the model after `what` changed.
    virtual void refresh(ui::Change what) = 0;
};

// What renderers may ask of the view that holds them all.
class RenderContext {
  public:
    virtual ~RenderContext() = default;

    // The renderer of the model widget of that name, or nullptr.
    virtual WidgetRenderer* rendererOf(const std::string& modelName) const = 0;
    // The renderer whose native widget contains `widget` (itself or an ancestor), or nullptr;
    // finds the list under the pointer while a comment is dragged.
    virtual WidgetRenderer* rendererContaining(const QWidget* widget) const = 0;
};

}  // namespace jex::qt
