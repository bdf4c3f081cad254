#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "control/jex_po_discussions_xml.h"
#include "json_value.h"
#include "switchable_clock.h"

namespace jex::host {

class Request;

// Hosts one control without a display and drives it from JSON Lines requests: the automation
// interface late-bound through the dispatch table, and the user's hands through the widgets'
// user-input API. It adds no behaviour of its own. Message boxes are answered from a queue the
// script fills; the clock is the system's until the script fixes it.
class HostSession {
  public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Runs one request line and returns its one-line answer, without a line end. Never throws:
    // a wrong request answers error number 0 with what is wrong, an error the control returns
    // to its host answers with that error's number, description and source.
    std::string handle(std::string_view line);

    // Releases the control when one lives, running its tear-down. Never fails.
    void release();

  private:
    enum class Needs { Nothing, Control, NoControl };
    struct Op {
        Json (HostSession::*run)(const Request&);
        Needs needs;
    };
    using Action = std::function<void(ui::Widget&)>;

    static const std::map<std::string, Op, std::less<>>& ops();

    Json answer(std::string_view line);
    Json run(const Request& request);
    void requireReadiness(Needs needs) const;

    // The automation interface.
    Json create(const Request& request);
    Json releaseOp(const Request& request);
    Json put(const Request& request);
    Json get(const Request& request);
    Json call(const Request& request);

    // The user's hands.
    Json click(const Request& request);
    Json select(const Request& request);
    Json type(const Request& request);
    Json check(const Request& request);
    Json key(const Request& request);
    Json dblclick(const Request& request);
    Json columnclick(const Request& request);
    Json blur(const Request& request);
    Json mouse(const Request& request);
    Json drag(const Request& request);
    Json menu(const Request& request);
    Json date(const Request& request);

    // The platform's services and what the control holds.
    Json answerOp(const Request& request);
    Json messages(const Request& request);
    Json eventlog(const Request& request);
    Json clock(const Request& request);
    Json widget(const Request& request);
    Json table(const Request& request);
    Json member(const Request& request);

    // The widget named in `field`; raises RequestError when there is none.
    ui::Widget& widgetIn(const Request& request, std::string_view field = "widget") const;
    // The same, raising RequestError unless it is of `kind`.
    template <class W>
    W& widgetOfKind(const Request& request, ui::WidgetKind kind,
                    std::string_view field = "widget") const;
    // Runs the action for the kind of the request's widget, or answers ignored when the widget
    // does not accept input. Raises RequestError for a kind without an action.
    Json onWidget(const Request& request,
                  std::initializer_list<std::pair<ui::WidgetKind, Action>> actions);

    HeadlessMessageBox m_messageBox;
    MemoryEventLog m_eventLog;
    SwitchableClock m_clock;
    NullMessagePump m_messagePump;
    std::size_t m_eventLogRead = 0;
    // Last, so that the control goes before the services it holds references to.
    std::unique_ptr<JEXPODiscussionsXML> m_control;
};

}  // namespace jex::host
