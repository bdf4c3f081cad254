#include "screen_layout.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <utility>
#include <vector>

namespace jex::qt {
namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 750;
constexpr int kMargin = 6;
constexpr int kSpacing = 6;
constexpr int kFieldsWidth = 300;
constexpr int kCommandsWidth = 110;
constexpr int kTwipsPerPixel = 15;

// A focus set: its frame, its flags (check box and label), and the follow-up note it owns.
struct FocusSet {
    const char* frame;
    std::vector<std::pair<const char*, const char*>> flags;
    const char* followUpLabel = nullptr;
    const char* followUp = nullptr;
};

// The widgets of one page by their part in it; nullptr where the page has no such part.
struct Page {
    const char* frame;
    const char* issuesHeading;
    const char* issueList;
    const char* group;
    const char* groupPicker;
    const char* type;
    const char* typePicker;
    const char* followUpLabel;
    const char* followUp;
    const char* followUpPicker;
    const char* descriptionLabel;
    const char* description;
    const char* resolutionLabel;
    const char* resolution;
    std::vector<const char*> issueCommands;
    const char* commentsHeading;
    const char* commentList;
    const char* commentTypeLabel;
    const char* commentType;
    const char* commentTypePicker;
    const char* commentDescription;
    std::vector<FocusSet> focusSets;
    std::vector<const char*> commentCommands;
    std::vector<const char*> footer;
};

const Page kEditingPage{
    .frame = "frameIssue",
    .issuesHeading = "Label3(2)",
    .issueList = "lstDiscussions",
    .group = "txtDiscussionGroup",
    .groupPicker = "cboDiscussionGroup",
    .type = "txtDiscussion",
    .typePicker = "cboDiscussionType",
    .followUpLabel = "lblfollowUp(0)",
    .followUp = "txtFollowUp",
    .followUpPicker = "DTPckrFollowUpDate",
    .descriptionLabel = "Label1",
    .description = "txtDiscussionDescription",
    .resolutionLabel = "Label2",
    .resolution = "txtDiscussionResolution",
    .issueCommands = {"cmdAddDiscussion", "cmdEditDiscussion", "cmdCloseDiscussion",
                      "cmdCancelResolution", "cmdDeleteDiscussion"},
    .commentsHeading = "Label3(0)",
    .commentList = "lstComments",
    .commentTypeLabel = "Label4(0)",
    .commentType = "txtCommentType",
    .commentTypePicker = "cboCommentType",
    .commentDescription = "txtCommentDescription",
    .focusSets = {{"Frame4(0)",
                   {{"chkCenterFocus", "lblCenterFocus(1)"}},
                   "lblCenterFollowUp(0)",
                   "txtCenterFollowUp"},
                  {"Frame4(1)",
                   {{"chkCorporateFocus", "lblCorporateFocus(1)"}},
                   "lblCSCfollowUp(0)",
                   "txtCSCFollowUp"},
                  {"Frame4(2)", {{"chkVendorFocus", "lblVendorFocus(1)"}}},
                  {"Frame4(3)",
                   {{"chkBillingFocus", "lblFocusBilling"}, {"chkJEXDFocus", "lblJEXDFocus"}}}},
    .commentCommands = {"cmdAddComment", "cmdCancelComment", "cmdDeleteComment"},
    .footer = {"lblMessage", "lblVersionNumber"},
};

const Page kViewPage{
    .frame = "frameComment",
    .issuesHeading = "Label3(3)",
    .issueList = "lstDiscussionsView",
    .group = "txtDiscussionGroupView",
    .groupPicker = nullptr,
    .type = "txtDiscussionView",
    .typePicker = nullptr,
    .followUpLabel = "lblfollowUp(1)",
    .followUp = "txtFollowUpView",
    .followUpPicker = nullptr,
    .descriptionLabel = "Label5",
    .description = "txtDiscussionDescriptionView",
    .resolutionLabel = "Label6",
    .resolution = "txtDiscussionResolutionView",
    .issueCommands = {},
    .commentsHeading = "Label3(1)",
    .commentList = "lstCommentsView",
    .commentTypeLabel = "Label4(1)",
    .commentType = "txtCommentTypeView",
    .commentTypePicker = nullptr,
    .commentDescription = "txtCommentDescriptionView",
    .focusSets = {{"Frame4(4)",
                   {{"chkCenterFocusView", "lblCenterFocus(0)"}},
                   "lblCenterFollowUp(1)",
                   "txtCenterFollowUpView"},
                  {"Frame4(5)",
                   {{"chkCorporateFocusView", "lblCorporateFocus(0)"}},
                   "lblCSCfollowUp(1)",
                   "txtCSCFollowUpView"},
                  {"Frame4(6)", {{"chkVendorFocusView", "lblVendorFocus(0)"}}},
                  {"Frame4(7)",
                   {{"chkbillingFocusView", "lblBillingFocusView"},
                    {"chkJEXDFocusView", "lblJEXDFocusView"}}}},
    .commentCommands = {},
    .footer = {},
};

// The lists fill what the fixed columns beside them leave.
int listWidth(bool withCommands) {
    const int commands = withCommands ? kSpacing + kCommandsWidth : 0;
    return kWidth - 2 * kMargin - kSpacing - kFieldsWidth - commands;
}

class PageLayout {
  public:
    explicit PageLayout(const NativeOf& native) : m_native(native) {}

    void layOut(const Page& page) {
        QWidget* frame = get(page.frame);
        if (!frame) return;
        auto* column = new QVBoxLayout(frame);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(kSpacing);

        heading(*column, page.issuesHeading);
        auto* issues = new QHBoxLayout;
        column->addLayout(issues, 3);
        add(*issues, page.issueList, 1);
        issues->addWidget(issueFields(page));
        if (!page.issueCommands.empty()) issues->addWidget(commands(page.issueCommands));

        heading(*column, page.commentsHeading);
        auto* comments = new QHBoxLayout;
        column->addLayout(comments, 2);
        add(*comments, page.commentList, 1);
        comments->addWidget(commentFields(page));
        if (!page.commentCommands.empty()) comments->addWidget(commands(page.commentCommands));

        auto* focus = new QHBoxLayout;
        column->addLayout(focus);
        for (const FocusSet& set : page.focusSets) focusSet(*focus, set);

        if (page.footer.empty()) return;
        auto* footer = new QHBoxLayout;
        column->addLayout(footer);
        for (const char* name : page.footer)
            add(*footer, name, name == page.footer.front() ? 1 : 0);
    }

  private:
    QWidget* get(const char* name) const { return name ? m_native(name) : nullptr; }

    void add(QBoxLayout& layout, const char* name, int stretch = 0) {
        if (QWidget* widget = get(name)) layout.addWidget(widget, stretch);
    }

    void add(QGridLayout& grid, const char* name, int row, int column, int columns = 1) {
        if (QWidget* widget = get(name)) grid.addWidget(widget, row, column, 1, columns);
    }

    // A picker lies over the text box it edits, so that either shows in the same place.
    void addPair(QGridLayout& grid, const char* text, const char* picker, int row, int column) {
        add(grid, text, row, column);
        add(grid, picker, row, column);
        if (QWidget* shown = get(picker)) shown->raise();
    }

    void heading(QBoxLayout& layout, const char* name) {
        QWidget* label = get(name);
        if (!label) return;
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        layout.addWidget(label);
    }

    static QWidget* fixedColumn(int width) {
        auto* column = new QWidget;
        column->setFixedWidth(width);
        return column;
    }

    static QGridLayout* gridOn(QWidget* widget) {
        auto* grid = new QGridLayout(widget);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(kSpacing);
        return grid;
    }

    // Group, type and follow-up above the description and the resolution.
    QWidget* issueFields(const Page& page) {
        QWidget* fields = fixedColumn(kFieldsWidth);
        QGridLayout* grid = gridOn(fields);
        grid->addWidget(new QLabel(QObject::tr("Group:")), 0, 0);
        addPair(*grid, page.group, page.groupPicker, 0, 1);
        grid->addWidget(new QLabel(QObject::tr("Issue type:")), 1, 0);
        addPair(*grid, page.type, page.typePicker, 1, 1);
        add(*grid, page.followUpLabel, 2, 0);
        auto* followUp = new QHBoxLayout;
        if (QWidget* text = get(page.followUp)) followUp->addWidget(text, 1);
        if (QWidget* picker = get(page.followUpPicker)) followUp->addWidget(picker, 1);
        grid->addLayout(followUp, 2, 1);
        add(*grid, page.descriptionLabel, 3, 0, 2);
        add(*grid, page.description, 4, 0, 2);
        add(*grid, page.resolutionLabel, 5, 0, 2);
        add(*grid, page.resolution, 6, 0, 2);
        grid->setRowStretch(4, 1);
        grid->setRowStretch(6, 1);
        grid->setColumnStretch(1, 1);
        return fields;
    }

    QWidget* commentFields(const Page& page) {
        QWidget* fields = fixedColumn(kFieldsWidth);
        QGridLayout* grid = gridOn(fields);
        add(*grid, page.commentTypeLabel, 0, 0);
        addPair(*grid, page.commentType, page.commentTypePicker, 0, 1);
        add(*grid, page.commentDescription, 1, 0, 2);
        grid->setRowStretch(1, 1);
        grid->setColumnStretch(1, 1);
        return fields;
    }

    QWidget* commands(const std::vector<const char*>& names) {
        QWidget* buttons = fixedColumn(kCommandsWidth);
        auto* stack = new QVBoxLayout(buttons);
        stack->setContentsMargins(0, 0, 0, 0);
        for (const char* name : names) add(*stack, name);
        stack->addStretch(1);
        return buttons;
    }

    // Each flag's label beside its box; the follow-up note under them.
    void focusSet(QBoxLayout& row, const FocusSet& set) {
        QWidget* frame = get(set.frame);
        if (!frame) return;
        row.addWidget(frame, 1);
        QGridLayout* grid = gridOn(frame);
        grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
        int line = 0;
        for (const auto& [box, label] : set.flags) {
            add(*grid, box, line, 0);
            add(*grid, label, line++, 1);
        }
        add(*grid, set.followUpLabel, line++, 0, 2);
        add(*grid, set.followUp, line++, 0, 2);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(line, 1);
    }

    const NativeOf& m_native;
};

}  // namespace

void layOutScreen(QWidget& root, const NativeOf& native) {
    auto* screen = new QVBoxLayout(&root);
    screen->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    screen->setSpacing(kSpacing);
    if (QWidget* tabs = native("tabPODiscussion")) screen->addWidget(tabs);
    PageLayout pages(native);
    for (const Page* page : {&kEditingPage, &kViewPage}) {
        pages.layOut(*page);
        if (QWidget* frame = native(page->frame)) screen->addWidget(frame, 1);
    }
    root.setMinimumSize(minimumScreenSize());
}

QSize defaultScreenSize() { return {kWidth, kHeight}; }

QSize minimumScreenSize() { return {kFieldsWidth + kCommandsWidth + 360, 560}; }

ListWidths defaultListWidths() {
    const double editing = listWidth(true) * kTwipsPerPixel;
    const double view = listWidth(false) * kTwipsPerPixel;
    return {{"lstDiscussions", editing},
            {"lstComments", editing},
            {"lstDiscussionsView", view},
            {"lstCommentsView", view}};
}

}  // namespace jex::qt
