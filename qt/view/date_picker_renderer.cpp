#include "date_picker_renderer.h"

#include <QDateEdit>

#include "basic_renderer.h"
#include "qt_date_format.h"

namespace jex::qt {
namespace {

class DatePickerRenderer final : public BasicRenderer {
  public:
    DatePickerRenderer(ui::DatePicker& picker, QWidget* parent)
        : BasicRenderer(picker, new QDateEdit(parent)), m_picker(picker) {
        dateEdit()->setCalendarPopup(true);
        dateEdit()->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        connect(dateEdit(), &QDateEdit::dateChanged, this, [this](QDate day) {
            m_picker.userSetDate(fromQDate(day));
            refresh(ui::Change::Value);
        });
    }

  private:
    QDateEdit* dateEdit() const { return static_cast<QDateEdit*>(native()); }

    void show(ui::Change what) override {
        if (what == ui::Change::Format)
            dateEdit()->setDisplayFormat(toQtDateFormat(m_picker.customFormat()));
        if (what == ui::Change::Value) dateEdit()->setDate(toQDate(m_picker.value()));
    }

    ui::DatePicker& m_picker;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeDatePickerRenderer(ui::DatePicker& picker, QWidget* parent) {
    return makeRenderedAsModel<DatePickerRenderer>(picker, parent);
}

}  // namespace jex::qt
