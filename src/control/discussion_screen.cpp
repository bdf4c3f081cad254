#include "control/discussion_screen.h"

#include "control/field_appearance.h"
#include "data/comment_schema.h"
#include "data/issue_schema.h"

namespace jex {
namespace {

double widthOf(const ListWidths& widths, const std::string& name) {
    auto it = widths.find(name);
    return it == widths.end() ? kDefaultListWidth : it->second;
}

// The boxes take no more than their table fields hold, so that a save never fails half-way on
// a text that is too long.
constexpr int kDescriptionSize = fieldSize(kIssueFields, issue_field::IssueDescription);
constexpr int kResolutionSize = fieldSize(kIssueFields, issue_field::Resolution);
constexpr int kCommentDescriptionSize =
    fieldSize(kCommentFields, comment_field::CommentDescription);
constexpr int kCenterFollowUpSize = fieldSize(kCommentFields, comment_field::FollowupCenter);
constexpr int kCscFollowUpSize = fieldSize(kCommentFields, comment_field::FollowupCSC);

ui::TextBox::Options multiLine(int maxLength) {
    return {.multiLine = true, .verticalScrollBar = true, .maxLength = maxLength};
}

}  // namespace

DiscussionScreen::DiscussionScreen(const ListWidths& widths)
    : frameIssue(*this, "frameIssue"),
      frameComment(*this, "frameComment"),
      tabPODiscussion(*this, "tabPODiscussion", nullptr),
      mnuPriority(*this, "mnuPriority", "Priority", "mnuPriorityMenu", 1, "Priority"),
      chkJEXDFocus(*this, "chkJEXDFocus", &frameIssue),
      chkBillingFocus(*this, "chkBillingFocus", &frameIssue),
      chkCenterFocus(*this, "chkCenterFocus", &frameIssue),
      chkCorporateFocus(*this, "chkCorporateFocus", &frameIssue),
      chkVendorFocus(*this, "chkVendorFocus", &frameIssue),
      cboDiscussionType(*this, "cboDiscussionType", &frameIssue),
      cboDiscussionGroup(*this, "cboDiscussionGroup", &frameIssue),
      cboCommentType(*this, "cboCommentType", &frameIssue),
      txtCommentDescription(*this, "txtCommentDescription", &frameIssue,
                            multiLine(kCommentDescriptionSize)),
      txtDiscussion(*this, "txtDiscussion", &frameIssue),
      txtDiscussionGroup(*this, "txtDiscussionGroup", &frameIssue),
      txtDiscussionResolution(*this, "txtDiscussionResolution", &frameIssue,
                              multiLine(kResolutionSize)),
      txtDiscussionDescription(*this, "txtDiscussionDescription", &frameIssue,
                               multiLine(kDescriptionSize)),
      txtCommentType(*this, "txtCommentType", &frameIssue),
      cmdCancelResolution(*this, "cmdCancelResolution", &frameIssue, "Cancel"),
      cmdCloseDiscussion(*this, "cmdCloseDiscussion", &frameIssue, "Resolve Issue"),
      cmdAddDiscussion(*this, "cmdAddDiscussion", &frameIssue, "Add Issue"),
      cmdAddComment(*this, "cmdAddComment", &frameIssue, "Add Comment"),
      cmdEditDiscussion(*this, "cmdEditDiscussion", &frameIssue, "Edit"),
      cmdDeleteComment(*this, "cmdDeleteComment", &frameIssue, "Delete"),
      cmdDeleteDiscussion(*this, "cmdDeleteDiscussion", &frameIssue, "Delete"),
      cmdCancelComment(*this, "cmdCancelComment", &frameIssue, "Edit"),
      Frame4_0(*this, "Frame4(0)", &frameIssue),
      Frame4_1(*this, "Frame4(1)", &frameIssue),
      Frame4_2(*this, "Frame4(2)", &frameIssue),
      Frame4_3(*this, "Frame4(3)", &frameIssue),
      txtCenterFollowUp(*this, "txtCenterFollowUp", &frameIssue,
                        {.maxLength = kCenterFollowUpSize}),
      txtCSCFollowUp(*this, "txtCSCFollowUp", &frameIssue, {.maxLength = kCscFollowUpSize}),
      lstComments(*this, "lstComments", &frameIssue, widthOf(widths, "lstComments")),
      lstDiscussions(*this, "lstDiscussions", &frameIssue, widthOf(widths, "lstDiscussions")),
      DTPckrFollowUpDate(*this, "DTPckrFollowUpDate", &frameIssue, "MM/dd/yyyy"),
      txtFollowUp(*this, "txtFollowUp", &frameIssue),
      lblJEXDFocus(*this, "lblJEXDFocus", &frameIssue, "JEXD Focus"),
      lblFocusBilling(*this, "lblFocusBilling", &frameIssue, "Billing Focus"),
      lblVersionNumber(*this, "lblVersionNumber", &frameIssue, "version number"),
      lblfollowUp_0(*this, "lblfollowUp(0)", &frameIssue, "Follow Up"),
      lblVendorFocus_1(*this, "lblVendorFocus(1)", &frameIssue, "A/P Focus"),
      lblCorporateFocus_1(*this, "lblCorporateFocus(1)", &frameIssue, "Purchasing Focus "),
      lblCenterFocus_1(*this, "lblCenterFocus(1)", &frameIssue, "Center Focus"),
      Label3_2(*this, "Label3(2)", &frameIssue, "Order Discussion"),
      lblMessage(*this, "lblMessage", &frameIssue, ""),
      Label1(*this, "Label1", &frameIssue, "Description:"),
      Label2(*this, "Label2", &frameIssue, "Resolution:"),
      Label4_0(*this, "Label4(0)", &frameIssue, "Type:"),
      Label3_0(*this, "Label3(0)", &frameIssue, "Order Comments"),
      lblCenterFollowUp_0(*this, "lblCenterFollowUp(0)", &frameIssue, "Center Follow Up"),
      lblCSCfollowUp_0(*this, "lblCSCfollowUp(0)", &frameIssue, "CSC Follow Up"),
      chkJEXDFocusView(*this, "chkJEXDFocusView", &frameComment),
      txtFollowUpView(*this, "txtFollowUpView", &frameComment),
      Frame4_4(*this, "Frame4(4)", &frameComment),
      Frame4_5(*this, "Frame4(5)", &frameComment),
      Frame4_6(*this, "Frame4(6)", &frameComment),
      Frame4_7(*this, "Frame4(7)", &frameComment),
      chkVendorFocusView(*this, "chkVendorFocusView", &frameComment),
      txtCommentTypeView(*this, "txtCommentTypeView", &frameComment),
      txtDiscussionDescriptionView(*this, "txtDiscussionDescriptionView", &frameComment,
                                   multiLine(kDescriptionSize)),
      txtDiscussionResolutionView(*this, "txtDiscussionResolutionView", &frameComment,
                                  multiLine(kResolutionSize)),
      chkCorporateFocusView(*this, "chkCorporateFocusView", &frameComment),
      chkCenterFocusView(*this, "chkCenterFocusView", &frameComment),
      txtDiscussionGroupView(*this, "txtDiscussionGroupView", &frameComment),
      txtDiscussionView(*this, "txtDiscussionView", &frameComment),
      lstDiscussionsView(*this, "lstDiscussionsView", &frameComment,
                         widthOf(widths, "lstDiscussionsView")),
      lstCommentsView(*this, "lstCommentsView", &frameComment, widthOf(widths, "lstCommentsView")),
      txtCommentDescriptionView(*this, "txtCommentDescriptionView", &frameComment, multiLine(0)),
      txtCenterFollowUpView(*this, "txtCenterFollowUpView", &frameComment),
      txtCSCFollowUpView(*this, "txtCSCFollowUpView", &frameComment),
      chkbillingFocusView(*this, "chkbillingFocusView", &frameComment),
      lblJEXDFocusView(*this, "lblJEXDFocusView", &frameComment, "JEXD Focus"),
      lblBillingFocusView(*this, "lblBillingFocusView", &frameComment, "Billing Focus"),
      lblfollowUp_1(*this, "lblfollowUp(1)", &frameComment, "Follow Up"),
      lblVendorFocus_0(*this, "lblVendorFocus(0)", &frameComment, "A/P Focus"),
      lblCorporateFocus_0(*this, "lblCorporateFocus(0)", &frameComment, "Purchasing Focus"),
      lblCenterFocus_0(*this, "lblCenterFocus(0)", &frameComment, "Center Focus"),
      lblCSCfollowUp_1(*this, "lblCSCfollowUp(1)", &frameComment, "CSC Follow Up"),
      lblCenterFollowUp_1(*this, "lblCenterFollowUp(1)", &frameComment, "Center Follow Up"),
      Label3_3(*this, "Label3(3)", &frameComment, "Order Discussion"),
      Label3_1(*this, "Label3(1)", &frameComment, "Order Comments"),
      Label4_1(*this, "Label4(1)", &frameComment, "Type:"),
      Label6(*this, "Label6", &frameComment, "Resolution:"),
      Label5(*this, "Label5", &frameComment, "Description:") {
    tabPODiscussion.add("Discussion Issues");
    setDesignTimeState();
}

// The design-time state is the screen's start state: nothing selected, so nothing to edit,
// delete or cancel, and every field read-only until a command opens it. The first load then
// shows the same screen as every later one.
void DiscussionScreen::setDesignTimeState() {
    for (ui::CommandButton* button : {&cmdEditDiscussion, &cmdCancelResolution,
                                      &cmdDeleteDiscussion, &cmdDeleteComment, &cmdCancelComment}) {
        button->setEnabled(false);
    }
    for (ui::ComboBox* picker : {&cboCommentType, &cboDiscussionType, &cboDiscussionGroup}) {
        picker->setVisible(false);
    }
    for (ui::CheckBox* box :
         {&chkCenterFocus, &chkCorporateFocus, &chkVendorFocus, &chkBillingFocus, &chkJEXDFocus,
          &chkCenterFocusView, &chkCorporateFocusView, &chkVendorFocusView, &chkbillingFocusView,
          &chkJEXDFocusView}) {
        box->setEnabled(false);
    }
    for (ui::TextBox* box :
         {&txtCommentDescription, &txtDiscussion, &txtDiscussionGroup, &txtDiscussionResolution,
          &txtDiscussionDescription, &txtCommentType, &txtCenterFollowUp, &txtCSCFollowUp,
          &txtFollowUp, &txtFollowUpView, &txtCommentTypeView, &txtDiscussionDescriptionView,
          &txtDiscussionResolutionView, &txtDiscussionGroupView, &txtDiscussionView,
          &txtCommentDescriptionView, &txtCenterFollowUpView, &txtCSCFollowUpView}) {
        showReadOnly(*box);
    }
}

}  // namespace jex
