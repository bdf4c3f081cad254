#include "list_view_renderer.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/widgets/screen.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

constexpr double kTwipsPerPixel = 15;

int buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return ui::kLeftButton;
        case Qt::RightButton:
            return ui::kRightButton;
        case Qt::MiddleButton:
            return ui::kMiddleButton;
        default:
            return 0;
    }
}

int buttonsOf(Qt::MouseButtons buttons) {
    int mask = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & b) mask |= buttonOf(b);
    }
    return mask;
}

int shiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? ui::kShiftMask : 0) |
           (modifiers & Qt::ControlModifier ? ui::kCtrlMask : 0) |
           (modifiers & Qt::AltModifier ? ui::kAltMask : 0);
}

// Qt keys with a classic virtual key code other than their own number.
constexpr std::pair<int, int> kVirtualKeys[] = {
    {Qt::Key_Backspace, ui::kKeyBack},
    {Qt::Key_Tab, 9},
    {Qt::Key_Return, ui::kKeyReturn},
    {Qt::Key_Enter, ui::kKeyReturn},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, ui::kKeyEnd},
    {Qt::Key_Home, ui::kKeyHome},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, ui::kKeyUp},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, ui::kKeyDown},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
};

// The classic virtual key code of a Qt key, as the control's key handlers read them; 0 for a
// key that has none.
int virtualKeyOf(int key) {
    // Qt numbers letters and digits by their capital ASCII codes, as the virtual codes do.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    for (const auto& [qtKey, code] : kVirtualKeys) {
        if (qtKey == key) return code;
    }
    return 0;
}

class ListViewRenderer;

// The native list: draws rows and hands every mouse and key event to its renderer instead of
// acting on it, so that the selection only ever moves in the model.
class ListTree : public QTreeWidget {
  public:
    ListTree(ListViewRenderer& renderer, QWidget* parent)
        : QTreeWidget(parent), m_renderer(renderer) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ListViewRenderer& m_renderer;
};

class ListViewRenderer final : public WidgetRenderer {
  public:
    ListViewRenderer(ui::ListView& list, QWidget* parent, RenderContext& context);
    ~ListViewRenderer() override {
        showDragCursor(false);
        delete m_tree.data();
    }

    QWidget* native() const override { return m_tree; }
    void refresh(ui::Change what) override;
    // Brings rows, selection and drop highlight in step with the model now, before input that
    // maps points to rows.
    void syncPending();

    // Input from the native list.
    void press(const QMouseEvent& event);
    void release(const QMouseEvent& event);
    void move(const QMouseEvent& event);
    void doubleClick(const QMouseEvent& event);
    // False when the key has no code the model knows.
    bool pressKey(const QKeyEvent& event);

    // This list as the target of a drag from any list, the pointer at `global`.
    void dragOver(QPointF global);
    void drop(QPointF global);

  private:
    void queueRowSync();
    void syncColumns();
    void syncRows();
    void syncSelection();
    void syncSortIndicator();
    void syncDropHighlight();
    void paintRow(int row, const QBrush& brush);

    // The model's 1-based index of the row under a viewport point; 0 for empty space.
    int indexAt(QPoint point) const;
    // The model's vertical position for a viewport point: the centre of the row under it.
    double modelY(QPoint point) const;
    bool isDragSource() const { return m_list.screen().dragSource() == &m_list; }
    ListViewRenderer* listUnder(QPointF global) const;
    void dragTo(QPointF global);
    void finishDrag(QPointF global);
    void showDragCursor(bool shown);

    ui::ListView& m_list;
    RenderContext& m_context;
    QPointer<ListTree> m_tree;
    // The texts the rows show, so that a change redraws only the cells that differ.
    std::vector<std::vector<std::string>> m_shown;
    int m_highlightedRow = -1;  // 0-based, -1: none
    bool m_sorted = false;
    bool m_rowsOutOfDate = false;
    std::optional<int> m_leftPressIndex;  // where the left button went down, for the click
    bool m_swallowRelease = false;        // the release ending a double-click
    bool m_dragCursor = false;
};

ListViewRenderer::ListViewRenderer(ui::ListView& list, QWidget* parent, RenderContext& context)
    : m_list(list), m_context(context), m_tree(new ListTree(*this, parent)) {
    m_tree->setObjectName(toQString(list.name()));
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSortingEnabled(false);  // the model sorts
    m_tree->setMouseTracking(true);
    m_tree->viewport()->setMouseTracking(true);
    QHeaderView* header = m_tree->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    QObject::connect(header, &QHeaderView::sectionClicked, m_tree,
                     [this](int section) { m_list.userClickColumnHeader(section + 1); });
    // A clickable header flips its own indicator; the model's sort is the one to show.
    QObject::connect(header, &QHeaderView::sortIndicatorChanged, m_tree,
                     [this] { syncSortIndicator(); });
    for (ui::Change what :
         {ui::Change::Columns, ui::Change::Enabled, ui::Change::Visible, ui::Change::Focus}) {
        refresh(what);
    }
}

void ListViewRenderer::refresh(ui::Change what) {
    const QSignalBlocker blockTree(m_tree);
    const QSignalBlocker blockHeader(m_tree->header());
    const QSignalBlocker blockSelection(m_tree->selectionModel());
    switch (what) {
        case ui::Change::Columns:
            syncColumns();
            queueRowSync();
            break;
        case ui::Change::Items:
            queueRowSync();
            break;
        case ui::Change::Sort:
            m_sorted = true;
            syncSortIndicator();
            queueRowSync();
            break;
        case ui::Change::Selection:
            if (!m_rowsOutOfDate) syncSelection();
            break;
        case ui::Change::DropHighlight:
            if (!m_rowsOutOfDate) syncDropHighlight();
            break;
        case ui::Change::Enabled:
            m_tree->setEnabled(m_list.enabled());
            break;
        case ui::Change::Visible:
            m_tree->setVisible(m_list.visible());
            break;
        case ui::Change::Focus:
            if (m_list.hasFocus() && !m_tree->hasFocus()) m_tree->setFocus(Qt::OtherFocusReason);
            break;
        default:
            break;
    }
}

// The model notifies once per item and sub-item it changes; syncing rows on each would make
// filling a list quadratic, so the rows follow once the control's procedure has returned.
void ListViewRenderer::queueRowSync() {
    if (m_rowsOutOfDate) return;
    m_rowsOutOfDate = true;
    QMetaObject::invokeMethod(
        m_tree, [this] { syncPending(); }, Qt::QueuedConnection);
}

void ListViewRenderer::syncPending() {
    if (!m_rowsOutOfDate) return;
    m_rowsOutOfDate = false;
    const QSignalBlocker blockTree(m_tree);
    const QSignalBlocker blockSelection(m_tree->selectionModel());
    syncRows();
    syncSelection();
    syncDropHighlight();
}

// New columns redraw every row from scratch.
void ListViewRenderer::syncColumns() {
    m_tree->clear();
    m_shown.clear();
    m_highlightedRow = -1;
    const auto& columns = m_list.columns();
    m_tree->setColumnCount(std::max<int>(1, static_cast<int>(columns.size())));
    QStringList captions;
    for (const ui::ColumnHeader& column : columns) captions << toQString(column.caption);
    m_tree->setHeaderLabels(captions);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const double width = columns[static_cast<size_t>(c)].width;
        m_tree->setColumnHidden(c, width == 0);
        if (width != 0)
            m_tree->setColumnWidth(c, static_cast<int>(std::lround(width / kTwipsPerPixel)));
    }
    syncSortIndicator();
}

void ListViewRenderer::syncRows() {
    const int columns = m_tree->columnCount();
    const int count = m_list.count();
    while (m_tree->topLevelItemCount() > count)
        delete m_tree->takeTopLevelItem(m_tree->topLevelItemCount() - 1);
    QList<QTreeWidgetItem*> added;
    for (int row = m_tree->topLevelItemCount(); row < count; ++row) added << new QTreeWidgetItem();
    m_tree->addTopLevelItems(added);
    m_shown.resize(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        const ui::ListItem& item = *m_list.items()[static_cast<size_t>(row)];
        std::vector<std::string>& shown = m_shown[static_cast<size_t>(row)];
        if (shown.size() != static_cast<size_t>(columns))
            shown.assign(static_cast<size_t>(columns), {});
        QTreeWidgetItem* native = m_tree->topLevelItem(row);
        for (int c = 0; c < columns; ++c) {
            std::string text = item.column(c);
            if (shown[static_cast<size_t>(c)] == text) continue;
            native->setText(c, toQString(text));
            shown[static_cast<size_t>(c)] = std::move(text);
        }
    }
}

void ListViewRenderer::syncSelection() {
    const ui::ListItemRef selected = m_list.selectedItem();
    QTreeWidgetItem* row = selected ? m_tree->topLevelItem(selected->index() - 1) : nullptr;
    if (row == nullptr) {
        m_tree->selectionModel()->clear();
        return;
    }
    m_tree->setCurrentItem(row);
    m_tree->scrollToItem(row);
}

void ListViewRenderer::syncSortIndicator() {
    const QSignalBlocker blockHeader(m_tree->header());
    m_tree->header()->setSortIndicatorShown(m_sorted);
    m_tree->header()->setSortIndicator(
        m_list.sortKey(), m_list.sortOrder() == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ListViewRenderer::syncDropHighlight() {
    paintRow(m_highlightedRow, QBrush());
    const ui::ListItemRef target = m_list.dropHighlight();
    m_highlightedRow = target ? target->index() - 1 : -1;
    QColor colour = m_tree->palette().color(QPalette::Highlight);
    colour.setAlpha(96);
    paintRow(m_highlightedRow, QBrush(colour));
}

void ListViewRenderer::paintRow(int row, const QBrush& brush) {
    QTreeWidgetItem* native = row >= 0 ? m_tree->topLevelItem(row) : nullptr;
    if (native == nullptr) return;
    for (int c = 0; c < m_tree->columnCount(); ++c) native->setBackground(c, brush);
}

int ListViewRenderer::indexAt(QPoint point) const {
    const QModelIndex index = m_tree->indexAt(point);
    return index.isValid() ? index.row() + 1 : 0;
}

double ListViewRenderer::modelY(QPoint point) const {
    if (point.y() < 0) return 0;  // over the column headers
    const int index = indexAt(point);
    return ui::ListView::rowCentre(index == 0 ? m_list.count() + 1 : index);
}

void ListViewRenderer::press(const QMouseEvent& event) {
    const int button = buttonOf(event.button());
    if (button == 0) return;
    const QPoint point = event.position().toPoint();
    if (button == ui::kLeftButton) m_leftPressIndex = indexAt(point);
    m_swallowRelease = false;
    m_list.userMouseDown(button, shiftOf(event.modifiers()), point.x() * kTwipsPerPixel,
                         modelY(point));
}

void ListViewRenderer::release(const QMouseEvent& event) {
    const int button = buttonOf(event.button());
    if (button == 0) return;
    if (button == ui::kLeftButton && isDragSource()) {
        m_leftPressIndex.reset();
        finishDrag(event.globalPosition());
        return;
    }
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    const QPoint point = event.position().toPoint();
    m_list.userMouseUp(button, shiftOf(event.modifiers()), point.x() * kTwipsPerPixel,
                       modelY(point));
    if (button != ui::kLeftButton) return;
    const bool sameSpot = m_leftPressIndex == indexAt(point);
    m_leftPressIndex.reset();
    if (sameSpot) m_list.userClick();
}

void ListViewRenderer::move(const QMouseEvent& event) {
    const bool leftHeld = (event.buttons() & Qt::LeftButton) != 0;
    if (!isDragSource()) {
        const QPoint point = event.position().toPoint();
        m_list.userMouseMove(buttonsOf(event.buttons()), shiftOf(event.modifiers()),
                             point.x() * kTwipsPerPixel, modelY(point));
    }
    if (leftHeld && isDragSource()) dragTo(event.globalPosition());
}

// The model's double-click road repeats the click before DblClick, and the release that ends
// the gesture is part of it.
void ListViewRenderer::doubleClick(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        press(event);
        return;
    }
    m_swallowRelease = true;
    m_leftPressIndex.reset();
    m_list.userDoubleClickItem(indexAt(event.position().toPoint()));
}

bool ListViewRenderer::pressKey(const QKeyEvent& event) {
    const int code = virtualKeyOf(event.key());
    if (code == 0) return false;
    m_list.userPressKey(code, shiftOf(event.modifiers()));
    return true;
}

void ListViewRenderer::dragOver(QPointF global) {
    syncPending();
    const QPoint point = m_tree->viewport()->mapFromGlobal(global).toPoint();
    m_list.userDragOver(point.x() * kTwipsPerPixel, modelY(point));
}

void ListViewRenderer::drop(QPointF global) {
    syncPending();
    const QPoint point = m_tree->viewport()->mapFromGlobal(global).toPoint();
    m_list.userDrop(point.x() * kTwipsPerPixel, modelY(point));
}

ListViewRenderer* ListViewRenderer::listUnder(QPointF global) const {
    const QWidget* under = QApplication::widgetAt(global.toPoint());
    if (under == nullptr) return nullptr;
    return dynamic_cast<ListViewRenderer*>(m_context.rendererContaining(under));
}

void ListViewRenderer::dragTo(QPointF global) {
    showDragCursor(true);
    if (ListViewRenderer* target = listUnder(global)) target->dragOver(global);
}

// Released over no list, the drag is dropped nowhere: it ends so none stays open.
void ListViewRenderer::finishDrag(QPointF global) {
    showDragCursor(false);
    if (ListViewRenderer* target = listUnder(global)) {
        target->drop(global);
        return;
    }
    m_list.screen().endDrag();
}

void ListViewRenderer::showDragCursor(bool shown) {
    if (shown == m_dragCursor) return;
    m_dragCursor = shown;
    if (shown) {
        QApplication::setOverrideCursor(Qt::DragMoveCursor);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void ListTree::mousePressEvent(QMouseEvent* event) {
    m_renderer.syncPending();
    m_renderer.press(*event);
}

void ListTree::mouseReleaseEvent(QMouseEvent* event) {
    m_renderer.syncPending();
    m_renderer.release(*event);
}

void ListTree::mouseMoveEvent(QMouseEvent* event) {
    m_renderer.syncPending();
    m_renderer.move(*event);
}

void ListTree::mouseDoubleClickEvent(QMouseEvent* event) {
    m_renderer.syncPending();
    m_renderer.doubleClick(*event);
}

void ListTree::keyPressEvent(QKeyEvent* event) {
    m_renderer.syncPending();
    if (!m_renderer.pressKey(*event)) event->ignore();
}

}  // namespace

std::unique_ptr<WidgetRenderer> makeListViewRenderer(ui::ListView& list, QWidget* parent,
                                                     RenderContext& context) {
    return std::make_unique<ListViewRenderer>(list, parent, context);
}

}  // namespace jex::qt
