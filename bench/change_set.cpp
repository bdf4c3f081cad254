#include "change_set.h"

#include <stdexcept>
#include <string>

#include "data/sequence.h"

namespace jex::bench {

namespace {

constexpr int kSequenceColumn = 10;

constexpr const char* kIssueTexts[] = {
    "Pallet arrived with the stretch wrap torn; two cartons of paper are wet.",
    "Vendor invoiced the freight although the quote said delivered.",
    "Receiving counted 18 chairs, the packing slip says 20 & the invoice says 24.",
};

constexpr const char* kCommentTexts[] = {
    "Called the vendor's dispatcher; a replacement ships on Monday.",
    "A/P is holding the invoice until the corrected one arrives. The buyer agreed.",
    "Photos of the damaged cartons are in the receiving log; the driver signed for \"damaged\".",
    "Checked last month's catalog: the price on the order is the old one, the quote is valid.",
};

template <std::size_t N>
const char* textFor(const char* const (&texts)[N], int i) {
    return texts[static_cast<std::size_t>(i) % N];
}

std::string selectedIssue(const DiscussionScreen& ui) {
    const ui::ListItemRef row = ui.lstDiscussions.selectedItem();
    return row ? row->column(kSequenceColumn) : std::string();
}

// Edit, a new type, Save: what a corporate user does to correct a stored comment.
void changeSelectedComment(DiscussionScreen& ui) {
    ui.cmdCancelComment.userClick();
    const int type = ui.cboCommentType.listIndex();
    ui.cboCommentType.userSelect((type + 1) % ui.cboCommentType.listCount());
    ui.cmdAddComment.userClick();
}

// Goes through the stored issues in list order and changes their comments.
int changeStoredComments(DiscussionScreen& ui, int wanted) {
    int changed = 0;
    for (int issue = 1; issue <= ui.lstDiscussions.count() && changed < wanted; ++issue) {
        ui.lstDiscussions.userClickItem(issue);
        if (isNewSequence(selectedIssue(ui))) continue;
        for (int comment = 1; comment <= ui.lstComments.count() && changed < wanted; ++comment) {
            ui.lstComments.userClickItem(comment);
            changeSelectedComment(ui);
            ++changed;
        }
    }
    return changed;
}

// A new issue in each group in turn, selected once saved, as Add Issue leaves it.
void addIssue(DiscussionScreen& ui, int i) {
    ui.cmdAddDiscussion.userClick();
    ui.cboDiscussionGroup.userSelect(i % ui.cboDiscussionGroup.listCount());
    ui.cboDiscussionType.userSelect(0);
    ui.txtDiscussionDescription.userType(textFor(kIssueTexts, i));
    ui.cmdAddDiscussion.userClick();
}

void addComment(DiscussionScreen& ui, int i) {
    ui.cmdAddComment.userClick();
    ui.cboCommentType.userSelect(i % ui.cboCommentType.listCount());
    ui.txtCommentDescription.userType(textFor(kCommentTexts, i));
    ui.cmdAddComment.userClick();
}

int markedRows(RecordTable& table) {
    int marked = 0;
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) marked += isMarked(table) ? 1 : 0;
    return marked;
}

}  // namespace

SaveMarks makeChanges(HeadlessControl& session, const ChangeShape& shape) {
    DiscussionScreen& ui = session.ui;
    if (changeStoredComments(ui, shape.changedComments) != shape.changedComments) {
        throw std::runtime_error("the order has too few stored comments to change");
    }
    int comment = 0;
    for (int issue = 0; issue < shape.newIssues; ++issue) {
        addIssue(ui, issue);
        const int last = shape.newComments * (issue + 1) / shape.newIssues;
        for (; comment < last; ++comment) addComment(ui, comment);
    }
    session.requireNoMessage("making the changes");

    RecordTable& issues = *session.control.state().DiscussionTable;
    RecordTable& comments = *session.control.state().CommentTable;
    if (markedRows(issues) != shape.newIssues ||
        markedRows(comments) != shape.newComments + shape.changedComments) {
        throw std::runtime_error("the screen marked other rows than the changes made");
    }
    return SaveMarks::ofMarkedRows(issues, comments);
}

}  // namespace jex::bench
