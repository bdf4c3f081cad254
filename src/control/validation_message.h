#pragma once

#include <string>

#include "platform/message_box.h"
#include "platform/widgets/widget.h"

namespace jex {

// Titles of the validation messages: a value is missing, or a value is malformed or a
// question is asked.
inline constexpr const char* kInformationRequired = "Information Required";
inline constexpr const char* kInformationValidation = "Information Validation";

// Tells the user why a command stops (information icon, OK button) and gives `field` the focus,
// so the fault is mended where it is. A failing message box raises its Error before the focus
// moves.
void refuse(MessageBoxService& box, ui::Widget& field, std::string text, std::string title);

}  // namespace jex
