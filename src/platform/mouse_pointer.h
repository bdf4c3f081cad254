#pragma once

namespace jex {

// The control's mouse pointer; long operations show the hourglass.
enum class MousePointer { Default = 0, Hourglass = 11 };

}  // namespace jex
