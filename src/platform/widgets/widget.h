#pragma once

#include <functional>
#include <string>

namespace jex::ui {

class Screen;

// Colours with the high bit set are system colour indices, so they follow the user's scheme.
using Colour = uint32_t;
inline constexpr Colour kWindowBackground = 0x80000005;  // open for typing
inline constexpr Colour kButtonFace = 0x8000000F;        // read-only

enum class WidgetKind {
    Frame,
    Label,
    TextBox,
    ComboBox,
    CheckBox,
    CommandButton,
    ListView,
    TabStrip,
    DatePicker,
    Menu,
};

// What changed on a widget, so that a view redraws only that aspect.
enum class Change {
    Caption,
    Text,
    Enabled,
    Visible,
    Locked,
    BackColour,
    Value,
    Items,      // entries, list items, tabs or menu items added, removed or edited
    Selection,  // selected entry, item or tab
    Columns,
    Sort,
    DropHighlight,
    Format,
    Focus,
    Popup,  // a popup menu opened or closed
};

// Mouse buttons and shift keys as the classic event arguments carry them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes the control reads.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyEnd = 35;

// A widget of the toolkit-free screen model. It holds exactly the state the control reads and
// writes, tells its screen about every change, and offers a user-input API (the `user...`
// members) that respects enabled, visible and locked the way a real screen does. Setting state
// from code never fires an event unless the widget's own documentation says so.
class Widget {
  public:
    Widget(Screen& screen, std::string name, WidgetKind kind, Widget* container);
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    const std::string& name() const { return m_name; }
    WidgetKind kind() const { return m_kind; }
    Widget* container() const { return m_container; }
    Screen& screen() const { return m_screen; }

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // Shown on the screen: itself and every container visible.
    bool isShown() const;
    // Reachable by the user: shown, and itself and every container enabled.
    bool acceptsInput() const;

    // Moves the focus here from code; ignored when the widget does not accept input.
    void setFocus();
    bool hasFocus() const;

    // Fired when the focus leaves this widget for another one (or for nowhere).
    std::function<void()> onLostFocus;
    std::function<void()> onGotFocus;

    // User input: give this widget the focus (as a click or Tab would). Ignored when the
    // widget does not accept input. Returns whether the focus is here afterwards.
    bool userFocus();
    // User input: move the focus away from this widget to nowhere (fires its lost focus).
    void userMoveFocusAway();

  protected:
    void changed(Change what);

  private:
    Screen& m_screen;
    std::string m_name;
    WidgetKind m_kind;
    Widget* m_container;
    bool m_enabled = true;
    bool m_visible = true;
};

}  // namespace jex::ui
