// The list and popup menu renderers on a bare screen: what they draw of the model, and the
// user's mouse and keys reaching the model only through its user-input API. A drag between
// lists is on the whole widget's road.
#include "list_view_renderer.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "platform/widgets/screen.h"
#include "popup_menu_renderer.h"
#include "qt_test_registry.h"
#include "support/list_texts.h"

namespace jex::qt {
namespace {

// Lets queued work (the popup's opening and dismissal, a list's rows following the model) run.
void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QStringList nativeColumn(const QTreeWidget& tree, int column) {
    settle();
    QStringList texts;
    for (int row = 0; row < tree.topLevelItemCount(); ++row)
        texts << tree.topLevelItem(row)->text(column);
    return texts;
}

QList<bool> highlightedRows(const QTreeWidget& tree) {
    settle();
    QList<bool> rows;
    for (int row = 0; row < tree.topLevelItemCount(); ++row)
        rows << (tree.topLevelItem(row)->background(0).style() != Qt::NoBrush);
    return rows;
}

// The viewport point at the centre of row `index` (1-based); 0: the empty space below the rows.
QPoint rowPoint(const QTreeWidget& tree, int index) {
    settle();
    if (index == 0) return QPoint(10, tree.viewport()->height() - 5);
    return tree.visualItemRect(tree.topLevelItem(index - 1)).center();
}

// A bare screen's renderers need nothing of a view: no drag reaches another list there.
struct NoContext : RenderContext {
    WidgetRenderer* rendererOf(const std::string&) const override { return nullptr; }
    WidgetRenderer* rendererContaining(const QWidget*) const override { return nullptr; }
};

// A list of three rows and three columns (the middle one hidden) and a popup menu of three
// priorities, every event of both written to a log with the selection it sees.
struct BareScreen {
    BareScreen() {
        list.addColumn("Name", 1500);
        list.addColumn("Key", 0);
        list.addColumn("Note", 3000);
        for (const std::string name : {"a", "b", "c"}) {
            ui::ListItemRef item = list.add(name);
            item->setSubItem(1, "key " + name);
            item->setSubItem(2, "note " + name);
        }
        menu.load(2);
        menu.setCaption(2, "Medium");
        menu.load(3);
        menu.setCaption(3, "Low");
        menu.setChecked(2, true);
        logEvents();
        listRenderer = makeListViewRenderer(list, &root, context);
        menuRenderer = makePopupMenuRenderer(menu, &root, context);
        screen.setObserver([this](ui::Widget& widget, ui::Change what) {
            (&widget == &list ? listRenderer : menuRenderer)->refresh(what);
        });
        tree().setGeometry(0, 0, 400, 300);
        root.resize(400, 300);
        root.show();
    }

    void logEvents() {
        const auto selected = [this] {
            return QString::fromStdString(jex::test::selectedColumn(list, 0));
        };
        const auto mouse = [this, selected](const QString& what) {
            return [this, what, selected](int button, int, double, double) {
                log << what + QString::number(button) + " " + selected();
            };
        };
        list.onMouseDown = mouse("MouseDown");
        list.onMouseUp = mouse("MouseUp");
        list.onClick = [this, selected] { log << "Click " + selected(); };
        list.onDblClick = [this] { log << "DblClick"; };
        list.onKeyDown = [this](int key, int) { log << "KeyDown " + QString::number(key); };
        list.onColumnClick = [this](int p) { log << "ColumnClick " + QString::number(p); };
        menu.onClick = [this](int index) { log << "Menu " + QString::number(index); };
    }

    QTreeWidget& tree() { return *qobject_cast<QTreeWidget*>(listRenderer->native()); }
    QMenu* shownMenu() { return qobject_cast<QMenu*>(menuRenderer->native()); }

    ui::Screen screen;
    ui::ListView list{screen, "list", nullptr, 9000};
    ui::PopupMenu menu{screen, "menu", "Priority", "menuItem", 1, "High"};
    NoContext context;
    QWidget root;
    std::unique_ptr<WidgetRenderer> listRenderer;
    std::unique_ptr<WidgetRenderer> menuRenderer;
    QStringList log;
};

}  // namespace

class ListViewRendererTest : public QObject {
    Q_OBJECT

  private slots:
    void listRenderer_drawsColumnsRowsAndEachChangeOfTheModel() {
        BareScreen s;
        QTreeWidget& t = s.tree();
        QCOMPARE(t.columnCount(), 3);
        QCOMPARE(t.headerItem()->text(2), "Note");
        QCOMPARE(t.columnWidth(0), 100);  // 15 twips a pixel
        QVERIFY(t.isColumnHidden(1));
        QCOMPARE(nativeColumn(t, 1), (QStringList{"key a", "key b", "key c"}));
        QCOMPARE(t.currentItem(), t.topLevelItem(0));  // the first row added is selected

        s.list.item(2)->setSubItem(2, "edited");
        s.list.setSelectedItem(s.list.item(3));
        QCOMPARE(nativeColumn(t, 2), (QStringList{"note a", "edited", "note c"}));
        QCOMPARE(t.selectedItems(), QList<QTreeWidgetItem*>{t.topLevelItem(2)});

        s.list.setSortKey(2);
        s.list.setSortOrder(1);
        QCOMPARE(nativeColumn(t, 0), (QStringList{"c", "a", "b"}));
        QCOMPARE(t.header()->sortIndicatorSection(), 2);
        QCOMPARE(t.header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(t.currentItem(), t.topLevelItem(0));  // the selection follows its row

        s.list.setDropHighlight(s.list.item(2));
        QCOMPARE(highlightedRows(t), (QList<bool>{false, true, false}));
        s.list.remove(1);
        QCOMPARE(nativeColumn(t, 0), (QStringList{"a", "b"}));
        QCOMPARE(highlightedRows(t), (QList<bool>{true, false}));  // moves with its row
        QVERIFY(t.selectedItems().isEmpty());                      // the selected row went
        s.list.setDropHighlight(nullptr);
        QCOMPARE(highlightedRows(t), (QList<bool>{false, false}));
    }

    void listRenderer_sendsMouseKeysAndHeaderClicksThroughTheModel() {
        BareScreen s;
        QTreeWidget& t = s.tree();
        QWidget* viewport = t.viewport();
        const auto click = [&](Qt::MouseButton button, int index) {
            return [=, &t] { QTest::mouseClick(viewport, button, {}, rowPoint(t, index)); };
        };
        const auto key = [&t](Qt::Key k) { return [k, &t] { QTest::keyClick(&t, k); }; };
        struct Case {
            QString name;
            std::function<void()> act;
            QStringList log;
            int selectedRow;  // 1-based, in the model and on the screen alike
        };
        const Case cases[] = {
            {"left click", click(Qt::LeftButton, 2), {"MouseDown1 b", "MouseUp1 b", "Click b"}, 2},
            {"right click", click(Qt::RightButton, 3), {"MouseDown2 c", "MouseUp2 c"}, 3},
            {"below the rows",
             click(Qt::LeftButton, 0),
             {"MouseDown1 c", "MouseUp1 c", "Click c"},
             3},
            {"pressed on a row, released on another",
             [&] {
                 QTest::mousePress(viewport, Qt::LeftButton, {}, rowPoint(t, 1));
                 QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowPoint(t, 2));
             },
             {"MouseDown1 a", "MouseUp1 a"},
             1},
            {"double click",
             [&] {
                 QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(t, 2));
                 QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowPoint(t, 2));
                 QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowPoint(t, 2));
             },
             {"MouseDown1 b", "MouseUp1 b", "Click b", "MouseDown1 b", "MouseUp1 b", "Click b",
              "DblClick"},
             2},
            {"End", key(Qt::Key_End), {"KeyDown 35"}, 3},
            {"a letter", key(Qt::Key_C), {"KeyDown 67"}, 3},
            {"header of the third column",
             [&] {
                 QHeaderView& header = *t.header();
                 const QPoint point(header.sectionViewportPosition(2) + 5, header.height() / 2);
                 QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, point);
             },
             {"ColumnClick 3"},
             3},
        };
        for (const Case& c : cases) {
            s.log.clear();
            c.act();
            const auto outcome = [&c](const QStringList& log, int row) {
                return QStringList{c.name} << log << "row " + QString::number(row);
            };
            const ui::ListItemRef selected = s.list.selectedItem();
            QCOMPARE(outcome(s.log, selected ? selected->index() : 0),
                     outcome(c.log, c.selectedRow));
            QCOMPARE(t.selectedItems(), QList{t.topLevelItem(c.selectedRow - 1)});
        }
        QVERIFY(!t.header()->isSortIndicatorShown());  // only the model sorts
    }

    void popupRenderer_opensAfterTheProcedureAndReportsThePickOrDismissal() {
        BareScreen s;
        s.menu.popup(0, 0);
        QCOMPARE(s.shownMenu(), nullptr);  // the procedure that opened it goes on first
        settle();
        QMenu* shown = s.shownMenu();
        QVERIFY(shown != nullptr);
        QStringList captions;
        for (QAction* action : shown->actions())
            captions << action->text() + (action->isChecked() ? " *" : "");
        QCOMPARE(captions, (QStringList{"High", "Medium *", "Low"}));
        shown->actions()[2]->trigger();
        settle();
        QCOMPARE(s.log, QStringList{"Menu 3"});
        QVERIFY(!s.menu.isOpen());
        QCOMPARE(s.shownMenu(), nullptr);

        const std::function<void(QMenu&)> closers[] = {
            [](QMenu& m) { m.hide(); },              // the user escapes
            [&s](QMenu&) { s.menu.userDismiss(); },  // the control closes it
        };
        for (const auto& close : closers) {
            s.menu.popup(0, 0);
            settle();
            QVERIFY(s.shownMenu() != nullptr);
            close(*s.shownMenu());
            settle();
            QVERIFY(!s.menu.isOpen());
            QCOMPARE(s.shownMenu(), nullptr);
        }
        QCOMPARE(s.log, QStringList{"Menu 3"});  // nothing else picked
    }
};

JEX_QT_TEST(ListViewRendererTest);

}  // namespace jex::qt

#include "list_view_renderer_test.moc"
