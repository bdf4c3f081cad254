#include <cmath>

#include "control/jex_po_discussions_xml.h"

namespace jex {
namespace {

// A column's width as a share of the list's width W.
struct ColumnSpec {
    const char* caption;
    double numerator;
    double denominator;  // 0 for a hidden column
};

constexpr ColumnSpec kIssueColumns[] = {
    {"Group", 1, 7},       {"Type", 3, 8},          {"Status", 1, 8},
    {"Priority", 1, 8},    {"Entered By", 1, 4},    {"Entered Date", 1, 4},
    {"Resolved By", 1, 4}, {"Resolved Date", 1, 4}, {"Description", 0, 0},
    {"Resolution", 0, 0},  {"DiscussionID", 0, 0},  {"RecordLastUpdated", 0, 0},
    {"FollowUp", 0, 0},
};

constexpr ColumnSpec kCommentColumns[] = {
    {"Description", 3, 8},         {"Entered By", 1, 4},
    {"Entered Date", 1, 4},        {"Type", 1, 4},
    {"DiscussionCommentID", 0, 0}, {"DiscussionID", 0, 0},
    {"RecordLastUpdated", 0, 0},   {"FocusCenter", 1, 6},
    {"CenterFollowUp", 1, 6},      {"FocusPurchasing", 1, 8},
    {"CSCFollowUp", 0, 0},         {"FocusAccounting", 0, 0},
    {"FocusBillinging", 0, 0},     {"FocusJEXD", 0, 0},
};

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
