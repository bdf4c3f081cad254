#pragma once

#include <QObject>
#include <QWidget>
#include <memory>
#include <utility>

#include "platform/widgets/widget.h"
#include "widget_renderer.h"

namespace jex::qt {

// What the renderers of the simple widgets share: the model widget and its native widget,
// enabled and visible taken from the model, and refreshes under a signal blocker so that
// bringing the native widget in step never echoes back as user input. Being a QObject, it is
// the context of its connections and event filters, which end with it.
class BasicRenderer : public QObject, public WidgetRenderer {
  public:
    BasicRenderer(ui::Widget& model, QWidget* native);

    QWidget* native() const override { return m_native; }
    void refresh(ui::Change what) final;
    // Brings every aspect in step, as after the renderer is made.
    void refreshAll();

  protected:
    // Brings the aspects of the widget's own kind in step; called with signals blocked.
    virtual void show(ui::Change what) = 0;

  private:
    ui::Widget& m_model;
    QWidget* m_native;
};

// A renderer of kind R, already in step with its model.
template <class R, class... Args>
std::unique_ptr<WidgetRenderer> makeRenderedAsModel(Args&&... args) {
    auto renderer = std::make_unique<R>(std::forward<Args>(args)...);
    renderer->refreshAll();
    return renderer;
}

}  // namespace jex::qt
