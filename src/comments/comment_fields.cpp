#include "comments/comment_fields.h"

#include "data/comment_schema.h"

namespace jex {
namespace {

// Only "True" ticks a box; "False" and the empty cell of an unset flag leave it clear.
int checkValue(const std::string& cell) { return cell == "True" ? 1 : 0; }

}  // namespace

CommentFields editingFields(DiscussionScreen& s) {
    return {s.txtCommentType,    s.txtCommentDescription, s.chkCenterFocus,
            s.chkCorporateFocus, s.chkVendorFocus,        s.chkBillingFocus,
            s.chkJEXDFocus,      s.txtCenterFollowUp,     s.txtCSCFollowUp};
}

CommentFields viewFields(DiscussionScreen& s) {
    return {s.txtCommentTypeView,    s.txtCommentDescriptionView, s.chkCenterFocusView,
            s.chkCorporateFocusView, s.chkVendorFocusView,        s.chkbillingFocusView,
            s.chkJEXDFocusView,      s.txtCenterFollowUpView,     s.txtCSCFollowUpView};
}

void showComment(const ui::ListItem& row, const CommentFields& fields) {
    fields.type.setText(row.column(comment_row::Type));
    const std::string description = row.column(comment_row::Description);
    fields.description.setText(description == comment_row::kNoDescription ? std::string()
                                                                          : description);
    fields.centerFocus.setValue(checkValue(row.column(comment_row::CenterFocus)));
    fields.purchasingFocus.setValue(checkValue(row.column(comment_row::PurchasingFocus)));
    fields.accountingFocus.setValue(checkValue(row.column(comment_row::AccountingFocus)));
    fields.billingFocus.setValue(checkValue(row.column(comment_row::BillingFocus)));
    fields.jexdFocus.setValue(checkValue(row.column(comment_row::JexdFocus)));
    fields.centerFollowUp.setText(row.column(comment_row::CenterFollowUp));
    fields.cscFollowUp.setText(row.column(comment_row::CscFollowUp));
}

void clearComment(const CommentFields& fields) {
    for (ui::TextBox* box :
         {&fields.type, &fields.description, &fields.centerFollowUp, &fields.cscFollowUp}) {
        box->setText("");
    }
    for (ui::CheckBox* box : fields.focusBoxes()) box->setValue(0);
}

}  // namespace jex
