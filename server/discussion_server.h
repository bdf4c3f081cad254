#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

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

// One answered request, as a host's status line or log shows it.
struct AnsweredRequest {
    std::string method;
    std::string target;  // path and query
    int status = 0;
    std::string body;  // the answer's text; empty for a stored save
};

// The web page the control talks to, served over HTTP from one order database file. Each request
// opens a connection of its own, so requests never share SQLite state.
class DiscussionServer {
  public:
    // Prepares to serve the database at databasePath, creating it (with the demo orders) when
    // missing. Throws std::runtime_error carrying SQLite's message when it can't be opened.
    explicit DiscussionServer(std::filesystem::path databasePath);
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

    // Called on the serving thread after every answer (set it before start()); a host shows
    // the server's answers without a second connection of its own.
    void setAnswerObserver(std::function<void(const AnsweredRequest&)> observer);

  private:
    void registerRoutes();
    void answerLoad(const httplib::Request& request, httplib::Response& response) const;
    // Runs the "SQL" fields of the posted form as one save request: an empty answer when stored,
    // otherwise the error text with 400 (no field, a refused statement) or 500.
    void answerSave(const httplib::Request& request, const httplib::Params& form,
                    httplib::Response& response) const;

    std::filesystem::path m_databasePath;
    std::unique_ptr<httplib::Server> m_http;
    std::thread m_listener;
    std::atomic<bool> m_listenEnded{false};
};

}  // namespace jex::server
