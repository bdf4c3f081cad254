#include "platform/widgets/date_picker.h"

#include "platform/error.h"

namespace jex::ui {
namespace {

// A fixed start value rather than today, so that a screen is the same on every run.
constexpr DateTime kInitialValue{date::local_days{date::year{2000} / 1 / 1}};

}  // namespace

DatePicker::DatePicker(Screen& screen, std::string name, Widget* container,
                       std::string customFormat)
    : Widget(screen, std::move(name), WidgetKind::DatePicker, container),
      m_value(kInitialValue),
      m_customFormat(std::move(customFormat)) {}

void DatePicker::setValue(DateTime value) {
    if (m_value == value) return;
    m_value = value;
    changed(Change::Value);
}

void DatePicker::setValueFromText(std::string_view text) {
    const std::optional<DateTime> value = parseDate(text);
    if (!value) raiseRuntime(err::TypeMismatch);
    setValue(*value);
}

void DatePicker::setCustomFormat(std::string format) {
    if (m_customFormat == format) return;
    m_customFormat = std::move(format);
    changed(Change::Format);
}

std::string DatePicker::displayText() const { return formatCustom(m_value, m_customFormat); }

void DatePicker::userSetDate(DateTime value) {
    // Picking a date is a click on the picker: the focus moves there first, as with a combo.
    if (!userFocus()) return;
    setValue(value);
    if (onChange) onChange();
}

}  // namespace jex::ui
