#include "control/jex_po_discussions_xml.h"
#include "data/discussion_tables.h"

namespace jex {

JEXPODiscussionsXML::JEXPODiscussionsXML(ControlServices services, ControlOptions options)
    : DiscussionScreen(options.listWidths), m_services(services), m_version(options.version) {
    wireEvents();
    UserControl_Initialize();
}

JEXPODiscussionsXML::~JEXPODiscussionsXML() {
    // Tear-down reports through the message box and the log; a failure of those must not
    // escape a destructor.
    try {
        UserControl_Terminate();
    } catch (...) {
    }
}

void JEXPODiscussionsXML::UserControl_Initialize() {
    trap("UserControl_Initialize", [&] {
        addListColumns();
        CurrentUserName = "Unknown";
        frameIssue.setVisible(true);
        frameComment.setVisible(false);
        DiscussionTable = std::make_unique<RecordTable>("DiscussionTable");
        CommentTable = std::make_unique<RecordTable>("CommentTable");
        cmdAddComment.setEnabled(false);
        cmdAddDiscussion.setEnabled(false);
        cmdCloseDiscussion.setEnabled(false);
        declareDiscussionFields(*DiscussionTable);
        declareCommentFields(*CommentTable);
        lblVersionNumber.setCaption("Version number: " + std::to_string(m_version.major) + "." +
                                    std::to_string(m_version.minor) + "." +
                                    std::to_string(m_version.revision));
        DTPckrFollowUpDate.setCustomFormat("MMM, dd yyyy");
        DTPckrFollowUpDate.setVisible(false);
        SetTabIndex(true);
    });
}

void JEXPODiscussionsXML::UserControl_Terminate() {
    if (m_terminated) return;
    m_terminated = true;
    trap("UserControl_Terminate", [&] {
        for (auto* table : {&DiscussionTable, &CommentTable}) {
            if (*table && (*table)->isOpen()) (*table)->close();
            table->reset();
        }
    });
}

void JEXPODiscussionsXML::wireEvents() {
    cboDiscussionGroup.onClick = [this] { cboDiscussionGroup_Click(); };
    lstDiscussions.onClick = [this] { lstDiscussions_Click(); };
    lstDiscussions.onKeyUp = [this](int key, int shift) { lstDiscussions_KeyUp(key, shift); };
    lstDiscussions.onColumnClick = [this](int position) { lstDiscussions_ColumnClick(position); };
    lstComments.onClick = [this] { lstComments_Click(); };
    lstComments.onKeyUp = [this](int key, int shift) { lstComments_KeyUp(key, shift); };
    lstComments.onDblClick = [this] { lstComments_DblClick(); };
    lstCommentsView.onClick = [this] { lstCommentsView_Click(); };
    lstCommentsView.onKeyUp = [this](int key, int shift) { lstCommentsView_KeyUp(key, shift); };
    lstCommentsView.onDblClick = [this] { lstCommentsView_DblClick(); };
    lstCommentsView.onColumnClick = [this](int position) {
        lstCommentsView_ColumnClick(position);
    };
    tabPODiscussion.onClick = [this] { tabPODiscussion_Click(); };
}

}  // namespace jex
