// Moving comments between issues by drag and drop on the demo order PO1001 (issues 001 to 004;
// comments 3 and 4 on 002), the way the user's mouse does it.
#include <gtest/gtest.h>

#include "control/headless_services.h"
#include "support/control_session.h"
#include "support/demo_server.h"
#include "support/list_texts.h"

namespace jex {
namespace {

using test::clickRow;
using test::columnOf;
using test::indexOf;
using ui::ListView;
using Texts = std::vector<std::string>;

struct CommentDrag : test::DemoSuite {
    // Loads PO1001 and shows the comments of issue 002.
    void load(bool corporate) {
        control.setCorporateLevel(corporate);
        control.LoadData(demoUrl(), "PO1001");
        clickRow(ui.lstDiscussions, 10, "002");
    }
    // Presses on the comment, moves with the left button held, passes over the issue rows
    // `over` ("": empty space below them) and drops on the last.
    void drag(const std::string& comment, const Texts& over) {
        const double y = ListView::rowCentre(indexOf(ui.lstComments, 4, comment));
        ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, y);
        ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, y);
        draggingSeen = control.state().DraggingComment && ui.dragSource() == &ui.lstComments;
        double target = 0;
        for (const std::string& issue : over) {
            const int row = issue.empty() ? 0 : indexOf(ui.lstDiscussions, 10, issue);
            target = ListView::rowCentre(row == 0 ? ui.lstDiscussions.count() + 1 : row);
            ui.lstDiscussions.userDragOver(0, target);
        }
        ui.lstDiscussions.userDrop(0, target);
    }
    void expectDragOver(const Texts& reports = {}) {
        EXPECT_FALSE(ui.lstDiscussions.dropHighlight());
        EXPECT_FALSE(control.state().DraggingComment);
        EXPECT_EQ(ui.dragSource(), nullptr);
        EXPECT_EQ(test::reportsOf(host.messageBox), reports);
        host.messageBox.clear();
    }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
    bool draggingSeen = false;
};

TEST_F(CommentDrag, Drop_movesTheCommentToTheIssueUnderThePointer) {
    load(true);
    std::vector<std::vector<Value>> expected = control.state().CommentTable->snapshot();
    const std::string description = ui.txtCommentDescription.text();

    drag("3", {"003", "001"});

    EXPECT_TRUE(draggingSeen);
    EXPECT_EQ(ui.lstComments.dragImage()->column(4), "3");
    expectDragOver();
    EXPECT_EQ(columnOf(ui.lstComments, 4), Texts{"4"});
    EXPECT_EQ(ui.txtCommentDescription.text(), description) << "the fields are not redrawn";
    expected[2][1] = Value("001");  // DiscussionSequence
    expected[2][15] = Value(true);  // IsUpdated
    EXPECT_EQ(control.state().CommentTable->snapshot(), expected);
}

// A drop onto the comment's own issue or empty space moves nothing, nor does one while no issue
// is selected, which cannot tell whose comments are shown: it reports, and the drag ends.
TEST_F(CommentDrag, Drop_ontoItsOwnIssueOrEmptySpaceOrWithNoIssueSelectedMovesNothing) {
    for (const Texts& over : {Texts{"002"}, Texts{"001", ""}, Texts{"003", "001"}}) {
        load(true);
        const bool unselected = over.size() == 2 && !over.back().empty();
        if (unselected) ui.lstDiscussions.setSelectedItem(nullptr);
        const auto before = control.state().CommentTable->snapshot();
        drag("4", over);
        EXPECT_TRUE(draggingSeen);
        expectDragOver(unselected ? Texts{"lstDiscussions_DragDrop() 91"} : Texts{});
        EXPECT_EQ(control.state().CommentTable->snapshot(), before) << over.back();
        EXPECT_EQ(columnOf(ui.lstComments, 4), (Texts{"3", "4"}));
    }
}

TEST_F(CommentDrag, Drag_needsACorporateUserAndTheLeftButton) {
    struct Case {
        bool corporate;
        int button;
    };
    for (const Case& c : {Case{false, ui::kLeftButton}, Case{true, ui::kRightButton}}) {
        load(c.corporate);
        ui.lstComments.userMouseDown(c.button, 0, 0, ListView::rowCentre(2));
        ui.lstComments.userMouseMove(c.button, 0, 0, ListView::rowCentre(2));
        EXPECT_FALSE(control.state().DraggingComment) << c.corporate;
        EXPECT_EQ(ui.dragSource(), nullptr) << c.corporate;
        EXPECT_EQ(control.state().DraggedComment->column(4), "4") << "the press records it";
    }
    // With no comment selected there is nothing to carry.
    control.LoadData(demoUrl(), "PO1002");
    ui.lstComments.userMouseDown(ui::kLeftButton, 0, 0, ListView::rowCentre(1));
    ui.lstComments.userMouseMove(ui::kLeftButton, 0, 0, ListView::rowCentre(1));
    EXPECT_FALSE(control.state().DraggingComment);
    EXPECT_EQ(ui.dragSource(), nullptr);
    EXPECT_TRUE(host.messageBox.shown().empty());
}

}  // namespace
}  // namespace jex
