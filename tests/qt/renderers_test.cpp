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

    void comboBox_showsEntriesOrPlaceholderAndForwardsTheChoice() {
        BareScreen bare;
        ui::ComboBox combo(bare.screen, "combo", nullptr);
        int clicks = 0;
        combo.onClick = [&] { ++clicks; };
        auto* native = qobject_cast<QComboBox*>(bare.show(combo, makeComboBoxRenderer));
        for (const char* item : {"Center", "Accounting", "Freight"}) combo.addItem(item);
        QCOMPARE(native->count(), 3);

        combo.setText("Retired group");
        QCOMPARE(native->currentIndex(), -1);
        QCOMPARE(native->placeholderText(), QString("Retired group"));
        combo.setListIndex(2);
        QCOMPARE(native->currentText(), QString("Freight"));
        QCOMPARE(clicks, 1);  // the code's own Click, no echo

        QTest::keyClick(native, Qt::Key_Up);
        QCOMPARE(combo.listIndex(), 1);
        QCOMPARE(clicks, 2);
        combo.setEnabled(false);
        QVERIFY(!native->isEnabled());
    }

    void checkBox_showsTheModelsValueAfterAClick() {
        BareScreen bare;
        ui::CheckBox box(bare.screen, "box", nullptr);
        auto* native = qobject_cast<QCheckBox*>(bare.show(box, makeCheckBoxRenderer));
        box.setValue(2);
        QCOMPARE(native->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(native, Qt::LeftButton);
        QCOMPARE(box.value(), 0);  // a greyed box clears
        QCOMPARE(native->checkState(), Qt::Unchecked);
        QTest::keyClick(native, Qt::Key_Space);
        QCOMPARE(box.value(), 1);
        QCOMPARE(native->checkState(), Qt::Checked);
    }

    void datePicker_showsTheModelsFormatAndForwardsPickedDays() {
        BareScreen bare;
        ui::DatePicker picker(bare.screen, "picker", nullptr, "MMM, dd yyyy");
        int changes = 0;
        picker.onChange = [&] { ++changes; };
        auto* native = qobject_cast<QDateEdit*>(bare.show(picker, makeDatePickerRenderer));
        QCOMPARE(native->text(), toQString(picker.displayText()));
        picker.setValue(makeDateTime(2026, 12, 19));
        QCOMPARE(native->text(), QString("Dec, 19 2026"));
        QCOMPARE(changes, 0);

        native->setCurrentSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(native, Qt::Key_Down);
        QCOMPARE(toQString(picker.displayText()), QString("Nov, 19 2026"));
        QCOMPARE(changes, 1);
        picker.setCustomFormat("MM/dd/yyyy");
        QCOMPARE(native->text(), QString("11/19/2026"));
    }

    void tabStrip_clicksPickTabsAsTheModelSays() {
        BareScreen bare;
        ui::TabStrip strip(bare.screen, "tabs", nullptr);
        int clicks = 0;
        strip.onClick = [&] { ++clicks; };
        auto* native = qobject_cast<QTabBar*>(bare.show(strip, makeTabStripRenderer));
        strip.add("Issues");
        strip.add("Comments");
        QCOMPARE(native->count(), 2);
        QCOMPARE(native->currentIndex(), 0);

        bare.parent.resize(400, 100);
        bare.parent.show();
        QTest::mouseClick(native, Qt::LeftButton, {}, native->tabRect(1).center());
        QCOMPARE(strip.selectedIndex(), 2);
        QTest::mouseClick(native, Qt::LeftButton, {}, native->tabRect(1).center());
        QCOMPARE(clicks, 2);  // the selected tab clicks too
        strip.clear();
        strip.add("Issues");
        QCOMPARE(native->count(), 1);
        QCOMPARE(native->currentIndex(), 0);
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
