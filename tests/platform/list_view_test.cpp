#include "platform/widgets/list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/screen.h"
#include "support/error_of.h"
#include "support/list_texts.h"

namespace jex::ui {
namespace {

using test::errorOf;

std::string selectedText(const ListView& list) {
    ListItemRef item = list.selectedItem();
    return item ? item->text() : "<none>";
}

// A list of three rows inside a frame, with every event written to a log that also records
// the selection each event sees.
class WidgetListView : public ::testing::Test {
  protected:
    WidgetListView() {
        for (const char* text : {"a", "b", "c"}) list.add(text);
        list.onClick = [this] { log.push_back("Click " + selectedText(list)); };
        list.onDblClick = [this] { log.push_back("DblClick"); };
        list.onMouseDown = [this](int button, int, double, double) {
            log.push_back("MouseDown" + std::to_string(button) + " " + selectedText(list));
        };
        list.onMouseUp = [this](int, int, double, double) { log.push_back("MouseUp"); };
        list.onKeyDown = [this](int, int) { log.push_back("KeyDown " + selectedText(list)); };
        list.onKeyUp = [this](int, int) { log.push_back("KeyUp " + selectedText(list)); };
        list.onColumnClick = [this](int p) { log.push_back("ColumnClick " + std::to_string(p)); };
        list.onDragOver = [this](Widget& source, double, double, int state) {
            log.push_back("DragOver " + source.name() + " " + std::to_string(state));
        };
        list.onDragDrop = [this](Widget& source, double, double) {
            log.push_back("DragDrop " + source.name());
        };
    }

    using Log = std::vector<std::string>;

    Screen screen;
    Frame frame{screen, "frame"};
    ListView list{screen, "list", &frame, 7000};
    ListView other{screen, "other", &frame, 7000};
    Log log;
};

TEST_F(WidgetListView, firstItemAddedIsSelectedSilentlyRemovalKeepsOthersAndSortIsStable) {
    EXPECT_EQ(selectedText(list), "a");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(errorOf([&] { list.item(4); }), err::IndexOutOfBounds);
    ListItemRef a = list.item(1);
    ListItemRef c = list.item(3);
    list.setDropHighlight(c);
    list.remove(2);
    EXPECT_EQ(selectedText(list), "a");
    EXPECT_EQ(c->index(), 2);
    list.remove(c);
    EXPECT_EQ(list.dropHighlight(), nullptr);
    EXPECT_EQ(c->text(), "c") << "a removed item stays readable";
    list.remove(1);
    EXPECT_EQ(list.selectedItem(), nullptr);
    EXPECT_EQ(a->index(), 0);
    EXPECT_EQ(errorOf([&] { list.remove(1); }), err::IndexOutOfBounds);

    // Sub-item 1 ties "b" and "B", so that stability shows in the order of x and z.
    for (const auto& [text, sub] : {std::pair{"x", "b"}, {"y", "C"}, {"z", "B"}, {"w", "a"}})
        list.add(text)->setSubItem(1, sub);
    EXPECT_EQ(selectedText(list), "x");
    list.setSortKey(1);
    EXPECT_EQ(test::columnOf(list, 0), (std::vector<std::string>{"w", "x", "z", "y"}));
}

// A click selects before MouseDown and only the left button clicks; only the existing headers
// click, and the drag events need a drag, which a drop ends. A blocked list takes nothing.
TEST_F(WidgetListView, userInputReachesTheHandlersInOrder) {
    list.addColumn("One", 100);
    list.addColumn("Two", 0);
    list.userClickItem(2);
    list.userClickItem(3, kRightButton);
    list.userClickItem(0);  // empty space keeps the selection
    list.userClick();       // a view's click after its own raw press and release
    EXPECT_TRUE(list.hasFocus());
    for (int p : {0, 1, 2, 3}) list.userClickColumnHeader(p);
    list.userDragOver(0, ListView::rowCentre(1));
    list.userDrop(0, ListView::rowCentre(1));
    other.startDrag();
    list.userDragOver(0, ListView::rowCentre(1));
    list.userDrop(0, ListView::rowCentre(1));
    // Blocked by its frame, the list takes no input, but a drop still ends the drag.
    frame.setEnabled(false);
    other.startDrag();
    list.userClickItem(1);
    list.userClick();
    list.userDoubleClickItem(1);
    list.userPressKey(kKeyUp);
    list.userClickColumnHeader(1);
    list.userMouseDown(kLeftButton, 0, 0, ListView::rowCentre(1));
    list.userDragOver(0, ListView::rowCentre(1));
    list.userDrop(0, ListView::rowCentre(1));
    EXPECT_EQ(selectedText(list), "c");
    EXPECT_EQ(log, (Log{"MouseDown1 b", "MouseUp", "Click b", "MouseDown2 c", "MouseUp",
                        "MouseDown1 c", "MouseUp", "Click c", "Click c", "ColumnClick 1",
                        "ColumnClick 2", "DragOver other 2", "DragDrop other"}));
    EXPECT_EQ(screen.dragSource(), nullptr);
}

TEST_F(WidgetListView, navigationKeysMoveTheSelectionBetweenKeyDownAndKeyUp) {
    struct Case {
        int selected;  // 0: none
        int key;
        int expected;
    };
    const Case cases[] = {
        {2, kKeyUp, 1},  {1, kKeyUp, 1},  {2, kKeyDown, 3}, {3, kKeyDown, 3}, {2, kKeyHome, 1},
        {2, kKeyEnd, 3}, {0, kKeyEnd, 1}, {0, kKeyUp, 1},   {2, 'A', 2},      {0, kKeyReturn, 0},
    };
    for (const Case& c : cases) {
        list.setSelectedItem(c.selected == 0 ? nullptr : list.item(c.selected));
        const std::string before = selectedText(list);
        const std::string after = c.expected == 0 ? "<none>" : list.item(c.expected)->text();
        log.clear();
        list.userPressKey(c.key);
        EXPECT_EQ(log, (Log{"KeyDown " + before, "KeyUp " + after}))
            << "from " << c.selected << " key " << c.key;
    }
}

}  // namespace
}  // namespace jex::ui
