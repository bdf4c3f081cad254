#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "basic_auth.h"
#include "sql_connection.h"

namespace httplib {
class Server;
struct Request;
struct Response;
using Params = std::multimap<std::string, std::string>;
}  // namespace httplib

namespace jex::server {

// True when the last segment of path ends in "PODiscussion.asp", letter case ignored; the control
// may reach the page with a doubled slash or under a path prefix.
bool isDiscussionPagePath(std::string_view path);

// The longest save body the server takes; a longer one is answered 413 and nothing of it runs.
// Months of an order's changes fit many times over, and the body is held in memory.
inline constexpr std::size_t kMaxSaveBodyBytes = 8 * 1024 * 1024;

// How long the server waits for more of a request before it closes the connection.
inline constexpr std::chrono::seconds kDefaultReadTimeout{5};

// One answered request, as a host's status line or log shows it.
struct AnsweredRequest {
    std::string method;
    std::string target;  // path and query
    int status = 0;
    std::string body;  // the answer's text; empty for a stored save
};

// What the page answers a save request: an HTTP status and its text.
struct SaveAnswer {
    int status = 200;
    std::string text;  // empty for a stored save
};

// The web page the control talks to, served over HTTP from one order store. Each request opens a
// connection of its own, so requests never share database state, and servers on one PostgreSQL
// database may answer side by side.
class DiscussionServer {
  public:
    // Prepares to serve the store a connection string names (a SQLite file path or a PostgreSQL
    // URI, as openOrderStore() takes it), setting it up (with the demo orders) when new. Throws
    // SqlError when it can't be opened or set up.
    explicit DiscussionServer(const std::string& connection, const StoreOptions& options = {});
    // Serves store, which must not be null.
    explicit DiscussionServer(std::unique_ptr<OrderStore> store);
    // Stops serving first.
    ~DiscussionServer();
    DiscussionServer(const DiscussionServer&) = delete;
    DiscussionServer& operator=(const DiscussionServer&) = delete;

    // Binds host:port (port 0 picks a free one), serves on a thread of its own and returns the
    // port; connections are accepted once it returns. Throws std::runtime_error when the address
    // can't be bound or the server already runs.
    int start(const std::string& host = "127.0.0.1", int port = 0);
    // Stops serving and waits for the serving thread; does nothing when not started.
    void stop();

    // How long a connection may stay silent mid-request before it is closed, so that a slow
    // or stalled client can't hold a serving thread (set it before start()).
    void setReadTimeout(std::chrono::seconds timeout);

    // From now on every request without these credentials (HTTP basic authentication) is
    // answered 401 and runs nothing (set it before start()). Throws std::runtime_error when the
    // check can't be prepared.
    void requireCredentials(const Credentials& credentials);

    // Called on the serving thread after every answer (set it before start()); a host shows
    // the server's answers without a second connection of its own.
    void setAnswerObserver(std::function<void(const AnsweredRequest&)> observer);

    // How the fields of a form body are encoded: the Western European code page unless the
    // request declares UTF-8.
    enum class FormCharset { Windows1252, Utf8 };

    // Runs the "SQL" fields of a url-encoded form body as one save request, as a POST to the page
    // does: 200 with no text when stored; otherwise the error text with 400 (no field, a refused
    // statement, a field that is not the UTF-8 it declares) or 500 (the database failed), and
    // nothing of the request stays. Never throws.
    SaveAnswer save(std::string_view formBody,
                    FormCharset charset = FormCharset::Windows1252) const;

  private:
    void registerRoutes();
    void answerLoad(const httplib::Request& request, httplib::Response& response) const;
    void answerSave(const httplib::Request& request, std::string_view body,
                    httplib::Response& response) const;

    std::unique_ptr<OrderStore> m_store;
    std::unique_ptr<httplib::Server> m_http;
    std::unique_ptr<BasicAuth> m_auth;  // none: everyone is let in
    std::chrono::seconds m_readTimeout = kDefaultReadTimeout;
    std::thread m_listener;
    std::atomic<bool> m_listenEnded{false};
};

}  // namespace jex::server
