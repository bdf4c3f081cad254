#pragma once

#include <array>
#include <string>

#include "control/discussion_screen.h"
#include "platform/value.h"

namespace jex {

// The boxes that show one comment: the editable set on the first tab or the read-only twins on
// the second.
struct CommentFields {
    ui::TextBox& type;
    ui::TextBox& description;
    ui::CheckBox& centerFocus;
    ui::CheckBox& purchasingFocus;
    ui::CheckBox& accountingFocus;
    ui::CheckBox& billingFocus;
    ui::CheckBox& jexdFocus;
    ui::TextBox& centerFollowUp;
    ui::TextBox& cscFollowUp;

    // The five focus boxes, in the order of the row's columns.
    std::array<ui::CheckBox*, 5> focusBoxes() const {
        return {&centerFocus, &purchasingFocus, &accountingFocus, &billingFocus, &jexdFocus};
    }
};

// The first tab's set, which the editing commands work on. Never fails.
CommentFields editingFields(DiscussionScreen& screen);
// The second tab's read-only twins. Never fails.
CommentFields viewFields(DiscussionScreen& screen);

// Fills the boxes from a comment row; "<no description>" shows as an empty description.
// Raises Index out of bounds (35600) when the row's list has fewer columns than a comment row.
void showComment(const ui::ListItem& row, const CommentFields& fields);

// Empties the text boxes and unchecks the focus boxes. Never fails.
void clearComment(const CommentFields& fields);

}  // namespace jex
