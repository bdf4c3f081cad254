#include "basic_renderer.h"

#include <QSignalBlocker>

namespace jex::qt {

BasicRenderer::BasicRenderer(ui::Widget& model, QWidget* native)
    : m_model(model), m_native(native) {
    m_native->setObjectName(QString::fromStdString(model.name()));
}

void BasicRenderer::refresh(ui::Change what) {
    const QSignalBlocker blocker(m_native);
    if (what == ui::Change::Enabled) return m_native->setEnabled(m_model.enabled());
    // Only the widget's own flag: Qt hides what a hidden container holds, as the model does.
    if (what == ui::Change::Visible) return m_native->setVisible(m_model.visible());
    show(what);
}

void BasicRenderer::refreshAll() {
    using ui::Change;
    for (Change what :
         {Change::Enabled, Change::Visible, Change::Caption, Change::Items, Change::Text,
          Change::Selection, Change::Value, Change::Locked, Change::BackColour, Change::Format}) {
        refresh(what);
    }
}

}  // namespace jex::qt
