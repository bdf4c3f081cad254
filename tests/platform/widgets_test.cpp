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

using WidgetFocus = WidgetFixture;

TEST_F(WidgetFocus, userClickFiresLostFocusOfThePreviousWidgetFirstWhichMayKeepTheFocus) {
    combo.userSelect(1);
    log.clear();
    button.userClick();
    EXPECT_EQ(log, (Log{"combo LostFocus", "button GotFocus", "button Click"}));
    EXPECT_EQ(screen.focused(), &button);

    log.clear();
    button.userMoveFocusAway();
    EXPECT_EQ(log, (Log{"button LostFocus"}));
    EXPECT_EQ(screen.focused(), nullptr);

    // A validating LostFocus handler takes the focus back; the click still happens.
    combo.setFocus();
    combo.onLostFocus = [this] { combo.setFocus(); };
    log.clear();
    button.userClick();
    EXPECT_EQ(screen.focused(), &combo);
    EXPECT_EQ(log, (Log{"button LostFocus", "combo GotFocus", "button Click"}));
}

TEST_F(WidgetFocus, focusIsRefusedByHiddenOrDisabledWidgetsAndDroppedSilently) {
    const std::pair<const char*, std::function<void(bool)>> blockers[] = {
        {"button disabled", [&](bool on) { button.setEnabled(!on); }},
        {"button hidden", [&](bool on) { button.setVisible(!on); }},
        {"frame disabled", [&](bool on) { frame.setEnabled(!on); }},
        {"frame hidden", [&](bool on) { frame.setVisible(!on); }},
    };
    for (const auto& [name, block] : blockers) {
        text.setFocus();
        block(true);
        button.setFocus();
        EXPECT_FALSE(button.userFocus()) << name;
        screen.moveFocus(&button);
        EXPECT_NE(screen.focused(), &button) << name;
        block(false);

        button.setFocus();
        log.clear();
        block(true);
        EXPECT_EQ(screen.focused(), nullptr) << name;
        EXPECT_TRUE(log.empty()) << name;
        block(false);
    }
}

using WidgetInput = WidgetFixture;

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

using WidgetComboBox = WidgetFixture;

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

struct WidgetTextBox : ::testing::Test {
    Screen screen;
};

TEST_F(WidgetTextBox, typingFollowsFilterLineModeLimitAndLock) {
    struct Case {
        const char* name;
        TextBox::Options options;
        bool locked, swallowEnter, replace;
        const char* start;
        const char* typed;
        std::string expected;
    };
    const TextBox::Options single{};
    const TextBox::Options multi{.multiLine = true, .verticalScrollBar = true, .maxLength = 0};
    const TextBox::Options five{.multiLine = true, .verticalScrollBar = true, .maxLength = 5};
    const Case cases[] = {
        {"plain", single, false, false, false, "", "ab\xC3\xA9", "ab\xC3\xA9"},
        {"single-line Enter", single, false, false, false, "", "a\nb", "ab"},
        {"multi-line Enter", multi, false, false, false, "", "a\nb", "a\r\nb"},
        {"filter swallows Enter", multi, false, true, false, "", "a\nb", "ab"},
        {"backspace", single, false, false, false, "x\xC3\xA9", "\b\by", "y"},
        {"limit in characters", five, false, false, false, "", "\xC3\xA9\xC3\xA9\xC3\xA9xyz",
         "\xC3\xA9\xC3\xA9\xC3\xA9xy"},
        {"limit counts a line break as two", five, false, false, false, "abcd", "\nz", "abcdz"},
        {"limit binds typing only", five, false, false, false, "abcdefg", "h\b", "abcdef"},
        {"locked", multi, true, false, false, "keep", "a\n\b", "keep"},
        {"replace", single, false, false, true, "old", "new", "new"},
        {"locked replace", single, true, false, true, "old", "new", "old"},
    };
    for (const Case& c : cases) {
        TextBox box(screen, "box", nullptr, c.options);
        box.setText(c.start);
        box.setLocked(c.locked);
        int filtered = 0;
        box.onKeyPress = [&](int& key) {
            ++filtered;
            if (c.swallowEnter && key == kKeyReturn) key = 0;
        };
        c.replace ? box.userReplaceText(c.typed) : box.userType(c.typed);
        EXPECT_EQ(box.text(), c.expected) << c.name;
        EXPECT_TRUE(filtered > 0 || c.replace) << c.name;
        EXPECT_TRUE(box.hasFocus()) << c.name;
    }
}

TEST_F(WidgetTextBox, filterSeesCodePointsAndCanChangeThem) {
    TextBox box(screen, "box", nullptr);
    std::vector<int> seen;
    box.onKeyPress = [&](int& key) {
        seen.push_back(key);
        if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
    };
    box.userType("a\xE2\x82\xAC\n\b");
    EXPECT_EQ(seen, (std::vector<int>{'a', 0x20AC, kKeyReturn, kKeyBack}));
    EXPECT_EQ(box.text(), "A");
}

TEST_F(WidgetTextBox, editTypesOverTheRangeAtTheCaret) {
    struct Case {
        const char* name;
        TextBox::Options options;
        const char* start;
        int from, length;
        const char* typed;
        std::string expected;
    };
    const TextBox::Options single{};
    const TextBox::Options multi{.multiLine = true, .verticalScrollBar = true, .maxLength = 0};
    const TextBox::Options five{.multiLine = false, .verticalScrollBar = false, .maxLength = 5};
    const Case cases[] = {
        {"caret moves on", single, "ad", 1, 0, "bc", "abcd"},
        {"over a selection in characters", single,
         "a\xC3\xA9\xC3\xA9"
         "d",
         1, 2, "x", "axd"},
        {"backspace takes the selection", single, "abcd", 1, 2, "\b", "ad"},
        {"backspace before the caret", single,
         "a\xC3\xA9"
         "b",
         2, 0, "\b", "ab"},
        {"backspace takes a line break whole", multi, "a\r\nb", 3, 0, "\b", "ab"},
        {"Enter mid-text", multi, "ab", 1, 0, "\n", "a\r\nb"},
        {"delete", single, "abcd", 1, 1, "", "acd"},
        {"limit counts what the selection leaves", five, "abcde", 0, 2, "xyz", "xycde"},
        {"range past the end is cut", single, "ab", 1, 99, "Z", "aZ"},
        {"range before the start is cut", single, "abc", -1, 2, "Z", "Zbc"},
        {"swallowed key keeps the selection", single, "abcd", 0, 2, "qX", "Xcd"},
    };
    for (const Case& c : cases) {
        TextBox box(screen, "box", nullptr, c.options);
        box.setText(c.start);
        box.onKeyPress = [](int& key) {
            if (key == 'q') key = 0;
        };
        box.userEdit(c.from, c.length, c.typed);
        EXPECT_EQ(box.text(), c.expected) << c.name;
        EXPECT_TRUE(box.hasFocus()) << c.name;
    }
    TextBox locked(screen, "locked", nullptr);
    locked.setText("keep");
    locked.setLocked(true);
    locked.userEdit(0, 2, "");
    locked.userEdit(1, 1, "x\b");
    EXPECT_EQ(locked.text(), "keep");
}

}  // namespace
}  // namespace jex::ui
