#pragma once

#include <functional>
#include <utility>

namespace jex {

// Lets the host process its pending window messages while the control waits for a transfer.
class MessagePump {
  public:
    virtual ~MessagePump() = default;
    // Processes the pending messages and returns; a failure is raised as the control's Error.
    virtual void doEvents() = 0;
};

// For hosts without a message loop: does nothing.
class NullMessagePump : public MessagePump {
  public:
    void doEvents() override {}
};

// Runs the host's callback (which may throw the control's Error) on every doEvents().
class CallbackMessagePump : public MessagePump {
  public:
    explicit CallbackMessagePump(std::function<void()> callback)
        : m_callback(std::move(callback)) {}
    void doEvents() override {
        if (m_callback) m_callback();
    }

  private:
    std::function<void()> m_callback;
};

}  // namespace jex
