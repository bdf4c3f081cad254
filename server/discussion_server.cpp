#include "discussion_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "batch_runner.h"
#include "discussion_document.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace jex::server {

namespace {

constexpr std::string_view kPageName = "podiscussion.asp";
constexpr const char* kXmlContentType = "text/xml; charset=utf-8";
constexpr const char* kTextContentType = "text/plain; charset=utf-8";

// The library's default also sets SO_REUSEPORT, which would let a second server take a port that
// is in use instead of failing; keep only the quick rebinding after a restart.
void reuseAddressOnly(socket_t socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

// True when the query part of the request target names field `name`.
bool hasQueryField(std::string_view target, std::string_view name) {
    const std::size_t query = target.find('?');
    if (query == std::string_view::npos) return false;
    std::string_view rest = target.substr(query + 1);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('&'), rest.size());
        const std::string_view field = rest.substr(0, end);
        if (field.substr(0, field.find('=')) == name) return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

bool isFormBody(const httplib::Request& request) {
    return request.get_header_value("Content-Type").rfind("application/x-www-form-urlencoded", 0) ==
           0;
}

// The control declares UTF-8 only for a save holding text the code page lacks; a body that
// declares no charset is in the code page, as every peer has always sent it.
DiscussionServer::FormCharset formCharset(const httplib::Request& request) {
    const std::string type = lowerAscii(request.get_header_value("Content-Type"));
    for (std::size_t at = type.find(';'); at != std::string::npos; at = type.find(';', at + 1)) {
        std::string_view parameter = std::string_view(type).substr(at + 1);
        parameter = parameter.substr(0, parameter.find(';'));
        parameter.remove_prefix(std::min(parameter.find_first_not_of(' '), parameter.size()));
        if (parameter == "charset=utf-8" || parameter == "charset=\"utf-8\"")
            return DiscussionServer::FormCharset::Utf8;
    }
    return DiscussionServer::FormCharset::Windows1252;
}

// The fields of a url-encoded form body, decoded, in body order. The library's own parser keeps
// one of identical fields, but two equal batches are two changes.
httplib::Params formFields(std::string_view body) {
    httplib::Params fields;
    while (!body.empty()) {
        const std::size_t end = std::min(body.find('&'), body.size());
        const std::string_view field = body.substr(0, end);
        const std::size_t equals = std::min(field.find('='), field.size());
        if (!field.empty()) {
            const std::string_view value = field.substr(std::min(equals + 1, field.size()));
            fields.emplace(httplib::detail::decode_url(std::string(field.substr(0, equals)), true),
                           httplib::detail::decode_url(std::string(value), true));
        }
        body.remove_prefix(std::min(end + 1, body.size()));
    }
    return fields;
}

void answerText(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text, kTextContentType);
}

// The posted body, or nothing (the refusal answered) when it is too long or cut short. The
// library refuses a declared length over the limit; a chunked body is counted here.
std::optional<std::string> readSaveBody(const httplib::ContentReader& readContent,
                                        httplib::Response& response) {
    std::string body;
    bool tooLong = false;
    const bool complete = readContent([&](const char* data, std::size_t length) {
        tooLong = body.size() + length > kMaxSaveBodyBytes;
        if (!tooLong) body.append(data, length);
        return !tooLong;
    });
    if (complete) return body;
    // What is left of the request may still arrive; the connection can't carry another.
    response.set_header("Connection", "close");
    if (tooLong || response.status == 413) {
        answerText(response, 413,
                   "The save is longer than " + std::to_string(kMaxSaveBodyBytes) + " bytes.");
    } else {
        answerText(response, 400, "The save's body ended early.");
    }
    return std::nullopt;
}

}  // namespace

bool isDiscussionPagePath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view lastSegment =
        slash == std::string_view::npos ? path : path.substr(slash + 1);
    return endsWithIgnoringCase(lastSegment, kPageName);
}

// The store is opened and set up here, so that a bad target fails at start-up rather than per
// request.
DiscussionServer::DiscussionServer(const std::string& connection, const StoreOptions& options)
    : DiscussionServer(openOrderStore(connection, options)) {}

DiscussionServer::DiscussionServer(std::unique_ptr<OrderStore> store)
    : m_store(std::move(store)), m_http(std::make_unique<httplib::Server>()) {
    m_http->set_socket_options(reuseAddressOnly);
    m_http->set_payload_max_length(kMaxSaveBodyBytes);
    // One request a connection. The library keeps a connection open whatever a handler answers,
    // so a refused request's unread body would be read as the next request; the control opens a
    // connection for each transfer anyway.
    m_http->set_keep_alive_max_count(1);
    registerRoutes();
}

DiscussionServer::~DiscussionServer() { stop(); }

int DiscussionServer::start(const std::string& host, int port) {
    if (m_listener.joinable()) throw std::runtime_error("the discussion server already runs");
    const int boundPort =
        port == 0 ? m_http->bind_to_any_port(host) : (m_http->bind_to_port(host, port) ? port : -1);
    if (boundPort < 0) {
        throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
    }
    m_http->set_read_timeout(m_readTimeout);
    m_listenEnded = false;
    m_listener = std::thread([this] {
        m_http->listen_after_bind();
        m_listenEnded = true;
    });
    // The server ignores stop() until its accept loop runs; wait for it so that a quick stop()
    // can't leave the thread serving forever.
    while (!m_http->is_running() && !m_listenEnded) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return boundPort;
}

void DiscussionServer::stop() {
    if (!m_listener.joinable()) return;
    m_http->stop();
    m_listener.join();
}

void DiscussionServer::setReadTimeout(std::chrono::seconds timeout) { m_readTimeout = timeout; }

void DiscussionServer::requireCredentials(const Credentials& credentials) {
    m_auth = std::make_unique<BasicAuth>(credentials);
}

void DiscussionServer::setAnswerObserver(std::function<void(const AnsweredRequest&)> observer) {
    m_http->set_logger([observer = std::move(observer)](const httplib::Request& request,
                                                        const httplib::Response& response) {
        observer({request.method, request.target, response.status, response.body});
    });
}

void DiscussionServer::registerRoutes() {
    // The one gate: a request without the credentials is refused before its body is read or a
    // route runs.
    m_http->set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            if (!m_auth || m_auth->admits(request.get_header_value("Authorization"))) {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            response.set_header("WWW-Authenticate", BasicAuth::kChallenge);
            // An unread body would be taken for the next request.
            response.set_header("Connection", "close");
            answerText(response, 401,
                       "The server wants a user name and password, and was not given "
                       "the right ones.");
            return httplib::Server::HandlerResponse::Handled;
        });
    // One catch-all route per method: the page may be addressed under any prefix and in any
    // letter case, which a route pattern can't say portably.
    m_http->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        if (!isDiscussionPagePath(request.path)) {
            answerText(response, 404, "There is no page at " + request.path + ".");
            return;
        }
        answerLoad(request, response);
    });
    // The library refuses a form body beyond 8 KB when it reads the body itself, and a day's
    // changes are longer than that: the save reads its body here.
    m_http->Post(".*", [this](const httplib::Request& request, httplib::Response& response,
                              const httplib::ContentReader& readContent) {
        if (!isDiscussionPagePath(request.path)) {
            answerText(response, 404, "There is no page at " + request.path + ".");
            return;
        }
        const std::optional<std::string> body = readSaveBody(readContent, response);
        if (body) answerSave(request, *body, response);
    });
}

void DiscussionServer::answerLoad(const httplib::Request& request,
                                  httplib::Response& response) const {
    if (!request.has_param("OrderID")) {
        answerText(response, 400, "The request names no order: the OrderID parameter is missing.");
        return;
    }
    try {
        const auto connection = m_store->connect();
        // The control encodes the order from Windows-1252, as it does its batches.
        const std::string document = discussionDocument(
            *connection, jex::windows1252ToUtf8(request.get_param_value("OrderID")));
        response.set_content(document, kXmlContentType);
    } catch (const std::exception& error) {
        answerText(response, 500, error.what());
    }
}

void DiscussionServer::answerSave(const httplib::Request& request, std::string_view body,
                                  httplib::Response& response) const {
    // Only the form body carries batches: a SQL field in the address would run unseen ahead of
    // them.
    if (hasQueryField(request.target, "SQL")) {
        answerText(response, 400, "SQL fields belong in the request body");
        return;
    }
    // A body of another kind holds no fields.
    const SaveAnswer answer =
        save(isFormBody(request) ? body : std::string_view(), formCharset(request));
    if (answer.text.empty()) {
        response.status = answer.status;
        return;
    }
    answerText(response, answer.status, answer.text);
}

// The database keeps UTF-8.
SaveAnswer DiscussionServer::save(std::string_view formBody, FormCharset charset) const {
    try {
        const httplib::Params form = formFields(formBody);
        const auto [first, end] = form.equal_range("SQL");
        if (first == end) return {400, "no SQL field"};
        std::vector<std::string> batches;
        for (auto field = first; field != end; ++field) {
            if (charset == FormCharset::Windows1252) {
                batches.push_back(jex::windows1252ToUtf8(field->second));
            } else if (jex::isValidUtf8(field->second)) {
                batches.push_back(field->second);
            } else {
                return {400, "The request declares UTF-8, but this SQL field is not UTF-8: " +
                                 jex::windows1252ToUtf8(field->second)};
            }
        }
        const auto connection = m_store->connect();
        const BatchResult result = BatchRunner(*connection).run(batches);
        if (result.outcome == BatchOutcome::Stored) return {};
        return {result.outcome == BatchOutcome::Refused ? 400 : 500, result.error};
    } catch (const std::exception& error) {
        return {500, error.what()};
    }
}

}  // namespace jex::server
