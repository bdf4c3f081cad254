#include "host_session.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>
#include <vector>

#include "answers.h"
#include "control/dispatch_table.h"
#include "request.h"
#include "widget_state.h"

namespace jex::host {
namespace {

// A whole number and the text after it.
std::optional<int> leadingNumber(std::string_view& text) {
    int n = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || n < 0) return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return n;
}

// "major.minor.revision", each a plain decimal number.
LibraryVersion parseVersion(std::string_view text) {
    const RequestError wrong("field \"version\" must be \"major.minor.revision\"");
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (text.empty() || text.front() != '.')) throw wrong;
        if (i > 0) text.remove_prefix(1);
        const std::optional<int> n = leadingNumber(text);
        if (!n) throw wrong;
        parts[i] = *n;
    }
    if (!text.empty()) throw wrong;
    return {parts[0], parts[1], parts[2]};
}

ListWidths parseWidths(const Json& widths) {
    ListWidths result;
    for (const auto& [name, width] : widths.items()) {
        if (!width.is_number())
            throw RequestError("the width of " + inQuotes(name) + " must be a number");
        result[name] = width.get<double>();
    }
    return result;
}

bool hasMember(int32_t dispid, InvokeKind kind) {
    return std::ranges::any_of(dispatchMembers(), [&](const DispatchMember& m) {
        return m.dispid == dispid && m.kind == kind;
    });
}

bool methodHasResult(int32_t dispid) {
    return std::ranges::any_of(dispatchMembers(), [&](const DispatchMember& m) {
        return m.dispid == dispid && m.kind == InvokeKind::Method && m.hasResult;
    });
}

std::string_view memberWord(InvokeKind kind) {
    switch (kind) {
        case InvokeKind::PropertyPut:
            return "a writable property";
        case InvokeKind::PropertyGet:
            return "a readable property";
        case InvokeKind::Method:
            return "a method";
    }
    return "a member";
}

// The dispatch id of member `name` of that kind; raises RequestError when the interface has
// no such member, or has it only as another kind (a method, or the write-only properties).
int32_t dispidFor(std::string_view name, InvokeKind kind) {
    const std::optional<int32_t> dispid = dispidOf(name);
    if (!dispid) throw RequestError("the control has no member " + inQuotes(name));
    if (kind == InvokeKind::PropertyGet && !hasMember(*dispid, kind) &&
        hasMember(*dispid, InvokeKind::PropertyPut)) {
        throw RequestError(inQuotes(name) + " is a write-only property");
    }
    if (!hasMember(*dispid, kind)) {
        throw RequestError(inQuotes(name) + " is not " + std::string(memberWord(kind)));
    }
    return *dispid;
}

std::vector<Value> argumentsOf(const Request& request) {
    std::vector<Value> arguments;
    if (!request.has("args")) return arguments;
    for (const Json& argument : request.list("args")) arguments.push_back(fromJson(argument));
    return arguments;
}

MsgResult buttonNamed(const Json& name) {
    static const std::map<std::string, MsgResult, std::less<>> buttons = {
        {"OK", MsgResult::OK},       {"Cancel", MsgResult::Cancel}, {"Abort", MsgResult::Abort},
        {"Retry", MsgResult::Retry}, {"Ignore", MsgResult::Ignore}, {"Yes", MsgResult::Yes},
        {"No", MsgResult::No}};
    if (!name.is_string()) throw RequestError("a button is named by a text such as \"Yes\"");
    auto it = buttons.find(name.get<std::string>());
    if (it == buttons.end()) throw RequestError("unknown button " + name.dump());
    return it->second;
}

std::string_view buttonsName(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return "OK";
        case MsgButtons::OKCancel:
            return "OKCancel";
        case MsgButtons::AbortRetryIgnore:
            return "AbortRetryIgnore";
        case MsgButtons::YesNoCancel:
            return "YesNoCancel";
        case MsgButtons::YesNo:
            return "YesNo";
        case MsgButtons::RetryCancel:
            return "RetryCancel";
    }
    return "OK";
}

std::string_view iconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return "None";
        case MsgIcon::Critical:
            return "Critical";
        case MsgIcon::Question:
            return "Question";
        case MsgIcon::Exclamation:
            return "Exclamation";
        case MsgIcon::Information:
            return "Information";
    }
    return "None";
}

Json tableState(const RecordTable& table) {
    Json fields = Json::array();
    for (int i = 0; i < table.fieldCount(); ++i) fields.push_back(table.fieldName(i));
    Json rows = Json::array();
    for (const std::vector<Value>& row : table.snapshot()) {
        Json cells = Json::array();
        for (const Value& value : row) cells.push_back(toJson(value));
        rows.push_back(std::move(cells));
    }
    return {{"ok", true}, {"fields", fields}, {"rows", rows}, {"filter", table.filter()}};
}

using MemberReader = std::function<Json(const JEXPODiscussionsXML&)>;

const std::map<std::string, MemberReader, std::less<>>& memberReaders() {
    using C = const JEXPODiscussionsXML&;
    static const std::map<std::string, MemberReader, std::less<>> readers = {
        {"ServerName", [](C c) { return Json(c.state().ServerName); }},
        {"OrderID", [](C c) { return Json(c.state().OrderID); }},
        {"UserName", [](C c) { return Json(c.state().UserName); }},
        {"CurrentUserName", [](C c) { return Json(c.state().CurrentUserName); }},
        {"CurrentPersonID", [](C c) { return Json(c.state().CurrentPersonID); }},
        {"CurrentPersonType", [](C c) { return Json(c.state().CurrentPersonType); }},
        {"CorporateLevel", [](C c) { return Json(c.state().CorporateLevel); }},
        {"ViewMode", [](C c) { return Json(c.state().ViewMode); }},
        {"NextIssueSequence", [](C c) { return Json(c.state().NextIssueSequence); }},
        {"NextCommentSequence", [](C c) { return Json(c.state().NextCommentSequence); }},
        {"SelectedIssueSequence", [](C c) { return Json(c.state().SelectedIssueSequence); }},
        {"SelectedCommentSequence", [](C c) { return Json(c.state().SelectedCommentSequence); }},
        {"IsNewIssue", [](C c) { return Json(c.state().IsNewIssue); }},
        {"IsNewComment", [](C c) { return Json(c.state().IsNewComment); }},
        {"DraggingComment", [](C c) { return Json(c.state().DraggingComment); }},
        {"MousePointer", [](C c) { return Json(static_cast<int>(c.screen().mousePointer())); }},
    };
    return readers;
}

}  // namespace

HostSession::HostSession() = default;

HostSession::~HostSession() { release(); }

const std::map<std::string, HostSession::Op, std::less<>>& HostSession::ops() {
    using S = HostSession;
    static const std::map<std::string, Op, std::less<>> table = {
        {"create", {&S::create, Needs::NoControl}},
        {"release", {&S::releaseOp, Needs::Control}},
        {"put", {&S::put, Needs::Control}},
        {"get", {&S::get, Needs::Control}},
        {"call", {&S::call, Needs::Control}},
        {"click", {&S::click, Needs::Control}},
        {"select", {&S::select, Needs::Control}},
        {"type", {&S::type, Needs::Control}},
        {"check", {&S::check, Needs::Control}},
        {"key", {&S::key, Needs::Control}},
        {"dblclick", {&S::dblclick, Needs::Control}},
        {"columnclick", {&S::columnclick, Needs::Control}},
        {"blur", {&S::blur, Needs::Control}},
        {"mouse", {&S::mouse, Needs::Control}},
        {"drag", {&S::drag, Needs::Control}},
        {"menu", {&S::menu, Needs::Control}},
        {"date", {&S::date, Needs::Control}},
        {"answer", {&S::answerOp, Needs::Nothing}},
        {"messages", {&S::messages, Needs::Control}},
        {"eventlog", {&S::eventlog, Needs::Control}},
        {"clock", {&S::clock, Needs::Nothing}},
        {"widget", {&S::widget, Needs::Control}},
        {"table", {&S::table, Needs::Control}},
        {"member", {&S::member, Needs::Control}},
    };
    return table;
}

std::string HostSession::handle(std::string_view line) {
    return answer(line).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void HostSession::release() {
    try {
        m_control.reset();
    } catch (...) {
    }
}

Json HostSession::answer(std::string_view line) {
    try {
        const Json parsed = Json::parse(line);
        return run(Request(parsed));
    } catch (const Json::parse_error& e) {
        return failure(0, std::string("bad JSON: ") + e.what());
    } catch (const RequestError& e) {
        return failure(0, e.what());
    } catch (const Error& e) {
        return failure(e);
    } catch (const std::exception& e) {
        return failure(0, e.what());
    } catch (...) {
        return failure(0, "the request failed for an unknown reason");
    }
}

Json HostSession::run(const Request& request) {
    auto it = ops().find(request.op());
    if (it == ops().end()) throw RequestError("unknown op " + inQuotes(request.op()));
    requireReadiness(it->second.needs);
    return (this->*(it->second.run))(request);
}

void HostSession::requireReadiness(Needs needs) const {
    if (needs == Needs::Control && !m_control) {
        throw RequestError("no control: \"create\" comes first");
    }
    if (needs == Needs::NoControl && m_control) {
        throw RequestError("a control is already created: \"release\" it first");
    }
}

// --- The automation interface ---

Json HostSession::create(const Request& request) {
    ControlOptions options;
    if (request.has("widths")) options.listWidths = parseWidths(request.object("widths"));
    if (request.has("version")) options.version = parseVersion(request.text("version"));
    m_control = std::make_unique<JEXPODiscussionsXML>(
        ControlServices{m_messageBox, m_eventLog, m_clock, m_messagePump}, options);
    return ok();
}

Json HostSession::releaseOp(const Request&) {
    release();
    return ok();
}

Json HostSession::put(const Request& request) {
    const int32_t dispid = dispidFor(request.text("name"), InvokeKind::PropertyPut);
    const Value value = fromJson(request.any("value"));
    invoke(*m_control, dispid, InvokeKind::PropertyPut, std::span(&value, 1));
    return ok();
}

Json HostSession::get(const Request& request) {
    const int32_t dispid = dispidFor(request.text("name"), InvokeKind::PropertyGet);
    return ok("value", toJson(invoke(*m_control, dispid, InvokeKind::PropertyGet, {})));
}

Json HostSession::call(const Request& request) {
    if (!request.has("name") && !request.has("dispid")) {
        throw RequestError("missing field \"name\" or \"dispid\"");
    }
    const int32_t dispid = request.has("dispid")
                               ? request.integer("dispid")
                               : dispidFor(request.text("name"), InvokeKind::Method);
    if (!hasMember(dispid, InvokeKind::Method)) {
        throw RequestError("the control has no method of dispatch id " + std::to_string(dispid));
    }
    const std::vector<Value> arguments = argumentsOf(request);
    const Value result = invoke(*m_control, dispid, InvokeKind::Method, arguments);
    // An Empty result is a value of its own; only a method without one answers null.
    return ok("value", methodHasResult(dispid) ? toJson(result) : Json(nullptr));
}

// --- The platform's services and what the control holds ---

Json HostSession::answerOp(const Request& request) {
    std::vector<MsgResult> answers;
    for (const Json& name : request.list("buttons")) answers.push_back(buttonNamed(name));
    for (MsgResult answer : answers) m_messageBox.queueAnswer(answer);
    return ok();
}

Json HostSession::messages(const Request&) {
    Json shown = Json::array();
    for (const MessageBoxRequest& box : m_messageBox.shown()) {
        shown.push_back({{"text", box.text},
                         {"title", box.title},
                         {"buttons", buttonsName(box.buttons)},
                         {"icon", iconName(box.icon)}});
    }
    m_messageBox.clear();
    return ok("messages", std::move(shown));
}

Json HostSession::eventlog(const Request&) {
    const std::vector<std::string>& entries = m_eventLog.entries();
    Json unread = Json::array();
    for (size_t i = m_eventLogRead; i < entries.size(); ++i) unread.push_back(entries[i]);
    m_eventLogRead = entries.size();
    return ok("entries", std::move(unread));
}

Json HostSession::clock(const Request& request) {
    m_clock.fix(request.dateTime("now"));
    return ok();
}

Json HostSession::widget(const Request& request) {
    Json answer = ok();
    answer.update(widgetState(widgetIn(request, "name")));
    return answer;
}

Json HostSession::table(const Request& request) {
    const std::string name = request.text("name");
    const ControlState& state = m_control->state();
    const RecordTable* table = nullptr;
    if (name == "DiscussionTable") table = state.DiscussionTable.get();
    if (name == "CommentTable") table = state.CommentTable.get();
    if (table == nullptr) throw RequestError("unknown table " + inQuotes(name));
    return tableState(*table);
}

Json HostSession::member(const Request& request) {
    const std::string name = request.text("name");
    auto it = memberReaders().find(name);
    if (it == memberReaders().end()) throw RequestError("unknown member " + inQuotes(name));
    return ok("value", it->second(*m_control));
}

}  // namespace jex::host
