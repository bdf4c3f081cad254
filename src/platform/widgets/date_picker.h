#pragma once

#include "platform/dates.h"
#include "platform/widgets/widget.h"

namespace jex::ui {

// The date-time picker with a custom display format.
class DatePicker : public Widget {
  public:
    DatePicker(Screen& screen, std::string name, Widget* container, std::string customFormat);

    DateTime value() const { return m_value; }
    void setValue(DateTime value);
    // Takes a date text (any form the date recognition accepts); raises Type mismatch (13) and
    // keeps the old value when the text is not a date.
    void setValueFromText(std::string_view text);

    const std::string& customFormat() const { return m_customFormat; }
    void setCustomFormat(std::string format);
    // The value as the picker shows it, in its custom format.
    std::string displayText() const;

    std::function<void()> onChange;

    // User input: takes the focus (firing the lost focus of the widget that had it), then picks
    // a date (fires Change). Ignored when the picker does not accept input.
    void userSetDate(DateTime value);

  private:
    DateTime m_value;
    std::string m_customFormat;
};

}  // namespace jex::ui
