#pragma once

#include <string>

#include "platform/widgets/list_view.h"

namespace jex::demo {

// The list as the user sees it, as text: a heading line of the shown columns' captions, then
// one line per row with the shown columns' texts, " | " between columns. Hidden columns (width
// 0) carry data only and are left out.
std::string describeShownList(const ui::ListView& list);

}  // namespace jex::demo
