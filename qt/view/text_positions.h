#pragma once

#include <QString>
#include <string_view>

namespace jex::qt {

// A text box's model text counts characters (code points, a line break "\r\n" as the two it
// is stored as); the native edit counts UTF-16 units and shows a multi-line box's line break
// as one "\n". These translate between the two; `multiLine` says which the box is.

// The text as the native edit shows it.
QString toNativeText(std::string_view modelText, bool multiLine);
// The number of characters of the model text.
int characterCount(std::string_view modelText);
// The native position of model position `characters`; the native end past the text's end.
int toNativePosition(std::string_view modelText, int characters, bool multiLine);
// The model position of native position `units`; the model end past the text's end. A native
// position inside a line break or a surrogate pair reads as the character's start.
int toModelPosition(std::string_view modelText, int units, bool multiLine);

}  // namespace jex::qt
