#pragma once

#include <map>
#include <string>

#include "platform/widgets/check_box.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/date_picker.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/label.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/popup_menu.h"
#include "platform/widgets/screen.h"
#include "platform/widgets/tab_strip.h"
#include "platform/widgets/text_box.h"

namespace jex {

// Widths of the four list views in units, as the host lays the control out; the column widths
// of start-up are computed from them. Names missing from the map take the default width.
using ListWidths = std::map<std::string, double>;
inline constexpr double kDefaultListWidth = 9000;

// Every widget of the control's surface, by the names the control's procedures use, with the
// design-time captions. Widget arrays ("Frame4(2)") are members with the index after an
// underscore (Frame4_2), registered under their array names.
struct DiscussionScreen : ui::Screen {
    explicit DiscussionScreen(const ListWidths& widths = {});

    ui::Frame frameIssue;
    ui::Frame frameComment;
    ui::TabStrip tabPODiscussion;
    ui::PopupMenu mnuPriority;

    // Editing set, in frameIssue.
    ui::CheckBox chkJEXDFocus;
    ui::CheckBox chkBillingFocus;
    ui::CheckBox chkCenterFocus;
    ui::CheckBox chkCorporateFocus;
    ui::CheckBox chkVendorFocus;
    ui::ComboBox cboDiscussionType;
    ui::ComboBox cboDiscussionGroup;
    ui::ComboBox cboCommentType;
    ui::TextBox txtCommentDescription;
    ui::TextBox txtDiscussion;
    ui::TextBox txtDiscussionGroup;
    ui::TextBox txtDiscussionResolution;
    ui::TextBox txtDiscussionDescription;
    ui::TextBox txtCommentType;
    ui::CommandButton cmdCancelResolution;
    ui::CommandButton cmdCloseDiscussion;
    ui::CommandButton cmdAddDiscussion;
    ui::CommandButton cmdAddComment;
    ui::CommandButton cmdEditDiscussion;
    ui::CommandButton cmdDeleteComment;
    ui::CommandButton cmdDeleteDiscussion;
    ui::CommandButton cmdCancelComment;
    ui::Frame Frame4_0;
    ui::Frame Frame4_1;
    ui::Frame Frame4_2;
    ui::Frame Frame4_3;
    ui::TextBox txtCenterFollowUp;
    ui::TextBox txtCSCFollowUp;
    ui::ListView lstComments;
    ui::ListView lstDiscussions;
    ui::DatePicker DTPckrFollowUpDate;
    ui::TextBox txtFollowUp;
    ui::Label lblJEXDFocus;
    ui::Label lblFocusBilling;
    ui::Label lblVersionNumber;
    ui::Label lblfollowUp_0;
    ui::Label lblVendorFocus_1;
    ui::Label lblCorporateFocus_1;
    ui::Label lblCenterFocus_1;
    ui::Label Label3_2;
    ui::Label lblMessage;
    ui::Label Label1;
    ui::Label Label2;
    ui::Label Label4_0;
    ui::Label Label3_0;
    ui::Label lblCenterFollowUp_0;
    ui::Label lblCSCfollowUp_0;

    // View set, in frameComment.
    ui::CheckBox chkJEXDFocusView;
    ui::TextBox txtFollowUpView;
    ui::Frame Frame4_4;
    ui::Frame Frame4_5;
    ui::Frame Frame4_6;
    ui::Frame Frame4_7;
    ui::CheckBox chkVendorFocusView;
    ui::TextBox txtCommentTypeView;
    ui::TextBox txtDiscussionDescriptionView;
    ui::TextBox txtDiscussionResolutionView;
    ui::CheckBox chkCorporateFocusView;
    ui::CheckBox chkCenterFocusView;
    ui::TextBox txtDiscussionGroupView;
    ui::TextBox txtDiscussionView;
    ui::ListView lstDiscussionsView;
    ui::ListView lstCommentsView;
    ui::TextBox txtCommentDescriptionView;
    ui::TextBox txtCenterFollowUpView;
    ui::TextBox txtCSCFollowUpView;
    ui::CheckBox chkbillingFocusView;
    ui::Label lblJEXDFocusView;
    ui::Label lblBillingFocusView;
    ui::Label lblfollowUp_1;
    ui::Label lblVendorFocus_0;
    ui::Label lblCorporateFocus_0;
    ui::Label lblCenterFocus_0;
    ui::Label lblCSCfollowUp_1;
    ui::Label lblCenterFollowUp_1;
    ui::Label Label3_3;
    ui::Label Label3_1;
    ui::Label Label4_1;
    ui::Label Label6;
    ui::Label Label5;

  private:
    void setDesignTimeState();
};

}  // namespace jex
