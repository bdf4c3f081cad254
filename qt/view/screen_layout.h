#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <string_view>

#include "control/discussion_screen.h"

namespace jex::qt {

// The native widget drawing the model widget of that name, or nullptr.
using NativeOf = std::function<QWidget*(std::string_view modelName)>;

// Places the native widgets of the control's screen on `root`: the tab strip on top; under it
// the editing page (frameIssue) and its read-only twin (frameComment) in the same place,
// whichever the model shows. On each page the issue list has the fields and commands
// beside it, the comment list has the comment's fields and commands beside it below, the focus
// sets sit in thin group boxes under them, and the message and version line at the foot. A
// picker shares its place with the text box it edits. Every model widget but the popup menu
// is placed; a name without a native widget is left out.
void layOutScreen(QWidget& root, const NativeOf& native);

// The size the screen is laid out for, and the least it stays usable at.
QSize defaultScreenSize();
QSize minimumScreenSize();

// The widths, in twips, the four lists have at the default size; the control computes its
// start-up column widths from them.
ListWidths defaultListWidths();

}  // namespace jex::qt
