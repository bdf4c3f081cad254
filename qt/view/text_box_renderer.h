#pragma once

#include <QWidget>
#include <memory>

#include "platform/widgets/text_box.h"
#include "widget_renderer.h"

namespace jex::qt {

// A text box as a QLineEdit, or a QPlainTextEdit for a multi-line box, with the model's back
// colour, read-only while locked. Typing never edits the native text directly: typed text,
// Enter, Backspace, Delete, paste and cut become the model's userEdit() at the caret or over
// the selection, and the box then shows the model's text with the caret after what was typed.
// Any other change of the native text (its context menu, an input method, a drop) is taken
// back into the model the same way, so the two never differ.
std::unique_ptr<WidgetRenderer> makeTextBoxRenderer(ui::TextBox& box, QWidget* parent);

}  // namespace jex::qt
