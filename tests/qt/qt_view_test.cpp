// The Qt view. The whole widget on the demo order PO1001 (issues 001 Center, 002 Accounting,
// 004 Miscellaneous) is driven through its native widgets as a user drives it: clicks, keys,
// picks and drags reach the control, and every list draws exactly what its model holds. The
// pieces that road cannot reach (caret arithmetic, formats, boxes) run on a bare screen model.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>
#include <deque>
#include <memory>
#include <set>

#include "check_box_renderer.h"
#include "combo_box_renderer.h"
#include "comments/find_comment.h"
#include "control/jex_po_discussions_xml.h"
#include "date_picker_renderer.h"
#include "jex_po_discussions_widget.h"
#include "platform/widgets/screen.h"
#include "qt_date_format.h"
#include "qt_message_box.h"
#include "qt_text.h"
#include "support/demo_server.h"
#include "support/list_texts.h"
#include "tab_strip_renderer.h"
#include "text_box_renderer.h"
#include "text_positions.h"
#include "wait_cursor.h"

namespace jex::qt {
namespace {

// Answers the message boxes a test raises, so that a modal box never hangs a run: every box is
// recorded and clicked with the next queued button, or with its default button.
class ModalAnswerer {
  public:
    ModalAnswerer() {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }
    void queue(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    QStringList shown;  // every box's text, in order
    QString lastTitle;
    QMessageBox::Icon lastIcon = QMessageBox::NoIcon;

  private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        shown << box->text();
        lastTitle = box->windowTitle();
        lastIcon = box->icon();
        QAbstractButton* button = box->defaultButton();
        if (!m_answers.empty()) button = box->button(m_answers.front());
        if (!m_answers.empty()) m_answers.pop_front();
        (button ? button : box->buttons().value(0))->click();
    }

    QTimer m_timer;
    std::deque<QMessageBox::StandardButton> m_answers;
};

// A screen model whose every change reaches the one renderer under test.
struct BareScreen {
    template <class Model>
    QWidget* show(Model& model, std::unique_ptr<WidgetRenderer> (*make)(Model&, QWidget*)) {
        renderer = make(model, &parent);
        screen.setObserver([this](ui::Widget&, ui::Change what) { renderer->refresh(what); });
        return renderer->native();
    }
    ui::Screen screen;
    QWidget parent;
    std::unique_ptr<WidgetRenderer> renderer;
};

void collectLaidOut(const QLayout* layout, QSet<const QWidget*>& found) {
    for (int i = 0; layout && i < layout->count(); ++i) {
        if (const QWidget* widget = layout->itemAt(i)->widget()) {
            found.insert(widget);
            collectLaidOut(widget->layout(), found);
        }
        collectLaidOut(layout->itemAt(i)->layout(), found);
    }
}

// A picker lies over the text box it edits; no other two widgets may share a spot.
bool mayOverlap(const std::string& a, const std::string& b) {
    static const std::set<std::pair<std::string, std::string>> pairs = {
        {"cboDiscussionGroup", "txtDiscussionGroup"},
        {"cboDiscussionType", "txtDiscussion"},
        {"cboCommentType", "txtCommentType"}};
    return pairs.count({a, b}) != 0 || pairs.count({b, a}) != 0;
}

constexpr int kIssueSequence = 10;  // the issue row's hidden sequence column

}  // namespace

class RenderersTest : public QObject {
    Q_OBJECT

  private slots:
    void textBox_keysBecomeModelEditsAtTheCaret() {
        BareScreen bare;
        ui::TextBox box(bare.screen, "box", nullptr,
                        {.multiLine = true, .verticalScrollBar = true, .maxLength = 8});
        int keys = 0;
        box.onKeyPress = [&](int&) { ++keys; };
        auto* edit = qobject_cast<QPlainTextEdit*>(bare.show(box, makeTextBoxRenderer));
        const auto expect = [&](const char* model, const QString& shown, int caret) {
            QCOMPARE(toQString(box.text()), QString::fromUtf8(model));
            QCOMPARE(edit->toPlainText(), shown);
            QCOMPARE(edit->textCursor().position(), caret);
        };
        QTest::keyClicks(edit, "abcd");
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClicks(edit, "X");
        expect("abXcd", "abXcd", 3);
        QTest::keyClick(edit, Qt::Key_Return);
        expect("abX\r\ncd", "abX\ncd", 4);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        expect("abXd", "abXd", 3);
        QApplication::clipboard()->setText("123456789");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        expect("abX1234d", "abX1234d", 7);  // the limit stops the paste
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, {}, QString::fromUtf8("\xC3\xA9"));
        QApplication::sendEvent(edit, &accented);
        expect("\xC3\xA9", QString::fromUtf8("\xC3\xA9"), 1);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        expect("", "", 0);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("\xC3\xA9"));
        edit->insertPlainText("zz");  // a road the key filter never sees
        expect("zz", "zz", 2);

        box.setLocked(true);
        const int before = keys;
        QTest::keyClicks(edit, "q");
        expect("zz", "zz", 2);
        QVERIFY(edit->isReadOnly() && keys == before + 1);  // a locked box still sees the key
        box.setText("0123456789ab");                        // from code the limit does not bind
        QCOMPARE(edit->toPlainText(), QString("0123456789ab"));
    }

    void textPositions_countCharactersOnOneSideAndUnitsOnTheOther() {
        const std::string text =
            "a\r\nb\xF0\x9F\x98\x80"
            "c";  // a, line break, b, U+1F600, c
        struct Case {
            bool multiLine;
            int characters, units;
        };
        for (const Case c : {Case{true, 3, 2}, Case{true, 5, 5}, Case{true, 6, 6},
                             Case{false, 3, 3}, Case{false, 5, 6}, Case{false, 6, 7}}) {
            QCOMPARE(toNativePosition(text, c.characters, c.multiLine), c.units);
            QCOMPARE(toModelPosition(text, c.units, c.multiLine), c.characters);
        }
        QCOMPARE(characterCount(text), 6);
        QCOMPARE(toNativeText(text, true).size(), 6);
    }

    void dateFormat_showsWhatTheModelShows() {
        const DateTime t = makeDateTime(2026, 1, 5, 14, 7, 9);  // one-digit month and day
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QDateTime shown(toQDate(t), QTime(14, 7, 9));
        for (const char* format : {"MMM, dd yyyy", "MM/dd/yyyy", "dddd, MMMM d, yy",
                                   "'Due on' d/M/yyyy", "hh:mm:ss tt", "yyyy zA H:m:s"}) {
            QCOMPARE(english.toString(shown, toQtDateFormat(format)),
                     toQString(formatCustom(t, format)));
        }
        QCOMPARE(fromQDate(toQDate(t)), dateOnly(t));
    }

    // What the road's widgets never show: a retired entry, a greyed box, a custom format, a
    // rebuilt tab strip. A user's pick reaches the model once, with no echo of its change.
    void simpleRenderers_showTheModelAndForwardTheUser() {
        BareScreen comboScreen, checkScreen, dateScreen, tabScreen;
        ui::ComboBox combo(comboScreen.screen, "combo", nullptr);
        ui::CheckBox check(checkScreen.screen, "check", nullptr);
        ui::DatePicker date(dateScreen.screen, "date", nullptr, "MMM, dd yyyy");
        ui::TabStrip tabs(tabScreen.screen, "tabs", nullptr);
        int clicks = 0;
        combo.onClick = tabs.onClick = [&] { ++clicks; };
        auto* nativeCombo = qobject_cast<QComboBox*>(comboScreen.show(combo, makeComboBoxRenderer));
        auto* nativeCheck = qobject_cast<QCheckBox*>(checkScreen.show(check, makeCheckBoxRenderer));
        auto* nativeDate = qobject_cast<QDateEdit*>(dateScreen.show(date, makeDatePickerRenderer));
        auto* nativeTabs = qobject_cast<QTabBar*>(tabScreen.show(tabs, makeTabStripRenderer));

        for (const char* item : {"Center", "Accounting"}) combo.addItem(item);
        combo.setText("Retired group");
        QCOMPARE(nativeCombo->placeholderText(), QString("Retired group"));
        QTest::keyClick(nativeCombo, Qt::Key_Down);
        QCOMPARE(combo.listIndex(), 0);
        check.setValue(2);
        QCOMPARE(nativeCheck->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(nativeCheck, Qt::LeftButton);
        QCOMPARE(nativeCheck->checkState(), Qt::Unchecked);  // as the model clears it
        date.setValue(makeDateTime(2026, 12, 19));
        date.setCustomFormat("MM/dd/yyyy");
        QCOMPARE(nativeDate->text(), QString("12/19/2026"));
        tabs.add("Issues");
        tabs.add("Comments");
        tabScreen.parent.resize(400, 100);
        tabScreen.parent.show();
        QTest::mouseClick(nativeTabs, Qt::LeftButton, {}, nativeTabs->tabRect(0).center());
        QCOMPARE(clicks, 2);  // the pick once, and the selected tab too
        tabs.clear();
        tabs.add("Issues");
        QCOMPARE(nativeTabs->count(), 1);
    }

    void messageBox_answersWithTheButtonClicked() {
        ModalAnswerer answerer;
        QWidget parent;
        QtMessageBox service(&parent);
        QApplication::setApplicationDisplayName("Discussions");
        const MessageBoxRequest request{"Delete?\r\nReally?", MsgButtons::YesNoCancel,
                                        MsgIcon::Question, "", 2};
        QCOMPARE(service.show(request), MsgResult::No);  // the default button
        for (auto [button, result] : {std::pair{QMessageBox::Yes, MsgResult::Yes},
                                      std::pair{QMessageBox::Cancel, MsgResult::Cancel}}) {
            answerer.queue(button);
            QCOMPARE(service.show(request), result);
        }
        QCOMPARE(answerer.shown.value(0), QString("Delete?\nReally?"));
        QCOMPARE(answerer.lastTitle, QString("Discussions"));
        QCOMPARE(answerer.lastIcon, QMessageBox::Question);
        answerer.queue(QMessageBox::Retry);
        QCOMPARE(service.show({"Again?", MsgButtons::RetryCancel, MsgIcon::None, "Saving", 1}),
                 MsgResult::Retry);
        QCOMPARE(answerer.lastTitle, QString("Saving"));
    }

    void waitCursor_neverLeavesACursorPushed() {
        {
            WaitCursor cursor;
            cursor.show(MousePointer::Hourglass);
            cursor.show(MousePointer::Hourglass);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            cursor.show(MousePointer::Default);
            QVERIFY(!QApplication::overrideCursor());
            cursor.show(MousePointer::Hourglass);
        }
        QVERIFY(!QApplication::overrideCursor());
    }
};

class DiscussionsWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_demo = std::make_unique<test::DemoServer>("qt-widget");
        m_boxes = std::make_unique<ModalAnswerer>();
        m_widget = std::make_unique<JEXPODiscussionsWidget>();
        m_widget->setUserName("Clerk Kent|77|1");
        m_widget->setCorporateLevel(true);
        load();
        m_widget->show();
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget.get()));
    }

    void cleanup() {
        m_widget.reset();
        m_boxes.reset();
        m_demo.reset();
    }

    // The order is drawn, its issue rows as the model holds them, and every widget is laid out
    // apart on both pages.
    void layout_drawsTheOrderAndPlacesEveryWidgetApartOnBothPages() {
        const QImage image = m_widget->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
            QSet<const QWidget*> laidOut;
            collectLaidOut(m_widget->layout(), laidOut);
            for (ui::Widget* widget : ui().widgets()) {
                if (widget->kind() == ui::WidgetKind::Menu) continue;
                QVERIFY2(laidOut.contains(m_widget->nativeWidget(widget->name())),
                         widget->name().c_str());
            }
            QCOMPARE(overlaps(), QString());
            tabs()->setCurrentIndex(1);
            QVERIFY(nativeOf("frameComment")->isVisible() && !nativeOf("frameIssue")->isVisible());
            QCOMPARE(ui().tabPODiscussion.selectedIndex(), 2);
            QCOMPARE(overlaps(), QString());
            QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(0).center());
            QVERIFY(nativeOf("frameIssue")->isVisible() && !nativeOf("frameComment")->isVisible());
        }

        QVERIFY2(colours.size() >= 8, qPrintable(QString::number(colours.size())));
        QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));
        QCOMPARE(native<QLabel>("lblVersionNumber")->text(),
                 toQString(ui().lblVersionNumber.caption()));
    }

    // Keys, a header click and a right-click on the issue list reach the control, as do the
    // commands, pickers, date and typing of a new issue; the list follows, and the priority
    // popup picks or goes away.
    void issueList_keysHeaderNewIssueAndPriorityMenu() {
        auto* issues = native<QTreeWidget>("lstDiscussions");
        QWidget* viewport = issues->viewport();
        const auto at = [&](const std::string& sequence) {
            return viewport->mapFromGlobal(
                globalCentre("lstDiscussions", kIssueSequence, sequence));
        };
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at("002"));
        // Pressed on one row and released on another: the press selects, nothing clicks.
        QTest::mousePress(viewport, Qt::LeftButton, {}, at("001"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at("004"));
        QCOMPARE(toQString(control().state().SelectedIssueSequence), QString("002"));
        QTest::keyClick(issues, Qt::Key_Up);
        QCOMPARE(toQString(control().state().SelectedIssueSequence), QString("001"));
        QTest::keyClick(issues, Qt::Key_End);
        QCOMPARE(ui().lstDiscussions.selectedItem()->index(), ui().lstDiscussions.count());
        QHeaderView& header = *issues->header();
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                              QPoint(header.sectionViewportPosition(1) + 5, header.height() / 2));
            QCOMPARE(ui().lstDiscussions.sortKey(), 1);
            QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));
        }
        QCOMPARE(ui().lstDiscussions.sortOrder(), 1);
        QVERIFY(header.isSortIndicatorShown());

        const int rows = ui().lstDiscussions.count();
        click("cmdAddDiscussion");
        QCOMPARE(native<QPushButton>("cmdAddDiscussion")->text(), QString("Save"));
        auto* group = native<QComboBox>("cboDiscussionGroup");
        QCOMPARE(QApplication::focusWidget(), group);

        click("cmdAddDiscussion");  // nothing chosen yet: refused in a message box
        QCOMPARE(m_boxes->shown, QStringList{"The discussion issue group is required"});
        QCOMPARE(m_boxes->lastIcon, QMessageBox::Information);
        // The window's focus: the offscreen platform never gives the window back its
        // activation after a modal box.
        QCOMPARE(m_widget->focusWidget(), group);

        for (int i = 0; i < 3; ++i) QTest::keyClick(group, Qt::Key_Down);
        QCOMPARE(ui().cboDiscussionGroup.listIndex(), 2);
        auto* type = native<QComboBox>("cboDiscussionType");
        QCOMPARE(type->count(), ui().cboDiscussionType.listCount());
        QTest::keyClick(type, Qt::Key_Down);
        QCOMPARE(ui().cboDiscussionType.listIndex(), 0);

        auto* date = native<QDateEdit>("DTPckrFollowUpDate");
        const QDate proposed = date->date();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Up);
        QCOMPARE(toQDate(ui().DTPckrFollowUpDate.value()), proposed.addDays(1));

        QTest::keyClicks(native<QPlainTextEdit>("txtDiscussionDescription"), "Call the carrier");
        QTest::keyClick(native<QPlainTextEdit>("txtDiscussionDescription"), Qt::Key_Return);
        QCOMPARE(toQString(ui().txtDiscussionDescription.text()), QString("Call the carrier"));

        click("cmdAddDiscussion");
        QCOMPARE(ui().lstDiscussions.count(), rows + 1);
        QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));

        const std::string added = test::selectedColumn(ui().lstDiscussions, kIssueSequence);
        const QPoint row = at(added);
        const auto rightClick = [&] {
            QTest::mouseClick(viewport, Qt::RightButton, {}, row);
            for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
            return qobject_cast<QMenu*>(m_widget->nativeWidget("mnuPriority"));
        };
        QMenu* menu = rightClick();
        QVERIFY(menu && ui().mnuPriority.isOpen());
        QStringList captions;
        for (QAction* action : menu->actions())
            captions << action->text() + (action->isChecked() ? " *" : "");
        QCOMPARE(captions.filter(" *").size(), 1);
        menu->actions().last()->trigger();
        QCOMPARE(toQString(test::selectedColumn(ui().lstDiscussions, 3)),
                 menu->actions().last()->text());
        // Opened again before the picked menu's queued dismissal runs, which must not close it.
        menu = rightClick();
        QVERIFY(menu && ui().mnuPriority.isOpen());
        menu->hide();  // the user escapes
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        QVERIFY(!ui().mnuPriority.isOpen() && !m_widget->nativeWidget("mnuPriority"));
        QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));

        // The control has no use for an issue's double-click or left releases; counted here.
        int releases = 0, doubleClicks = 0;
        ui().lstDiscussions.onMouseUp = [&](int, int, double, double) { ++releases; };
        ui().lstDiscussions.onDblClick = [&] { ++doubleClicks; };
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at("001"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at("001"));
        QCOMPARE(releases, 1);  // the double-click's own click; the release ending it is part of it
        QCOMPARE(doubleClicks, 1);
        std::vector<int> keys;  // nor for its KeyDown: letters and function keys have codes too
        ui().lstDiscussions.onKeyDown = [&](int key, int) { keys.push_back(key); };
        QTest::keyClick(issues, Qt::Key_C);
        QTest::keyClick(issues, Qt::Key_F2);
        QCOMPARE(keys, (std::vector<int>{67, 113}));
    }

    void comments_addedEditedDeletedAndSavedThroughTheWidgets() {
        clickRow("lstDiscussions", kIssueSequence, "002");
        const int comments = ui().lstComments.count();
        addComment("Carrier called back", true);
        addComment("Scratch note", false);
        QCOMPARE(drawn("lstComments"), modelled("lstComments"));

        QWidget* viewport = native<QTreeWidget>("lstComments")->viewport();
        const QPoint row = viewport->mapFromGlobal(globalCentre("lstComments", 0, "Scratch note"));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, row);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, row);  // edits the comment
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, row);
        QCOMPARE(native<QPushButton>("cmdAddComment")->text(), QString("Save"));
        click("cmdCancelComment");

        clickRow("lstComments", 0, "Scratch note");
        m_boxes->queue(QMessageBox::Yes);
        click("cmdDeleteComment");
        QCOMPARE(ui().lstComments.count(), comments + 1);
        ui().lstComments.setSelectedItem(nullptr);  // no selection draws none
        QCOMPARE(drawn("lstComments"), modelled("lstComments"));
        QCOMPARE(m_boxes->shown.size(), 1);

        m_widget->saveData();
        QCOMPARE(m_boxes->shown.size(), 1);
        QVERIFY(!QApplication::overrideCursor());

        load();
        clickRow("lstDiscussions", kIssueSequence, "002");
        const QString shown = drawn("lstComments").join('\n');
        QVERIFY2(shown.contains("|Carrier called back|") && !shown.contains("Scratch note"),
                 qPrintable(shown));
    }

    // Comments 3 and 4 are on issue 002; the fixture's corporate user may move them.
    void drag_ofACommentOntoAnotherIssueMovesItAndAlwaysEnds() {
        clickRow("lstDiscussions", kIssueSequence, "002");
        QWidget& source = *native<QTreeWidget>("lstComments")->viewport();
        const QPoint from = globalCentre("lstComments", 4, "3");
        const QPoint to = globalCentre("lstDiscussions", kIssueSequence, "001");
        sendToGrabber(QEvent::MouseButtonPress, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, to, Qt::LeftButton);
        QVERIFY(QApplication::overrideCursor() != nullptr);
        QVERIFY(ui().lstDiscussions.dropHighlight() != nullptr);
        QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));
        sendToGrabber(QEvent::MouseButtonRelease, source, to, Qt::NoButton);

        QCOMPARE(test::columnOf(ui().lstComments, 4), std::vector<std::string>{"4"});
        RecordTable& comments = *control().state().CommentTable;
        QVERIFY(findComment(comments, "3") && comments.field("DiscussionSequence") == Value("001"));
        QCOMPARE(drawn("lstDiscussions"), modelled("lstDiscussions"));

        // Released over no list, the drag still ends.
        sendToGrabber(QEvent::MouseButtonPress, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, from, Qt::LeftButton);
        QVERIFY(ui().dragSource() != nullptr);
        sendToGrabber(QEvent::MouseButtonRelease, source, m_widget->mapToGlobal(QPoint(-50, -50)),
                      Qt::NoButton);
        QCOMPARE(ui().dragSource(), nullptr);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(m_boxes->shown.isEmpty());
    }

  private:
    DiscussionScreen& ui() { return m_widget->control().screen(); }
    JEXPODiscussionsXML& control() { return m_widget->control(); }
    // Lists follow the model once queued work has run, as they do between a user's actions.
    QWidget* nativeOf(const char* name) {
        QCoreApplication::processEvents();
        return m_widget->nativeWidget(name);
    }
    template <class T>
    T* native(const char* name) {
        T* widget = qobject_cast<T*>(nativeOf(name));
        if (!widget) qFatal("no native %s of the expected kind", name);
        return widget;
    }
    QTabBar* tabs() { return native<QTabBar>("tabPODiscussion"); }
    ui::ListView& list(const char* name) { return static_cast<ui::ListView&>(*ui().find(name)); }

    void load() { m_widget->loadData(QString::fromStdString(m_demo->url + "/"), "PO1001"); }
    void click(const char* name) { QTest::mouseClick(nativeOf(name), Qt::LeftButton); }
    void clickRow(const char* list, int column, const std::string& text) {
        QWidget* viewport = native<QTreeWidget>(list)->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {},
                          viewport->mapFromGlobal(globalCentre(list, column, text)));
    }

    // The screen point at the centre of the row holding `text` in `column`.
    QPoint globalCentre(const char* name, int column, const std::string& text) {
        auto* tree = native<QTreeWidget>(name);
        const QRect row =
            tree->visualItemRect(tree->topLevelItem(test::indexOf(list(name), column, text) - 1));
        return tree->viewport()->mapToGlobal(row.center());
    }

    // A list as drawn: its columns' captions, widths (15 twips a pixel) or hiding, and sort
    // indicator, then each row's cells marked "*" when selected and "!" when drop-highlighted.
    // modelled() writes what the model holds the same way.
    QStringList drawn(const char* name) {
        auto* tree = native<QTreeWidget>(name);
        QStringList lines;
        for (int c = 0; c < tree->columnCount(); ++c) {
            lines << tree->headerItem()->text(c) + " " +
                         (tree->isColumnHidden(c) ? "-" : QString::number(tree->columnWidth(c)));
        }
        lines << QString::number(tree->header()->sortIndicatorSection()) + "/" +
                     QString::number(tree->header()->sortIndicatorOrder());
        for (int r = 0; r < tree->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* item = tree->topLevelItem(r);
            QString row = QString(item == tree->currentItem() ? "*" : "") +
                          (item->background(0).style() != Qt::NoBrush ? "!" : "");
            for (int c = 0; c < tree->columnCount(); ++c) row += "|" + item->text(c);
            lines << row;
        }
        return lines;
    }
    QStringList modelled(const char* name) {
        const ui::ListView& model = list(name);
        QStringList lines;
        for (const ui::ColumnHeader& column : model.columns()) {
            lines << toQString(column.caption) + " " +
                         (column.width == 0 ? "-" : QString::number(qRound(column.width / 15)));
        }
        lines << QString::number(model.sortKey()) + "/" + QString::number(model.sortOrder());
        for (const ui::ListItemRef& item : model.items()) {
            QString row = QString(item == model.selectedItem() ? "*" : "") +
                          (item == model.dropHighlight() ? "!" : "");
            for (int c = 0; c < model.columnCount(); ++c) row += "|" + toQString(item->column(c));
            lines << row;
        }
        return lines;
    }

    // A mouse event as the window system delivers it to the list holding the pointer's grab.
    static void sendToGrabber(QEvent::Type type, QWidget& grabber, QPoint global,
                              Qt::MouseButtons held) {
        QMouseEvent event(type, grabber.mapFromGlobal(global), global, Qt::LeftButton, held, {});
        QApplication::sendEvent(&grabber, &event);
    }

    void addComment(const char* description, bool centerFocus) {
        click("cmdAddComment");
        auto* type = native<QComboBox>("cboCommentType");
        QCOMPARE(QApplication::focusWidget(), type);
        QTest::keyClick(type, Qt::Key_Down);
        if (centerFocus) click("chkCenterFocus");
        QCOMPARE(ui().chkCenterFocus.value(), centerFocus ? 1 : 0);
        QTest::keyClicks(native<QPlainTextEdit>("txtCommentDescription"), description);
        click("cmdAddComment");
        QCOMPARE(native<QPushButton>("cmdAddComment")->text(), QString("Add Comment"));
    }

    // The shown widgets (frames aside) that stick out of the screen or share a spot.
    QString overlaps() {
        std::vector<std::pair<std::string, QRect>> shown;
        for (ui::Widget* widget : ui().widgets()) {
            QWidget* native = nativeOf(widget->name().c_str());
            if (widget->kind() == ui::WidgetKind::Frame || !native || !native->isVisible())
                continue;
            shown.emplace_back(widget->name(),
                               QRect(native->mapTo(m_widget.get(), QPoint()), native->size()));
        }
        QStringList found;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (!m_widget->rect().contains(shown[i].second)) found << toQString(shown[i].first);
            for (size_t j = i + 1; j < shown.size(); ++j) {
                if (shown[i].second.intersects(shown[j].second) &&
                    !mayOverlap(shown[i].first, shown[j].first))
                    found << toQString(shown[i].first + "/" + shown[j].first);
            }
        }
        return found.join(' ');
    }

    std::unique_ptr<test::DemoServer> m_demo;
    std::unique_ptr<ModalAnswerer> m_boxes;
    std::unique_ptr<JEXPODiscussionsWidget> m_widget;
};

}  // namespace jex::qt

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    jex::qt::RenderersTest renderers;
    jex::qt::DiscussionsWidgetTest widget;
    return QTest::qExec(&renderers, argc, argv) | QTest::qExec(&widget, argc, argv) ? 1 : 0;
}

#include "qt_view_test.moc"
