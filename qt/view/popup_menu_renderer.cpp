#include "popup_menu_renderer.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include "qt_text.h"

namespace jex::qt {
namespace {

class PopupMenuRenderer final : public WidgetRenderer {
  public:
    PopupMenuRenderer(ui::PopupMenu& menu, QWidget* parent);
    ~PopupMenuRenderer() override { delete m_native.data(); }

    // The menu only while it shows.
    QWidget* native() const override {
        return m_native && m_native->isVisible() ? m_native.data() : nullptr;
    }
    void refresh(ui::Change what) override;

  private:
    void show();
    void fill();
    void hidden();

    ui::PopupMenu& m_menu;
    QPointer<QMenu> m_native;
    // Counts the model's openings, so that a dismissal queued for one never closes the next.
    unsigned m_opening = 0;
};

PopupMenuRenderer::PopupMenuRenderer(ui::PopupMenu& menu, QWidget* parent)
    : m_menu(menu), m_native(new QMenu(parent)) {
    m_native->setObjectName(toQString(menu.name()));
    QObject::connect(m_native, &QMenu::aboutToHide, m_native, [this] { hidden(); });
}

void PopupMenuRenderer::refresh(ui::Change what) {
    if (what == ui::Change::Items && m_native->isVisible()) fill();
    if (what != ui::Change::Popup) return;
    if (!m_menu.isOpen()) {
        m_native->hide();
        return;
    }
    ++m_opening;
    // Queued: the procedure that opened the popup finishes before the user can answer it.
    QTimer::singleShot(0, m_native, [this] { show(); });
}

void PopupMenuRenderer::show() {
    if (!m_menu.isOpen() || m_native->isVisible()) return;
    fill();
    m_native->popup(QCursor::pos());
}

// Entries in index order; the model's own flags decide what is offered.
void PopupMenuRenderer::fill() {
    m_native->clear();
    for (const auto& [index, item] : m_menu.items()) {
        if (!item.visible) continue;
        QAction* action = m_native->addAction(toQString(item.caption));
        action->setCheckable(true);
        action->setChecked(item.checked);
        action->setEnabled(item.enabled);
        QObject::connect(action, &QAction::triggered, m_native,
                         [this, index = index] { m_menu.userPick(index); });
    }
}

// The menu hides before it reports the entry picked, if any; the dismissal waits until that
// report had its chance to close the model's popup.
void PopupMenuRenderer::hidden() {
    QTimer::singleShot(0, m_native, [this, opening = m_opening] {
        if (opening == m_opening) m_menu.userDismiss();
    });
}

}  // namespace

std::unique_ptr<WidgetRenderer> makePopupMenuRenderer(ui::PopupMenu& menu, QWidget* parent,
                                                      RenderContext& /*context*/) {
    return std::make_unique<PopupMenuRenderer>(menu, parent);
}

}  // namespace jex::qt
