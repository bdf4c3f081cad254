#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/widgets/check_box.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/date_picker.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/popup_menu.h"
#include "platform/widgets/screen.h"
#include "platform/widgets/tab_strip.h"
#include "platform/widgets/text_box.h"
#include "support/error_of.h"

namespace jex::ui {
namespace {

using test::errorOf;

using Log = std::vector<std::string>;

// A frame holding one widget of each input kind, with their events written to a log.
class WidgetFixture : public ::testing::Test {
  protected:
    WidgetFixture() {
        for (const char* entry : {"Billing", "Center", "Billing"}) combo.addItem(entry);
        tabs.add("Issues");
        tabs.add("Comments");
        button.onClick = [this] { log.push_back("button Click"); };
        check.onClick = [this] { log.push_back("check Click " + std::to_string(check.value())); };
        combo.onClick = [this] { log.push_back("combo Click " + combo.text()); };
        tabs.onClick = [this] {
            log.push_back("tabs Click " + std::to_string(tabs.selectedIndex()));
        };
        picker.onChange = [this] { log.push_back("picker Change"); };
        for (Widget* w : std::initializer_list<Widget*>{&button, &check, &combo, &text}) {
            w->onLostFocus = [this, w] { log.push_back(w->name() + " LostFocus"); };
            w->onGotFocus = [this, w] { log.push_back(w->name() + " GotFocus"); };
        }
    }

    Screen screen;
    Frame frame{screen, "frame"};
    CommandButton button{screen, "button", &frame, "Save"};
    CheckBox check{screen, "check", &frame};
    ComboBox combo{screen, "combo", &frame};
    TextBox text{screen, "text", &frame};
    TabStrip tabs{screen, "tabs", &frame};
    DatePicker picker{screen, "picker", &frame, "MMM, dd yyyy"};
    Log log;
};

using WidgetInput = WidgetFixture;

// The focus moves before a click: LostFocus, then GotFocus, unless a validating LostFocus takes
// it back. A widget hidden or disabled, itself or by its frame, refuses it and loses it silently.
TEST_F(WidgetInput, focusMovesBeforeTheClickAndIsRefusedOrDroppedWhenBlocked) {
    combo.userSelect(1);
    log.clear();
    button.userClick();
    button.userMoveFocusAway();
    EXPECT_EQ(screen.focused(), nullptr);
    combo.setFocus();
    combo.onLostFocus = [this] { combo.setFocus(); };
    button.userClick();
    EXPECT_EQ(screen.focused(), &combo);
    EXPECT_EQ(log, (Log{"combo LostFocus", "button GotFocus", "button Click", "button LostFocus",
                        "combo GotFocus", "button LostFocus", "combo GotFocus", "button Click"}));
    combo.onLostFocus = nullptr;
    const std::function<void(bool)> blockers[] = {
        [&](bool on) { button.setEnabled(!on); }, [&](bool on) { button.setVisible(!on); },
        [&](bool on) { frame.setEnabled(!on); }, [&](bool on) { frame.setVisible(!on); }};
    for (const auto& block : blockers) {
        button.setFocus();
        log.clear();
        block(true);
        EXPECT_EQ(screen.focused(), nullptr);
        EXPECT_TRUE(log.empty());
        button.setFocus();
        screen.moveFocus(&button);
        EXPECT_FALSE(button.userFocus() || button.hasFocus());
        block(false);
    }
}

TEST_F(WidgetInput, disabledOrHiddenContainerBlocksEveryUserInput) {
    for (bool hide : {false, true}) {
        hide ? frame.setVisible(false) : frame.setEnabled(false);
        button.userClick();
        check.userClick();
        combo.userSelect(1);
        text.userType("abc");
        text.userReplaceText("abc");
        tabs.userSelectTab(2);
        picker.userSetDate(date::local_days{date::year{2026} / 12 / 19});
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(check.value(), 0);
        EXPECT_EQ(combo.listIndex(), -1);
        EXPECT_EQ(text.text(), "");
        EXPECT_EQ(tabs.selectedIndex(), 1);
        EXPECT_EQ(picker.displayText(), "Jan, 01 2000");
        EXPECT_EQ(screen.focused(), nullptr);
        frame.setVisible(true);
        frame.setEnabled(true);
    }
}

// What code sets fires nothing, except a selection, which clicks as the loaders expect; what
// the user does clicks. Out-of-range values raise and change nothing.
TEST_F(WidgetInput, codeIsSilentButSelectionsAndTheUserClick) {
    check.setValue(2);
    check.setValue(0);
    check.setValue(2);
    picker.setValue(makeDateTime(2026, 12, 19));
    EXPECT_TRUE(log.empty()) << "tabs select their first tab silently too";
    tabs.select(1);  // the selected tab clicks again
    combo.setText("Billing");
    combo.setListIndex(-1);
    for (const char* other : {"billing", "Billing "}) combo.setText(other);
    check.userClick();
    const std::pair<const char*, std::function<void()>> refused[] = {
        {"check 3", [&] { check.setValue(3); }},
        {"combo 3", [&] { combo.setListIndex(3); }},
        {"tab 3", [&] { tabs.select(3); }},
        {"no date", [&] { picker.setValueFromText("Feb 30, 2026"); }},
    };
    for (const auto& [name, call] : refused) EXPECT_NE(errorOf(call), 0) << name;
    EXPECT_EQ(log, (Log{"tabs Click 1", "combo Click Billing", "check GotFocus", "check Click 0"}))
        << "a greyed box clears on a click; only an exact entry is selected";
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(picker.displayText(), "Dec, 19 2026");
}

TEST(WidgetPopupMenu, itemsFollowTheControlArrayRulesAndPickOnlyWhileOpen) {
    Screen screen;
    PopupMenu menu{screen, "mnuPriority", "Priority", "mnuPriorityMenu", 1, "Priority"};
    std::vector<int> picks;
    menu.onClick = [&](int index) { picks.push_back(index); };
    menu.load(2);
    EXPECT_EQ(menu.item(2).caption, "") << "loaded blank";
    EXPECT_EQ(errorOf([&] { menu.load(2); }), err::ObjectAlreadyLoaded);
    EXPECT_EQ(errorOf([&] { menu.unload(1); }), err::CannotUnloadDesignTime);
    EXPECT_EQ(errorOf([&] { menu.item(3); }), err::ControlArrayElementMissing);
    menu.userPick(2);
    menu.popup(10, 20);
    menu.userPick(5);  // no such item: closes without a click
    menu.userPick(1);
    menu.popup(10, 20);
    menu.userPick(2);
    EXPECT_EQ(picks, (std::vector<int>{2}));
}

// Typing goes key by key through the filter, which may change a key or swallow it ('q' here),
// over the range at the caret; from -1 the whole text is replaced, from 99 typing appends.
TEST(WidgetTextBox, typingFollowsFilterLineModeLimitLockAndRange) {
    struct Case {
        const char* name;
        TextBox::Options options;
        bool locked;
        const char* start;
        int from, length;
        const char* typed;
        std::string expected;
    };
    const TextBox::Options single{};
    const TextBox::Options multi{.multiLine = true, .verticalScrollBar = true, .maxLength = 0};
    const TextBox::Options five{.multiLine = true, .verticalScrollBar = true, .maxLength = 5};
    const Case cases[] = {
        {"single-line Enter", single, false, "", 99, 0, "a\nb", "ab"},
        {"filter swallows", multi, false, "", 99, 0, "aqb", "ab"},
        {"limit in characters", five, false, "", 99, 0, "\u00e9\u00e9\u00e9xyz",
         "\u00e9\u00e9\u00e9xy"},
        {"limit counts a line break as two", five, false, "abcd", 99, 0, "\nz", "abcdz"},
        {"limit binds typing only", five, false, "abcdefg", 99, 0, "h\b", "abcdef"},
        {"locked", multi, true, "keep", 99, 0, "a\n\b", "keep"},
        {"replace", single, false, "old", -1, 0, "new", "new"},
        {"locked replace", single, true, "old", -1, 0, "new", "old"},
        {"caret moves on", single, false, "ad", 1, 0, "bc", "abcd"},
        {"over a selection in characters", single, false, "a\u00e9\u00e9d", 1, 2, "x", "axd"},
        {"backspace takes the selection", single, false, "abcd", 1, 2, "\b", "ad"},
        {"backspace before the caret", single, false, "a\u00e9b", 2, 0, "\b", "ab"},
        {"locked delete", single, true, "abcd", 1, 1, "", "abcd"},
        {"limit counts what the selection leaves", five, false, "abcde", 0, 2, "xyz", "xycde"},
        {"range past the end is cut", single, false, "ab", 1, 99, "Z", "aZ"},
        {"range before the start is cut", single, false, "abc", -1, 2, "Z", "Zbc"},
        {"swallowed key keeps the selection", single, false, "abcd", 0, 2, "qX", "Xcd"},
    };
    Screen screen;
    for (const Case& c : cases) {
        TextBox box(screen, "box", nullptr, c.options);
        box.setText(c.start);
        box.setLocked(c.locked);
        int filtered = 0;
        box.onKeyPress = [&](int& key) {
            ++filtered;
            if (key == 'q') key = 0;
        };
        if (c.from == 99) {
            box.userType(c.typed);
        } else if (c.from < 0 && c.length == 0) {
            box.userReplaceText(c.typed);
        } else {
            box.userEdit(c.from, c.length, c.typed);
        }
        EXPECT_EQ(box.text(), c.expected) << c.name;
        EXPECT_EQ(filtered > 0, c.typed[0] != 0) << c.name;
        EXPECT_TRUE(box.hasFocus()) << c.name;
    }
    TextBox box(screen, "box", nullptr);
    std::vector<int> seen;
    box.onKeyPress = [&](int& key) {
        seen.push_back(key);
        if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
    };
    box.userType("a\u20ac\n\b");
    EXPECT_EQ(seen, (std::vector<int>{'a', 0x20AC, kKeyReturn, kKeyBack}));
    EXPECT_EQ(box.text(), "A");
}

}  // namespace
}  // namespace jex::ui
