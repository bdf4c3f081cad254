#include "renderer_factory.h"

#include "check_box_renderer.h"
#include "combo_box_renderer.h"
#include "command_button_renderer.h"
#include "date_picker_renderer.h"
#include "frame_renderer.h"
#include "label_renderer.h"
#include "list_view_renderer.h"
#include "popup_menu_renderer.h"
#include "tab_strip_renderer.h"
#include "text_box_renderer.h"

namespace jex::qt {

std::unique_ptr<WidgetRenderer> makeRenderer(ui::Widget& widget, QWidget* parent,
                                             RenderContext& context) {
    switch (widget.kind()) {
        case ui::WidgetKind::Frame:
            return makeFrameRenderer(static_cast<ui::Frame&>(widget), parent);
        case ui::WidgetKind::Label:
            return makeLabelRenderer(static_cast<ui::Label&>(widget), parent);
        case ui::WidgetKind::TextBox:
            return makeTextBoxRenderer(static_cast<ui::TextBox&>(widget), parent);
        case ui::WidgetKind::ComboBox:
            return makeComboBoxRenderer(static_cast<ui::ComboBox&>(widget), parent);
        case ui::WidgetKind::CheckBox:
            return makeCheckBoxRenderer(static_cast<ui::CheckBox&>(widget), parent);
        case ui::WidgetKind::CommandButton:
            return makeCommandButtonRenderer(static_cast<ui::CommandButton&>(widget), parent);
        case ui::WidgetKind::ListView:
            return makeListViewRenderer(static_cast<ui::ListView&>(widget), parent, context);
        case ui::WidgetKind::TabStrip:
            return makeTabStripRenderer(static_cast<ui::TabStrip&>(widget), parent);
        case ui::WidgetKind::DatePicker:
            return makeDatePickerRenderer(static_cast<ui::DatePicker&>(widget), parent);
        case ui::WidgetKind::Menu:
            return makePopupMenuRenderer(static_cast<ui::PopupMenu&>(widget), parent, context);
    }
    return nullptr;
}

}  // namespace jex::qt
