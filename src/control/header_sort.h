#pragma once

#include "platform/widgets/list_view.h"

namespace jex {

// A click on the header at 1-based `position`: a new column becomes the sort key in the order
// already in force; the same column again flips the order (ascending 0, anything else to 0).
void sortByHeader(ui::ListView& list, int position);

}  // namespace jex
