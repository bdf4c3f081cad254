#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/discussion_screen.h"
#include "control/error_trap.h"
#include "data/record_table.h"
#include "platform/dates.h"
#include "platform/event_log.h"
#include "platform/inet_transfer.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/value.h"
#include "platform/version.h"
#include "platform/xml_document.h"
#include "save/save_marks.h"
#include "save/sent_new_rows.h"

namespace jex {

// The values of ViewMode. The control tests only for ViewMode; the other two behave alike.
enum class Mode : int16_t { AddMode = 0, UpdateMode = 1, ViewMode = 2 };

// What the host's platform gives the control: all replaceable, so tests fix the clock and
// answer the message boxes.
struct ControlServices {
    MessageBoxService& messageBox;
    EventLog& eventLog;
    Clock& clock;
    MessagePump& messagePump;
};

struct ControlOptions {
    ListWidths listWidths;
    LibraryVersion version = libraryVersion();
};

// A lookup list: entries of three text columns, in document order.
using LookupEntry = std::array<std::string, 3>;
using LookupList = std::vector<LookupEntry>;

// The control's state, under the names its procedures use.
struct ControlState {
    std::string ServerName;
    std::string OrderID;
    std::string UserName;
    std::string CurrentUserName;
    std::string CurrentPersonID;
    int16_t CurrentPersonType = 0;
    bool CorporateLevel = false;
    int16_t ViewMode = 0;
    int16_t NextIssueSequence = 0;
    int16_t NextCommentSequence = 0;
    std::string SelectedIssueSequence;
    std::string SelectedCommentSequence;
    std::unique_ptr<XmlDocument> DiscussionDocument;
    std::unique_ptr<RecordTable> DiscussionTable;
    std::unique_ptr<RecordTable> CommentTable;
    LookupList DiscussionGroupList;
    LookupList DiscussionTypeList;
    bool IsNewIssue = false;
    bool IsNewComment = false;
    ui::ListItemRef DraggedComment;
    bool DraggingComment = false;
};

// The discussion control of one purchase order. Created by its host (start-up runs in the
// constructor), driven through the members below and through its screen's user-input API,
// released by destruction (tear-down). Errors of the property procedures return to the host as
// Error; every other procedure reports its own errors and never lets one reach the host.
class JEXPODiscussionsXML : private ControlState, private DiscussionScreen {
  public:
    explicit JEXPODiscussionsXML(ControlServices services, ControlOptions options = {});
    ~JEXPODiscussionsXML();

    // Properties. Each raises Error to the host on failure, keeping what was stored before it.
    // Whether the user may resolve, edit and move comments of any issue, not only the
    // center-group ones; read at the next click or load.
    void setCorporateLevel(bool pbNewCorporateLevel);
    // 2 (ViewMode) withholds every editing command from the next load or click on; any other
    // value edits. Raises Overflow (6) outside 16 bits.
    void setViewMode(int32_t pmViewMode);
    int32_t viewMode() const { return ViewMode; }
    // "name|person id|person type": who enters and resolves what is edited from now on. Raises
    // Subscript out of range (9) for fewer than three parts, Type mismatch (13) or Overflow (6)
    // for a type that is no 16-bit number; the parts before the failing one stay stored.
    void setUserName(const std::string& ptNewUserName);

    // Methods of the automation interface. Apart from the properties, none raises to the host:
    // a failure is shown through the error reporter (a message box and the event log) and the
    // method returns what it has (an empty text, Empty).
    // The four lookup loaders fill a picker (or the priority menu) from their section of the
    // loaded document; LoadData calls them in this order. With no document loaded they report
    // error 91.
    void DiscussionTypes();
    void CommentTypes();
    void DiscussionGroups();
    // Replace the issue (comment) table and lists with the loaded document's records, in
    // document order; an order with no issue gets the placeholder issue. A record the table
    // cannot hold is reported and ends the load, keeping the rows read before it.
    void LetDiscussions();
    void LetComments();
    // The issues (comments) the next save would write, fields joined by the first separator and
    // each record ended by the second; "" when none, or before any load.
    std::string GetDiscussions(const std::string& ptFieldSeparator,
                               const std::string& ptRecordSeparator);
    std::string GetComments(const std::string& ptFieldSeparator,
                            const std::string& ptRecordSeparator);
    void DiscussionPriorities();
    // Posts every change since the last save to the server page as SQL batches and waits for
    // the answer, pumping the host's messages. Shows the page's answer when it says anything;
    // rows the server did not store stay marked for the next save, and stored new rows take
    // the numbers the database gave them. A call during a save runs after it.
    void SaveData();
    // The batches SaveData would post, each ended by the separator; marks nothing as sent.
    std::string SaveDataToIIS(const std::string& ptRecordSeparator);
    // Loads the order's discussion from "<server>/PODiscussion.asp?OrderID=<order>" and shows
    // it, the first issue selected. A transfer or document that fails is reported once by each
    // loader, and none of the previous order's issues and comments stays.
    void LoadData(const std::string& ptServerName, const std::string& ptOrderID);
    // The text form-encoded as the save's fields are, byte by byte from the Windows-1252 form.
    std::string urlEncode(const std::string& theData);
    // The text split into rows (each ended by the row separator), then columns, as a 0-based
    // two-dimensional array as wide as the first row; Empty for a text of blanks. No row
    // separator, or a row too short, is Subscript out of range (9), reported.
    Value StringToArray(const std::string& ptData, const std::string& ptColumnSeparator,
                        const std::string& ptRowSeparator);

    // The surface a view draws and feeds user input into.
    DiscussionScreen& screen() { return *this; }
    const DiscussionScreen& screen() const { return *this; }
    // Read access for hosts and tests.
    const ControlState& state() const { return *this; }

  private:
    // Error reporting.
    void ReportError(const Error& error, std::string_view procedure);
    template <class Body, class OnTrap>
    void trap(std::string_view procedure, Body&& body, OnTrap&& onTrap) {
        runTrapped([this](const Error& e, std::string_view p) { ReportError(e, p); }, procedure,
                   body, onTrap);
    }
    template <class Body>
    void trap(std::string_view procedure, Body&& body) {
        trap(procedure, body, [] {});
    }

    // View mode withholds the editing commands; the other modes behave alike.
    bool inViewMode() const { return ViewMode == static_cast<int16_t>(Mode::ViewMode); }

    // Start-up and tear-down.
    void UserControl_Initialize();
    void UserControl_Terminate();
    void addListColumns();
    void wireEvents();

    // Document loading.
    // Where the discussion document holds the order's issues and comments.
    static constexpr int kIssueSection = 4;
    static constexpr int kCommentSection = 5;
    // Reads every record of section `position` into `table`, in document order.
    void readSection(RecordTable& table, int position);
    XmlElement section(int position) const;
    // Where the discussion document of the order is loaded from.
    std::string discussionAddress();

    // Lookup lists.
    void DisplayDiscussionTypes();
    int16_t GroupIndex(const std::string& description);
    int16_t TypeIndex(const std::string& description, bool issueTypes);
    int16_t PriorityIndex(const std::string& caption);
    void cboDiscussionGroup_Click();

    // Issue lists.
    void DisplayDiscussions();
    void DisplayDiscussionsView(const std::string& issueSequence);
    std::string DiscussionGroupDescription(int16_t typeCode);
    std::string DiscussionTypeDescription(int16_t typeCode);
    // Appends the current DiscussionTable row to `list` in the issue row layout.
    ui::ListItemRef addIssueRow(ui::ListView& list);
    void lstDiscussions_Click();
    void lstDiscussions_KeyUp(int keyCode, int shift);
    void lstDiscussions_ColumnClick(int position);

    // Placeholder issue.
    void SetDefaultIssue();
    std::string NewIssueSequence();

    // Comment lists.
    void DisplayComments();
    void DisplayCommentsViews(const std::string& commentSequence);
    // Appends the current CommentTable row to `list` in the comment row layout.
    ui::ListItemRef addCommentRow(ui::ListView& list);
    void lstComments_Click();
    void lstComments_KeyUp(int keyCode, int shift);
    void lstComments_DblClick();
    void lstCommentsView_Click();
    void lstCommentsView_KeyUp(int keyCode, int shift);
    void lstCommentsView_DblClick();
    void lstCommentsView_ColumnClick(int position);

    // Issue editing and the pickers.
    void cmdAddDiscussion_Click();
    void cmdEditDiscussion_Click();
    void cmdCloseDiscussion_Click();
    void cmdCancelResolution_Click();
    void cmdDeleteDiscussion_Click();
    void txtDiscussionDescription_KeyPress(int& keyAscii);
    void txtDiscussionResolution_KeyPress(int& keyAscii);
    void cboDiscussionGroup_LostFocus();
    void lstDiscussions_MouseUp(int button, int shift, double x, double y);
    void mnuPriorityMenu_Click(int index);

    // Comment editing and drag and drop.
    void cmdAddComment_Click();
    void cmdCancelComment_Click();
    void cmdDeleteComment_Click();
    void txtCommentDescription_KeyPress(int& keyAscii);
    std::string NewCommentSequence();
    void lstComments_MouseDown(int button, int shift, double x, double y);
    void lstComments_MouseMove(int button, int shift, double x, double y);
    void lstDiscussions_DragOver(ui::Widget& source, double x, double y, int state);
    void lstDiscussions_DragDrop(ui::Widget& source, double x, double y);

    // Tabs and screen modes.
    void SetTabIndex(bool secondTabWanted);
    void ReinititateControls();
    void tabPODiscussion_Click();

    // Saving.
    std::optional<std::vector<std::string>> FormatData();
    // One save of the marked rows: SaveData without its guard against a second save.
    void saveMarkedRows();
    // After a save that went through, reads the order again: the row loaders reload from it,
    // and every new row the save sent takes the sequence the database stored it under, in the
    // tables, the lists of both tabs and the selection; nothing else on the screen changes.
    // Reports its own errors; the rows then keep their texts.
    void NumberSavedRows(const SentNewRows& sent);
    void numberNewRows(const XmlDocument& document, const SentNewRows& sent);
    void refreshCommands();
    // Lets the host process its pending window messages, the transfer's state changes included.
    void DoEvents();
    void Inet1_StateChanged(int16_t State);
    // The answer's body, read in chunks with the host's messages processed in between.
    std::string readAnswer();
    // The transfer of SaveData, and the rows its request in flight carries.
    InetTransfer Inet1;
    SaveMarks m_sentMarks;
    SentNewRows m_sentNewRows;
    // The loads so far: rows sent before a load are not the rows the tables hold after it.
    uint64_t m_loads = 0;
    uint64_t m_sentLoad = 0;
    bool m_saving = false;
    bool m_saveAgain = false;

    ControlServices m_services;
    LibraryVersion m_version;
    bool m_terminated = false;
};

}  // namespace jex
