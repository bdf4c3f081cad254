#include "frame_renderer.h"

#include <QGroupBox>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

class FrameRenderer final : public BasicRenderer {
  public:
    FrameRenderer(ui::Frame& frame, QWidget* parent)
        : BasicRenderer(frame, frame.container() ? new QGroupBox(parent) : new QWidget(parent)),
          m_frame(frame) {}

  private:
    void show(ui::Change what) override {
        auto* box = qobject_cast<QGroupBox*>(native());
        if (what == ui::Change::Caption && box) box->setTitle(toQString(m_frame.caption()));
    }

    ui::Frame& m_frame;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeFrameRenderer(ui::Frame& frame, QWidget* parent) {
    return makeRenderedAsModel<FrameRenderer>(frame, parent);
}

}  // namespace jex::qt
