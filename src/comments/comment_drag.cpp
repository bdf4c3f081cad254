#include "comments/find_comment.h"
#include "control/jex_po_discussions_xml.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"

// Moving a comment to another issue: a corporate user drags its row from the comment list onto
// the issue's row. The move only re-parents the table row and marks it for the next save; the
// comment shows up under its new issue when that issue's comments are drawn next.
namespace jex {
namespace {

// The item a reference stands for, as reading through it demands one: raises Object variable
// not set (91) for none.
const ui::ListItem& require(const ui::ListItemRef& item) {
    if (!item) raiseRuntime(err::ObjectNotSet);
    return *item;
}

// The comment list shows the comments of the issue selected in the issue list. Raises Object
// variable not set (91) when none is selected.
bool ownsShownComments(const ui::ListView& issues, const ui::ListItem& issue) {
    return issue.column(issue_row::Sequence) ==
           issues.requireSelected().column(issue_row::Sequence);
}

// Raises the table's NoCurrentRecord when no row has that sequence.
void moveComment(RecordTable& table, const std::string& sequence, const std::string& issue) {
    findComment(table, sequence);
    table.setField(comment_field::DiscussionSequence, Value(issue));
    table.setField(comment_field::IsUpdated, Value(true));
}

}  // namespace

void JEXPODiscussionsXML::lstComments_MouseDown(int, int, double, double) {
    DraggedComment = lstComments.selectedItem();
}

// Only a corporate user may move comments between issues, and only with the left button.
// With no comment selected there is nothing to carry, and no drag starts.
void JEXPODiscussionsXML::lstComments_MouseMove(int button, int, double, double) {
    trap("lstComments_MouseMove()", [&] {
        if (button != ui::kLeftButton || !CorporateLevel) return;
        const ui::ListItemRef selected = lstComments.selectedItem();
        if (!selected) return;
        DraggingComment = true;
        lstComments.createDragImage(selected);
        lstComments.startDrag();
    });
}

void JEXPODiscussionsXML::lstDiscussions_DragOver(ui::Widget&, double x, double y, int) {
    trap("lstDiscussions_DragOver()", [&] {
        if (!DraggingComment) return;
        lstDiscussions.setDropHighlight(lstDiscussions.hitTest(x, y));
    });
}

// However the drop ends, a failure included, the drag is over and no highlight stays behind.
void JEXPODiscussionsXML::lstDiscussions_DragDrop(ui::Widget&, double, double) {
    const auto endDrag = [&] {
        lstDiscussions.setDropHighlight(nullptr);
        DraggingComment = false;
    };
    trap(
        "lstDiscussions_DragDrop()",
        [&] {
            const ui::ListItemRef target = lstDiscussions.dropHighlight();
            if (target && !ownsShownComments(lstDiscussions, *target)) {
                moveComment(*CommentTable, require(DraggedComment).column(comment_row::Sequence),
                            target->column(issue_row::Sequence));
                lstComments.remove(DraggedComment);
            }
            endDrag();
        },
        endDrag);
}

}  // namespace jex
