#include "control/validation_message.h"

namespace jex {

void refuse(MessageBoxService& box, ui::Widget& field, std::string text, std::string title) {
    box.show({std::move(text), MsgButtons::OK, MsgIcon::Information, std::move(title)});
    field.setFocus();
}

}  // namespace jex
