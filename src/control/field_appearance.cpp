#include "control/field_appearance.h"

namespace jex {

void setEditable(ui::TextBox& box, bool editable) {
    box.setLocked(!editable);
    box.setBackColour(editable ? ui::kWindowBackground : ui::kButtonFace);
}

}  // namespace jex
