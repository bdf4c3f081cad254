#pragma once

#include "platform/widgets/text_box.h"

namespace jex {

// A text box is either open for typing (unlocked, window colour) or read-only (locked, button
// face colour); the two properties always change together, so the user can tell at a glance.
void setEditable(ui::TextBox& box, bool editable);
inline void showReadOnly(ui::TextBox& box) { setEditable(box, false); }
inline void openForTyping(ui::TextBox& box) { setEditable(box, true); }

}  // namespace jex
