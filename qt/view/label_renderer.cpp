#include "label_renderer.h"

#include <QLabel>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

class LabelRenderer final : public BasicRenderer {
  public:
    LabelRenderer(ui::Label& label, QWidget* parent)
        : BasicRenderer(label, new QLabel(parent)), m_label(label) {
        static_cast<QLabel*>(native())->setTextFormat(Qt::PlainText);
    }

  private:
    void show(ui::Change what) override {
        if (what != ui::Change::Caption) return;
        static_cast<QLabel*>(native())->setText(toQString(m_label.caption()));
    }

    ui::Label& m_label;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeLabelRenderer(ui::Label& label, QWidget* parent) {
    return makeRenderedAsModel<LabelRenderer>(label, parent);
}

}  // namespace jex::qt
