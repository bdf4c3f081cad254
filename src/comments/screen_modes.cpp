#include "control/captions.h"
#include "control/field_appearance.h"
#include "control/jex_po_discussions_xml.h"
#include "control/work_under_way.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"

namespace jex {
namespace {

constexpr int kIssuesTab = 1;
constexpr int kCommentsTab = 2;

// What happens to the target's selection when no row carries the sequence looked for.
enum class OnNoMatch { KeepSelection, ClearSelection };

// Selects in `target` the first row whose `column` reads as that of the row selected in
// `source`, so that both tabs show the same issue or comment. Nothing happens when `source` is
// empty; raises Object variable not set (91) when it has rows but none selected.
void followSelection(ui::ListView& target, const ui::ListView& source, int column,
                     OnNoMatch onNoMatch) {
    if (source.count() < 1) return;
    const std::string sequence = source.requireSelected().column(column);
    for (const ui::ListItemRef& item : target.items()) {
        if (item->column(column) != sequence) continue;
        target.setSelectedItem(item);
        return;
    }
    if (onNoMatch == OnNoMatch::ClearSelection) target.setSelectedItem(nullptr);
}

void showOnly(ui::Frame& shown, ui::Frame& hidden) {
    shown.setVisible(true);
    hidden.setVisible(false);
}

}  // namespace

void JEXPODiscussionsXML::SetTabIndex(bool secondTabWanted) {
    trap("SetTabIndex", [&] {
        tabPODiscussion.clear();
        tabPODiscussion.add("Discussion Issues");
        if (secondTabWanted) tabPODiscussion.add("Discussion Comments");
    });
}

void JEXPODiscussionsXML::ReinititateControls() {
    trap("ReinititateControls", [&] {
        showOnly(frameIssue, frameComment);
        tabPODiscussion.select(kIssuesTab);

        cmdAddComment.setCaption(comment_caption::AddComment);
        cmdAddDiscussion.setCaption(issue_caption::AddIssue);
        cmdCloseDiscussion.setCaption(issue_caption::ResolveIssue);
        cmdEditDiscussion.setCaption(issue_caption::Edit);
        cmdCancelComment.setCaption(comment_caption::Edit);

        for (ui::CommandButton* button :
             {&cmdEditDiscussion, &cmdCancelResolution, &cmdCloseDiscussion, &cmdDeleteDiscussion,
              &cmdCancelComment}) {
            button->setEnabled(false);
        }

        for (ui::ListView* list : {&lstDiscussions, &lstComments}) list->setEnabled(true);
        lstDiscussions.clear();
        lstComments.clear();

        for (ui::TextBox* box :
             {&txtDiscussionDescription, &txtDiscussionResolution, &txtCommentDescription}) {
            showReadOnly(*box);
            box->setText("");
        }

        for (ui::CheckBox* box : {&chkCenterFocus, &chkCorporateFocus, &chkVendorFocus,
                                  &chkBillingFocus, &chkJEXDFocus}) {
            box->setValue(0);
            box->setEnabled(false);
        }

        for (ui::TextBox* box : {&txtCenterFollowUp, &txtCSCFollowUp}) {
            box->setText("");
            showReadOnly(*box);
        }

        for (ui::ComboBox* picker : {&cboCommentType, &cboDiscussionType, &cboDiscussionGroup}) {
            picker->setVisible(false);
        }

        for (ui::TextBox* box : {&txtCommentType, &txtDiscussion, &txtDiscussionGroup}) {
            box->setText("");
        }
    });
}

void JEXPODiscussionsXML::tabPODiscussion_Click() {
    trap("tabPODiscussion_Click()", [&] {
        switch (tabPODiscussion.selectedIndex()) {
            case kIssuesTab:
                showOnly(frameIssue, frameComment);
                // Work left open on the first tab is found as it was left: following the
                // second tab's selection would move the edit onto another row.
                if (workUnderWay(screen())) return;
                followSelection(lstDiscussions, lstDiscussionsView, issue_row::Sequence,
                                OnNoMatch::KeepSelection);
                lstDiscussions_Click();
                followSelection(lstComments, lstCommentsView, comment_row::Sequence,
                                OnNoMatch::ClearSelection);
                lstComments_Click();
                return;
            case kCommentsTab:
                showOnly(frameComment, frameIssue);
                DisplayCommentsViews(
                    lstComments.count() >= 1
                        ? lstComments.requireSelected().column(comment_row::Sequence)
                        : std::string("1"));
                return;
            default:
                return;
        }
    });
}

}  // namespace jex
