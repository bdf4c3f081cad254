#include "check_box_renderer.h"

#include <QCheckBox>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

Qt::CheckState checkStateOf(int value) {
    if (value == 1) return Qt::Checked;
    if (value == 2) return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

class CheckBoxRenderer final : public BasicRenderer {
  public:
    CheckBoxRenderer(ui::CheckBox& box, QWidget* parent)
        : BasicRenderer(box, new QCheckBox(parent)), m_box(box) {
        // Qt has toggled its own state by now; the model decides what the box shows.
        connect(checkBox(), &QCheckBox::clicked, this, [this] {
            m_box.userClick();
            refresh(ui::Change::Value);
        });
    }

  private:
    QCheckBox* checkBox() const { return static_cast<QCheckBox*>(native()); }

    void show(ui::Change what) override {
        if (what == ui::Change::Caption) checkBox()->setText(toQString(m_box.caption()));
        if (what != ui::Change::Value) return;
        checkBox()->setTristate(m_box.value() == 2);
        checkBox()->setCheckState(checkStateOf(m_box.value()));
    }

    ui::CheckBox& m_box;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeCheckBoxRenderer(ui::CheckBox& box, QWidget* parent) {
    return makeRenderedAsModel<CheckBoxRenderer>(box, parent);
}

}  // namespace jex::qt
