#include "control/jex_po_discussions_xml.h"
#include "data/issue_record.h"
#include "data/issue_schema.h"
#include "data/row_writer.h"
#include "data/sequence.h"

// The priority popup of the issue list. Only issues made since the load change their priority
// here: a stored issue's priority is the database's.
namespace jex {

void JEXPODiscussionsXML::lstDiscussions_MouseUp(int button, int, double x, double y) {
    trap("lstDiscussions_MouseUp()", [&] {
        if (lstDiscussions.count() == 0) return;
        if (inViewMode()) return;
        const ui::ListItem& row = lstDiscussions.requireSelected();
        const std::string current = row.column(issue_row::Priority);
        if (!isNewSequence(row.column(issue_row::Sequence))) return;
        if (button != ui::kRightButton) return;

        for (int k = mnuPriority.lowerBound(); k <= mnuPriority.upperBound(); ++k) {
            mnuPriority.setChecked(k, mnuPriority.item(k).caption == current);
        }
        mnuPriority.popup(x, y);
    });
}

// No trap: a failure here goes to the menu that fired the click.
void JEXPODiscussionsXML::mnuPriorityMenu_Click(int index) {
    ui::ListItem& row = lstDiscussions.requireSelected();
    RecordTable& issues = *DiscussionTable;
    moveToIssue(issues, row.column(issue_row::Sequence));
    const std::string priority = mnuPriority.item(index).caption;
    RowWriter(row, issues, kIssueColumns)
        .code(issue_row::Priority, priority, PriorityIndex(priority));
}

}  // namespace jex
