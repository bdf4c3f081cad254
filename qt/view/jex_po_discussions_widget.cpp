#include "jex_po_discussions_widget.h"

#include <QFocusEvent>
#include <map>

#include "control/jex_po_discussions_xml.h"
#include "platform/dates.h"
#include "platform/event_log.h"
#include "qt_message_box.h"
#include "qt_message_pump.h"
#include "qt_text.h"
#include "renderer_factory.h"
#include "screen_layout.h"
#include "wait_cursor.h"

namespace jex::qt {
namespace {

// The focus reasons that mean the user chose the widget; the others come from code, a window
// being activated or a popup closing.
bool isUsersChoice(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

// Owns the services and the control, one renderer per model widget, and listens to the
// model's changes and the user's focus moves. Watching the focus here, for every native
// widget, keeps the model's lost-focus events in the user's order whatever the widget's kind.
struct JEXPODiscussionsWidget::Impl final : QObject, RenderContext {
    explicit Impl(JEXPODiscussionsWidget& owner)
        : messageBox(&owner),
          control({messageBox, eventLog, clock, messagePump},
                  ControlOptions{.listWidths = defaultListWidths()}) {
        for (ui::Widget* widget : control.screen().widgets()) addRenderer(*widget, owner);
        layOutScreen(owner, [this](std::string_view name) -> QWidget* {
            ui::Widget* widget = control.screen().find(name);
            return widget ? nativeOf(*widget) : nullptr;
        });
        control.screen().setObserver(
            [this](ui::Widget& widget, ui::Change what) { onModelChange(widget, what); });
        control.screen().setPointerObserver(
            [this](MousePointer pointer) { waitCursor.show(pointer); });
        waitCursor.show(control.screen().mousePointer());
    }

    ~Impl() override {
        control.screen().setObserver({});
        control.screen().setPointerObserver({});
    }

    WidgetRenderer* rendererOf(const std::string& modelName) const override {
        ui::Widget* widget = control.screen().find(modelName);
        if (!widget) return nullptr;
        const auto found = renderers.find(widget);
        return found == renderers.end() ? nullptr : found->second.get();
    }

    WidgetRenderer* rendererContaining(const QWidget* widget) const override {
        ui::Widget* model = modelContaining(widget);
        return model ? renderers.at(model).get() : nullptr;
    }

    // The model widget whose native widget is `widget` or holds it, innermost first.
    ui::Widget* modelContaining(const QWidget* widget) const {
        for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
            for (const auto& [model, renderer] : renderers) {
                if (renderer->native() == w) return model;
            }
        }
        return nullptr;
    }

    QWidget* nativeOf(ui::Widget& widget) const {
        const auto found = renderers.find(&widget);
        return found == renderers.end() ? nullptr : found->second->native();
    }

    void addRenderer(ui::Widget& widget, QWidget& owner) {
        QWidget* parent = widget.container() ? nativeOf(*widget.container()) : nullptr;
        auto renderer = makeRenderer(widget, parent ? parent : &owner, *this);
        if (!renderer) return;
        if (widget.kind() != ui::WidgetKind::Frame && widget.kind() != ui::WidgetKind::Menu)
            watchFocus(renderer->native());
        renderers.emplace(&widget, std::move(renderer));
    }

    void watchFocus(QWidget* native) {
        if (!native) return;
        native->installEventFilter(this);
        for (QWidget* part : native->findChildren<QWidget*>()) part->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn || showingFocus) return false;
        if (!isUsersChoice(static_cast<QFocusEvent*>(event)->reason())) return false;
        if (ui::Widget* model = modelContaining(qobject_cast<QWidget*>(watched)))
            model->userFocus();
        return false;
    }

    void onModelChange(ui::Widget& widget, ui::Change what) {
        const auto found = renderers.find(&widget);
        if (found == renderers.end()) return;
        found->second->refresh(what);
        if (what == ui::Change::Focus && widget.hasFocus()) showFocus(found->second->native());
    }

    // The model moved the focus: the native widget takes it without that reading as the
    // user's move.
    void showFocus(QWidget* native) {
        if (!native || native->hasFocus() || showingFocus) return;
        showingFocus = true;
        native->setFocus(Qt::OtherFocusReason);
        showingFocus = false;
    }

    QtMessageBox messageBox;
    SyslogEventLog eventLog;
    SystemClock clock;
    QtMessagePump messagePump;
    WaitCursor waitCursor;
    JEXPODiscussionsXML control;
    std::map<ui::Widget*, std::unique_ptr<WidgetRenderer>> renderers;
    bool showingFocus = false;
};

JEXPODiscussionsWidget::JEXPODiscussionsWidget(QWidget* parent)
    : QWidget(parent), m_impl(std::make_unique<Impl>(*this)) {
    resize(defaultScreenSize());
}

JEXPODiscussionsWidget::~JEXPODiscussionsWidget() = default;

QSize JEXPODiscussionsWidget::sizeHint() const { return defaultScreenSize(); }

void JEXPODiscussionsWidget::setUserName(const QString& userName) {
    m_impl->control.setUserName(toUtf8(userName));
}

void JEXPODiscussionsWidget::setCorporateLevel(bool corporateLevel) {
    m_impl->control.setCorporateLevel(corporateLevel);
}

void JEXPODiscussionsWidget::setViewMode(int viewMode) { m_impl->control.setViewMode(viewMode); }

int JEXPODiscussionsWidget::viewMode() const { return m_impl->control.viewMode(); }

void JEXPODiscussionsWidget::loadData(const QString& serverName, const QString& orderId) {
    m_impl->control.LoadData(toUtf8(serverName), toUtf8(orderId));
}

void JEXPODiscussionsWidget::saveData() { m_impl->control.SaveData(); }

QString JEXPODiscussionsWidget::saveDataToIIS(const QString& recordSeparator) {
    return toQString(m_impl->control.SaveDataToIIS(toUtf8(recordSeparator)));
}

QString JEXPODiscussionsWidget::getDiscussions(const QString& fieldSeparator,
                                               const QString& recordSeparator) {
    return toQString(
        m_impl->control.GetDiscussions(toUtf8(fieldSeparator), toUtf8(recordSeparator)));
}

QString JEXPODiscussionsWidget::getComments(const QString& fieldSeparator,
                                            const QString& recordSeparator) {
    return toQString(m_impl->control.GetComments(toUtf8(fieldSeparator), toUtf8(recordSeparator)));
}

JEXPODiscussionsXML& JEXPODiscussionsWidget::control() { return m_impl->control; }

QWidget* JEXPODiscussionsWidget::nativeWidget(const std::string& modelName) const {
    WidgetRenderer* renderer = m_impl->rendererOf(modelName);
    return renderer ? renderer->native() : nullptr;
}

}  // namespace jex::qt
