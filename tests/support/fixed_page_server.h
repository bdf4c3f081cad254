#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace jex::test {

// Serves one fixed answer to every GET, so that a test can hand the control any document, and
// records every POST, answering it with the status and text set by answer().
class FixedPageServer {
  public:
    explicit FixedPageServer(std::string body, int status = 200) {
        m_server.Get(".*", [body, status](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            res.set_content(body, "text/xml");
        });
        m_server.Post(".*", [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(m_mutex);
            m_posts.push_back(req.path + " " + req.get_header_value("Content-Type") + " " +
                              req.body);
            res.status = m_status;
            res.set_content(m_answer, "text/plain");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] {
            m_server.listen_after_bind();
            m_listenEnded = true;
        });
        // stop() is ignored until the accept loop runs: a server stopped before that would
        // serve on, and its destructor would wait for it forever.
        while (!m_server.is_running() && !m_listenEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~FixedPageServer() { stop(); }

    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    // From here on nothing listens at the address.
    void stop() {
        m_server.stop();
        if (m_thread.joinable()) m_thread.join();
    }
    void answer(int status, std::string text) {
        std::lock_guard lock(m_mutex);
        m_status = status;
        m_answer = std::move(text);
    }
    // Each POST received as "<path> <content type> <body>".
    std::vector<std::string> posts() {
        std::lock_guard lock(m_mutex);
        return m_posts;
    }

  private:
    httplib::Server m_server;
    int m_port = 0;
    std::atomic<bool> m_listenEnded = false;
    std::thread m_thread;
    std::mutex m_mutex;
    int m_status = 200;
    std::string m_answer;
    std::vector<std::string> m_posts;
};

}  // namespace jex::test
