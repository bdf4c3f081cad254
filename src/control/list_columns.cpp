#include <cmath>

#include "control/jex_po_discussions_xml.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"

namespace jex {
namespace {

// W is the list's width rounded to a whole number, a half to the even neighbour. The widths
// are computed in double precision so that a wide list cannot overflow a 16-bit product.
template <std::size_t N>
void addColumns(ui::ListView& list, const ColumnSpec (&columns)[N]) {
    const double w = std::nearbyint(list.width());
    for (const ColumnSpec& column : columns) {
        const double width =
            column.denominator == 0 ? 0 : w * column.numerator / column.denominator;
        list.addColumn(column.caption, width);
    }
}

}  // namespace

void JEXPODiscussionsXML::addListColumns() {
    addColumns(lstDiscussions, kIssueColumns);
    addColumns(lstComments, kCommentColumns);
    addColumns(lstDiscussionsView, kIssueColumns);
    addColumns(lstCommentsView, kCommentColumns);
}

}  // namespace jex
