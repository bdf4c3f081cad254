#include "control/header_sort.h"

namespace jex {

void sortByHeader(ui::ListView& list, int position) {
    const int column = position - 1;
    if (list.sortKey() != column) {
        list.setSortKey(column);
        return;
    }
    list.setSortOrder(list.sortOrder() == 0 ? 1 : 0);
}

}  // namespace jex
