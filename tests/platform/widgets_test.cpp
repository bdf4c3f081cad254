#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/widgets/check_box.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/date_picker.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/label.h"
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

TEST_F(WidgetInput, checkBoxClickTogglesAndClicksButCodeFiresNothing) {
    check.setValue(2);
    check.setValue(0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(errorOf([&] { check.setValue(3); }), err::InvalidPropertyValue);

    check.userClick();
    check.userClick();
    check.setValue(2);
    check.userClick();
    EXPECT_EQ(log, (Log{"check GotFocus", "check Click 1", "check Click 0", "check Click 0"}));
}

TEST_F(WidgetInput, tabStripSelectsFirstTabSilentlyAndClicksOnEverySelect) {
    EXPECT_TRUE(log.empty());
    tabs.select(1);
    tabs.select(2);
    tabs.userSelectTab(3);
    tabs.userSelectTab(0);
    EXPECT_EQ(log, (Log{"tabs Click 1", "tabs Click 2"}));
    EXPECT_EQ(errorOf([&] { tabs.select(3); }), err::IndexOutOfBounds);

    tabs.clear();
    EXPECT_EQ(tabs.selectedIndex(), 0);
    tabs.add("Only");
    EXPECT_EQ(tabs.selectedIndex(), 1);
    EXPECT_EQ(log.size(), 2u);
}

using WidgetComboBox = WidgetFixture;

// Selecting by index or text clicks (the loaders rely on it); only an exact entry is selected.
TEST_F(WidgetComboBox, textSelectsOnlyAnExactEntryAndIndexesStayInTheList) {
    combo.setListIndex(1);
    combo.setListIndex(1);
    combo.setText("Billing");
    EXPECT_EQ(combo.listIndex(), 0) << "the first of equal entries";
    EXPECT_EQ(log, (Log{"combo Click Center", "combo Click Center", "combo Click Billing"}));
    log.clear();
    for (const char* other : {"billing", "Billing ", "Freight"}) {
        combo.setText(other);
        EXPECT_EQ(combo.listIndex(), -1) << other;
        EXPECT_EQ(combo.text(), other);
    }
    combo.setListIndex(-1);
    EXPECT_EQ(combo.text(), "");
    for (int bad : {-2, 3}) {
        EXPECT_EQ(errorOf([&] { combo.setListIndex(bad); }), err::InvalidPropertyValue) << bad;
    }
    EXPECT_TRUE(log.empty());
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

TEST(WidgetDatePicker, textThatIsNoDateRaisesTypeMismatchAndKeepsTheValue) {
    Screen screen;
    DatePicker picker{screen, "picker", nullptr, "MMM, dd yyyy"};
    EXPECT_EQ(picker.displayText(), "Jan, 01 2000");
    picker.setValueFromText("Dec 19, 2026");
    EXPECT_EQ(picker.displayText(), "Dec, 19 2026");
    for (const char* bad : {"", "soon", "Feb 30, 2026"}) {
        EXPECT_EQ(errorOf([&] { picker.setValueFromText(bad); }), err::TypeMismatch) << bad;
    }
    EXPECT_EQ(picker.displayText(), "Dec, 19 2026");
}

struct WidgetPopupMenu : ::testing::Test {
    WidgetPopupMenu() {
        menu.onClick = [this](int index) { picks.push_back(index); };
    }

    Screen screen;
    PopupMenu menu{screen, "mnuPriority", "Priority", "mnuPriorityMenu", 1, "Priority"};
    std::vector<int> picks;
};

TEST_F(WidgetPopupMenu, loadAndUnloadFollowTheControlArrayRules) {
    menu.load(2);
    menu.load(4);
    EXPECT_EQ(menu.item(4).caption, "");
    EXPECT_EQ(menu.upperBound(), 4);

    struct Case {
        const char* name;
        std::function<void()> call;
        int32_t error;
    };
    const Case cases[] = {
        {"load existing", [&] { menu.load(2); }, err::ObjectAlreadyLoaded},
        {"unload design-time", [&] { menu.unload(1); }, err::CannotUnloadDesignTime},
        {"read missing", [&] { menu.item(3); }, err::ControlArrayElementMissing},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.name;

    menu.unload(4);
    EXPECT_EQ(menu.upperBound(), 2);
    EXPECT_EQ(menu.count(), 2);
}

TEST_F(WidgetPopupMenu, pickClicksOnlyWhileOpen) {
    menu.load(2);
    menu.userPick(2);
    menu.popup(10, 20);
    menu.userPick(5);  // no such item: closes without a click
    EXPECT_FALSE(menu.isOpen());
    EXPECT_TRUE(picks.empty());

    menu.popup(10, 20);
    menu.userPick(2);
    menu.userPick(1);
    menu.popup(10, 20);
    menu.userDismiss();
    menu.userPick(1);
    EXPECT_EQ(picks, (std::vector<int>{2}));
}

TEST(WidgetScreen, observerHearsEveryChangeOnce) {
    using Heard = std::vector<std::pair<std::string, Change>>;
    Screen screen;
    Heard heard;
    screen.setObserver([&](Widget& w, Change what) { heard.emplace_back(w.name(), what); });
    Frame frame(screen, "frame");
    TextBox box(screen, "box", &frame);

    box.setText("x");
    box.setText("x");
    box.setLocked(true);
    box.setFocus();
    frame.setVisible(false);  // drops the focus with it
    const Heard expected = {{"box", Change::Text},
                            {"box", Change::Locked},
                            {"box", Change::Focus},
                            {"frame", Change::Visible},
                            {"box", Change::Focus}};
    EXPECT_EQ(heard, expected);
}

}  // namespace
}  // namespace jex::ui
