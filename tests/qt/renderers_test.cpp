// The renderers of the simple widgets on a bare screen model, and the view's small pieces: what
// the user does reaches the model only through its user-input API, and what the model says
// shows without echoing back.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QtTest>
#include <memory>

#include "check_box_renderer.h"
#include "combo_box_renderer.h"
#include "date_picker_renderer.h"
#include "modal_answerer.h"
#include "platform/widgets/screen.h"
#include "qt_date_format.h"
#include "qt_message_box.h"
#include "qt_test_registry.h"
#include "qt_text.h"
#include "tab_strip_renderer.h"
#include "text_box_renderer.h"
#include "text_positions.h"
#include "wait_cursor.h"

namespace jex::qt {
namespace {

using test::ModalAnswerer;

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
        QVERIFY(edit);
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
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                           QString::fromUtf8("\xC3\xA9"));
        QApplication::sendEvent(edit, &accented);
        expect("\xC3\xA9", QString::fromUtf8("\xC3\xA9"), 1);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        expect("", "", 0);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("\xC3\xA9"));

        edit->insertPlainText("zz");  // a road the key filter never sees
        expect("zz", "zz", 2);

        box.setLocked(true);
        QVERIFY(edit->isReadOnly());
        const int before = keys;
        QTest::keyClicks(edit, "q");
        expect("zz", "zz", 2);
        QCOMPARE(keys, before + 1);  // a locked box still sees the key

        box.setText("0123456789ab");  // from code the limit does not bind
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
        QCOMPARE(toModelPosition(text, 99, true), 6);
        QCOMPARE(characterCount(text), 6);
        QCOMPARE(toNativeText(text, true).size(), 6);
    }

    void dateFormat_showsWhatTheModelShows() {
        const DateTime t = makeDateTime(2026, 12, 5, 14, 7, 9);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QDateTime shown(toQDate(t), QTime(14, 7, 9));
        for (const char* format : {"MMM, dd yyyy", "MM/dd/yyyy", "dddd, MMMM d, yy",
                                   "'Due on' d/M/yyyy", "hh:mm:ss tt", "yyyy zA H:m:s"}) {
            QCOMPARE(english.toString(shown, toQtDateFormat(format)),
                     toQString(formatCustom(t, format)));
        }
        QCOMPARE(fromQDate(toQDate(t)), dateOnly(t));
    }

    // Each simple widget shows what its model holds, and a user's pick reaches the model once,
    // with no echo of the model's own change.
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
        QCOMPARE(clicks, 1);

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
        QCOMPARE(clicks, 2);  // the selected tab clicks too
        tabs.clear();
        tabs.add("Issues");
        QCOMPARE(nativeTabs->count(), 1);
    }

    void messageBox_answersWithTheButtonClicked() {
        ModalAnswerer answerer;
        QWidget parent;
        QtMessageBox service(&parent);
        QApplication::setApplicationDisplayName("Discussions");
        const MessageBoxRequest request{.text = "Delete?\r\nReally?",
                                        .buttons = MsgButtons::YesNoCancel,
                                        .icon = MsgIcon::Question,
                                        .title = "",
                                        .defaultButton = 2};
        QCOMPARE(service.show(request), MsgResult::No);  // the default button
        answerer.queue(QMessageBox::Yes);
        QCOMPARE(service.show(request), MsgResult::Yes);
        answerer.queue(QMessageBox::Cancel);
        QCOMPARE(service.show(request), MsgResult::Cancel);
        QCOMPARE(answerer.shown().value(0), QString("Delete?\nReally?"));
        QCOMPARE(answerer.lastTitle(), QString("Discussions"));
        QCOMPARE(answerer.lastIcon(), QMessageBox::Question);
        answerer.queue(QMessageBox::Retry);
        QCOMPARE(service.show({.text = "Again?",
                               .buttons = MsgButtons::RetryCancel,
                               .icon = MsgIcon::None,
                               .title = "Saving",
                               .defaultButton = 1}),
                 MsgResult::Retry);
        QCOMPARE(answerer.lastTitle(), QString("Saving"));
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

JEX_QT_TEST(RenderersTest);

}  // namespace jex::qt

#include "renderers_test.moc"
