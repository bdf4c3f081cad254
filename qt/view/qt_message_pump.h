#pragma once

#include <QCoreApplication>

#include "platform/message_pump.h"

namespace jex::qt {

// Lets Qt process its pending events (repaints, the user's input) while the control waits for
// a save to be answered. Never fails.
class QtMessagePump : public MessagePump {
  public:
    void doEvents() override { QCoreApplication::processEvents(); }
};

}  // namespace jex::qt
