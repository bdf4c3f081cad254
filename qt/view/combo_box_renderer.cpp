#include "combo_box_renderer.h"

#include <QComboBox>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

class ComboBoxRenderer final : public BasicRenderer {
  public:
    ComboBoxRenderer(ui::ComboBox& combo, QWidget* parent)
        : BasicRenderer(combo, new QComboBox(parent)), m_combo(combo) {
        comboBox()->setEditable(false);
        connect(comboBox(), &QComboBox::activated, this, [this](int index) {
            m_combo.userSelect(index);
            refresh(ui::Change::Selection);
        });
    }

  private:
    QComboBox* comboBox() const { return static_cast<QComboBox*>(native()); }

    void show(ui::Change what) override {
        if (what == ui::Change::Items) {
            comboBox()->clear();
            for (const std::string& item : m_combo.items()) comboBox()->addItem(toQString(item));
        }
        if (what != ui::Change::Items && what != ui::Change::Selection && what != ui::Change::Text)
            return;
        comboBox()->setPlaceholderText(m_combo.listIndex() == -1 ? toQString(m_combo.text())
                                                                 : QString());
        comboBox()->setCurrentIndex(m_combo.listIndex());
    }

    ui::ComboBox& m_combo;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeComboBoxRenderer(ui::ComboBox& combo, QWidget* parent) {
    return makeRenderedAsModel<ComboBoxRenderer>(combo, parent);
}

}  // namespace jex::qt
