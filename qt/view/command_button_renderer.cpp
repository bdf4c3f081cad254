#include "command_button_renderer.h"

#include <QPushButton>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

class CommandButtonRenderer final : public BasicRenderer {
  public:
    CommandButtonRenderer(ui::CommandButton& button, QWidget* parent)
        : BasicRenderer(button, new QPushButton(parent)), m_button(button) {
        connect(pushButton(), &QPushButton::clicked, this, [this] { m_button.userClick(); });
    }

  private:
    QPushButton* pushButton() const { return static_cast<QPushButton*>(native()); }

    void show(ui::Change what) override {
        if (what == ui::Change::Caption) pushButton()->setText(toQString(m_button.caption()));
    }

    ui::CommandButton& m_button;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeCommandButtonRenderer(ui::CommandButton& button,
                                                          QWidget* parent) {
    return makeRenderedAsModel<CommandButtonRenderer>(button, parent);
}

}  // namespace jex::qt
