#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/message_box.h"

namespace jex::qt {

// The control's message boxes as modal QMessageBoxes over `parent`'s window: the request's
// icon, buttons, default button and title (an empty title shows the application's display
// name). A box closed without a choice answers Cancel when it offers one, otherwise its
// default button. Never fails.
class QtMessageBox : public MessageBoxService {
  public:
    explicit QtMessageBox(QWidget* parent) : m_parent(parent) {}
    MsgResult show(const MessageBoxRequest& request) override;

  private:
    QPointer<QWidget> m_parent;
};

}  // namespace jex::qt
