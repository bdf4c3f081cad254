#pragma once

#include <string>
#include <string_view>

#include "control/jex_po_discussions_xml.h"

// The follow-up date of the issue being added or edited: the date proposed from the issue's
// group, and whether the user may choose another one with the date picker.
namespace jex {

// The group whose follow-up dates its own users may choose.
inline constexpr std::string_view kCenterGroup = "Center";

// True when the follow-up date may be chosen: the group is "Center" or the user works at the
// corporate level. Never fails.
inline bool mayChooseFollowUp(std::string_view group, bool corporate) {
    return group == kCenterGroup || corporate;
}

// Today plus the follow-up delay of the group with that description (0 days when no group has
// it). Raises Type mismatch (13) or Overflow (6) for a delay that is not a 16-bit number.
DateTime proposedFollowUp(const LookupList& groups, const std::string& group, DateTime now);

// Sets the picker to the date `text` stands for; a text that is empty or no date starts it at
// today, so that an issue without a follow-up date can still be given one. Never fails.
void setPickerFromText(ui::DatePicker& picker, std::string_view text, DateTime now);

// The follow-up box shows `date` as "mmm dd, yyyy" and the picker takes the same date.
void showFollowUp(DiscussionScreen& screen, DateTime date, DateTime now);

// The follow-up box opens for typing with the picker beside it, or turns read-only with the
// picker hidden. The picker keeps its value.
void allowFollowUpChoice(DiscussionScreen& screen, bool allowed);

// Opens the choice and starts the picker at the date the follow-up box holds.
void openFollowUpChoice(DiscussionScreen& screen, DateTime now);

}  // namespace jex
