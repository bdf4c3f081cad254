#include "tab_strip_renderer.h"

#include <QTabBar>

#include "basic_renderer.h"
#include "qt_text.h"

namespace jex::qt {
namespace {

class TabStripRenderer final : public BasicRenderer {
  public:
    TabStripRenderer(ui::TabStrip& strip, QWidget* parent)
        : BasicRenderer(strip, new QTabBar(parent)), m_strip(strip) {
        tabBar()->setExpanding(false);
        // A click reaches the model before Qt moves its own current tab, even on the tab
        // already selected, as the model's strip fires Click for that too.
        connect(tabBar(), &QTabBar::tabBarClicked, this, [this](int index) { pick(index); });
        // A change the model did not make (keys, the wheel) is the user's too.
        connect(tabBar(), &QTabBar::currentChanged, this, [this](int index) {
            if (index + 1 != m_strip.selectedIndex()) pick(index);
        });
    }

  private:
    QTabBar* tabBar() const { return static_cast<QTabBar*>(native()); }

    void pick(int index) {
        if (index >= 0) m_strip.userSelectTab(index + 1);
        refresh(ui::Change::Selection);
    }

    void show(ui::Change what) override {
        if (what == ui::Change::Items) {
            while (tabBar()->count() > 0) tabBar()->removeTab(0);
            for (const std::string& tab : m_strip.tabs()) tabBar()->addTab(toQString(tab));
        }
        if (what == ui::Change::Items || what == ui::Change::Selection)
            tabBar()->setCurrentIndex(m_strip.selectedIndex() - 1);
    }

    ui::TabStrip& m_strip;
};

}  // namespace

std::unique_ptr<WidgetRenderer> makeTabStripRenderer(ui::TabStrip& strip, QWidget* parent) {
    return makeRenderedAsModel<TabStripRenderer>(strip, parent);
}

}  // namespace jex::qt
