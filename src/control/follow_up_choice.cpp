#include "control/follow_up_choice.h"

#include "control/field_appearance.h"

namespace jex {

DateTime proposedFollowUp(const LookupList& groups, const std::string& group, DateTime now) {
    int16_t delay = 0;
    for (const LookupEntry& entry : groups) {
        if (entry[1] != group) continue;
        delay = Value(entry[2]).toInteger();
        break;
    }
    return addDays(dateOnly(now), delay);
}

void setPickerFromText(ui::DatePicker& picker, std::string_view text, DateTime now) {
    const std::optional<DateTime> date = parseDate(text);
    picker.setValue(date ? *date : dateOnly(now));
}

void showFollowUp(DiscussionScreen& screen, DateTime date, DateTime now) {
    screen.txtFollowUp.setText(formatDate(date, DatePattern::Date));
    setPickerFromText(screen.DTPckrFollowUpDate, screen.txtFollowUp.text(), now);
}

void allowFollowUpChoice(DiscussionScreen& screen, bool allowed) {
    setEditable(screen.txtFollowUp, allowed);
    screen.DTPckrFollowUpDate.setVisible(allowed);
}

void openFollowUpChoice(DiscussionScreen& screen, DateTime now) {
    allowFollowUpChoice(screen, true);
    setPickerFromText(screen.DTPckrFollowUpDate, screen.txtFollowUp.text(), now);
}

}  // namespace jex
