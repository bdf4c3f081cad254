#pragma once

#include <QApplication>

#include "platform/mouse_pointer.h"

namespace jex::qt {

// Shows the control's mouse pointer as the application's override cursor: the wait cursor
// while the control says hourglass. Pushes at most one cursor and takes it back on Default or
// when it goes, so the application is never left waiting.
class WaitCursor {
  public:
    WaitCursor() = default;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { show(MousePointer::Default); }

    void show(MousePointer pointer) {
        const bool waiting = pointer == MousePointer::Hourglass;
        if (waiting == m_pushed) return;
        m_pushed = waiting;
        if (waiting) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }

  private:
    bool m_pushed = false;
};

}  // namespace jex::qt
