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
    lstCommentsView.onColumnClick = [this](int position) { lstCommentsView_ColumnClick(position); };
    tabPODiscussion.onClick = [this] { tabPODiscussion_Click(); };

    cmdAddDiscussion.onClick = [this] { cmdAddDiscussion_Click(); };
    cmdEditDiscussion.onClick = [this] { cmdEditDiscussion_Click(); };
    cmdCloseDiscussion.onClick = [this] { cmdCloseDiscussion_Click(); };
    cmdCancelResolution.onClick = [this] { cmdCancelResolution_Click(); };
    cmdDeleteDiscussion.onClick = [this] { cmdDeleteDiscussion_Click(); };
    txtDiscussionDescription.onKeyPress = [this](int& key) {
        txtDiscussionDescription_KeyPress(key);
    };
    txtDiscussionResolution.onKeyPress = [this](int& key) {
        txtDiscussionResolution_KeyPress(key);
    };
    cboDiscussionGroup.onLostFocus = [this] { cboDiscussionGroup_LostFocus(); };
    lstDiscussions.onMouseUp = [this](int button, int shift, double x, double y) {
        lstDiscussions_MouseUp(button, shift, x, y);
    };
    mnuPriority.onClick = [this](int index) { mnuPriorityMenu_Click(index); };

    cmdAddComment.onClick = [this] { cmdAddComment_Click(); };
    cmdCancelComment.onClick = [this] { cmdCancelComment_Click(); };
    cmdDeleteComment.onClick = [this] { cmdDeleteComment_Click(); };
    txtCommentDescription.onKeyPress = [this](int& key) { txtCommentDescription_KeyPress(key); };
    lstComments.onMouseDown = [this](int button, int shift, double x, double y) {
        lstComments_MouseDown(button, shift, x, y);
    };
    lstComments.onMouseMove = [this](int button, int shift, double x, double y) {
        lstComments_MouseMove(button, shift, x, y);
    };
    lstDiscussions.onDragOver = [this](ui::Widget& source, double x, double y, int state) {
        lstDiscussions_DragOver(source, x, y, state);
    };
    lstDiscussions.onDragDrop = [this](ui::Widget& source, double x, double y) {
        lstDiscussions_DragDrop(source, x, y);
    };

    Inet1.onStateChanged = [this](int16_t state) { Inet1_StateChanged(state); };
}

}  // namespace jex
