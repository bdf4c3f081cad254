// The whole widget on the demo order PO1001 (issues 001 Center, 002 Accounting, 004
// Miscellaneous), driven through its native widgets as a user drives it: every model widget has
// a place on the screen, and clicks, keys and picks reach the control and come back as what the
// screen shows.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <set>

#include "comments/find_comment.h"
#include "control/jex_po_discussions_xml.h"
#include "jex_po_discussions_widget.h"
#include "modal_answerer.h"
#include "qt_date_format.h"
#include "qt_test_registry.h"
#include "qt_text.h"
#include "support/demo_server.h"
#include "support/list_texts.h"

namespace jex::qt {
namespace {

constexpr int kIssueSequence = 10;  // the issue row's hidden sequence column

void collectLaidOut(const QLayout* layout, QSet<const QWidget*>& found) {
    if (!layout) return;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (const QWidget* widget = item->widget()) {
            found.insert(widget);
            collectLaidOut(widget->layout(), found);
        }
        collectLaidOut(item->layout(), found);
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

}  // namespace

class DiscussionsWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_demo = std::make_unique<test::DemoServer>("qt-widget");
        m_boxes = std::make_unique<test::ModalAnswerer>();
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

    void layout_placesEveryWidgetApartOnBothPages() {
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

    void grab_drawsTheOrderWithItsIssueRows() {
        const QImage image = m_widget->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() >= 8, qPrintable(QString::number(colours.size())));

        const auto* issues = native<QTreeWidget>("lstDiscussions");
        const ui::ListView& list = ui().lstDiscussions;
        QCOMPARE(issues->topLevelItemCount(), list.count());
        QVERIFY(list.count() >= 3);
        for (int row = 0; row < list.count(); ++row) {
            for (int column : {0, 1, 2, kIssueSequence}) {
                QCOMPARE(issues->topLevelItem(row)->text(column),
                         toQString(list.item(row + 1)->column(column)));
            }
        }
        QCOMPARE(native<QLabel>("lblVersionNumber")->text(),
                 toQString(ui().lblVersionNumber.caption()));
    }

    void addIssue_commandsPickersDateAndTypingReachTheControl() {
        const int rows = ui().lstDiscussions.count();
        click("cmdAddDiscussion");
        QCOMPARE(native<QPushButton>("cmdAddDiscussion")->text(), QString("Save"));
        auto* group = native<QComboBox>("cboDiscussionGroup");
        QVERIFY(group->isVisible());
        QCOMPARE(QApplication::focusWidget(), group);

        click("cmdAddDiscussion");  // nothing chosen yet: refused in a message box
        QCOMPARE(m_boxes->shown(), QStringList{"The discussion issue group is required"});
        QCOMPARE(m_boxes->lastIcon(), QMessageBox::Information);
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
        QVERIFY(date->isVisible());
        const QDate proposed = date->date();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Up);
        QCOMPARE(toQDate(ui().DTPckrFollowUpDate.value()), proposed.addDays(1));

        QTest::keyClicks(native<QPlainTextEdit>("txtDiscussionDescription"), "Call the carrier");
        QTest::keyClick(native<QPlainTextEdit>("txtDiscussionDescription"), Qt::Key_Return);
        QCOMPARE(toQString(ui().txtDiscussionDescription.text()), QString("Call the carrier"));

        click("cmdAddDiscussion");
        QCOMPARE(m_boxes->shown().size(), 1);
        QCOMPARE(ui().lstDiscussions.count(), rows + 1);
        QCOMPARE(native<QTreeWidget>("lstDiscussions")->topLevelItemCount(), rows + 1);
        QCOMPARE(native<QPushButton>("cmdAddDiscussion")->text(), QString("Add Issue"));
        QVERIFY(!group->isVisible());
        QCOMPARE(native<QLineEdit>("txtDiscussionGroup")->text(), group->currentText());
        QCOMPARE(native<QLineEdit>("txtFollowUp")->text(),
                 toQString(formatDate(fromQDate(proposed.addDays(1)), DatePattern::Picker)));
    }

    void comments_addedDeletedAndSavedThroughTheWidgets() {
        clickRow("lstDiscussions", kIssueSequence, "002");
        QCOMPARE(toQString(control().state().SelectedIssueSequence), QString("002"));
        const int comments = ui().lstComments.count();
        addComment("Carrier called back", true);
        addComment("Scratch note", false);
        QCOMPARE(ui().lstComments.count(), comments + 2);

        clickRow("lstComments", 0, "Scratch note");
        QVERIFY(native<QPushButton>("cmdDeleteComment")->isEnabled());
        m_boxes->queue(QMessageBox::No);
        click("cmdDeleteComment");
        QCOMPARE(ui().lstComments.count(), comments + 2);
        m_boxes->queue(QMessageBox::Yes);
        click("cmdDeleteComment");
        QCOMPARE(ui().lstComments.count(), comments + 1);
        QCOMPARE(m_boxes->shown().size(), 2);
        QCOMPARE(m_boxes->lastIcon(), QMessageBox::Question);

        m_widget->saveData();
        QCOMPARE(m_boxes->shown().size(), 2);
        QVERIFY(!QApplication::overrideCursor());

        load();
        clickRow("lstDiscussions", kIssueSequence, "002");
        QStringList shown;
        const auto* list = native<QTreeWidget>("lstComments");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            shown << list->topLevelItem(row)->text(0);
        QVERIFY2(shown.contains("Carrier called back"), qPrintable(shown.join('|')));
        QVERIFY(!shown.contains("Scratch note"));
    }

    // Comments 3 and 4 are on issue 002; the fixture's corporate user may move them.
    void drag_ofACommentOntoAnotherIssueMovesItAndAlwaysEnds() {
        clickRow("lstDiscussions", kIssueSequence, "002");
        auto* issues = native<QTreeWidget>("lstDiscussions");
        QWidget& source = *native<QTreeWidget>("lstComments")->viewport();
        const QPoint from = globalCentre("lstComments", 4, "3");
        const QPoint to = globalCentre("lstDiscussions", kIssueSequence, "001");
        sendToGrabber(QEvent::MouseButtonPress, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, to, Qt::LeftButton);
        QVERIFY(QApplication::overrideCursor() != nullptr);
        const QTreeWidgetItem* target = issues->itemAt(issues->viewport()->mapFromGlobal(to));
        QVERIFY(target->background(0).style() != Qt::NoBrush);
        sendToGrabber(QEvent::MouseButtonRelease, source, to, Qt::NoButton);

        QCOMPARE(test::columnOf(ui().lstComments, 4), std::vector<std::string>{"4"});
        RecordTable& comments = *control().state().CommentTable;
        QVERIFY(findComment(comments, "3"));
        QVERIFY(comments.field("DiscussionSequence") == Value("001"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(target->background(0).style(), Qt::NoBrush);

        // Released over no list, the drag still ends.
        sendToGrabber(QEvent::MouseButtonPress, source, from, Qt::LeftButton);
        sendToGrabber(QEvent::MouseMove, source, from, Qt::LeftButton);
        QVERIFY(ui().dragSource() != nullptr);
        sendToGrabber(QEvent::MouseButtonRelease, source, m_widget->mapToGlobal(QPoint(-50, -50)),
                      Qt::NoButton);
        QCOMPARE(ui().dragSource(), nullptr);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(m_boxes->shown().isEmpty());
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

    void load() { m_widget->loadData(QString::fromStdString(m_demo->url + "/"), "PO1001"); }

    void click(const char* name) { QTest::mouseClick(nativeOf(name), Qt::LeftButton); }

    void clickRow(const char* list, int column, const std::string& text) {
        QWidget* viewport = native<QTreeWidget>(list)->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {},
                          viewport->mapFromGlobal(globalCentre(list, column, text)));
    }

    // The screen point at the centre of the row holding `text` in `column`.
    QPoint globalCentre(const char* list, int column, const std::string& text) {
        auto* tree = native<QTreeWidget>(list);
        const int index = test::indexOf(static_cast<ui::ListView&>(*ui().find(list)), column, text);
        const QRect row = tree->visualItemRect(tree->topLevelItem(index - 1));
        return tree->viewport()->mapToGlobal(row.center());
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
    std::unique_ptr<test::ModalAnswerer> m_boxes;
    std::unique_ptr<JEXPODiscussionsWidget> m_widget;
};

JEX_QT_TEST(DiscussionsWidgetTest);

}  // namespace jex::qt

#include "discussions_widget_test.moc"
