#pragma once

#include <httplib.h>

#include <string>
#include <thread>

namespace jex::test {

// Serves one fixed answer to every GET, so that a test can hand the control any document.
class FixedPageServer {
  public:
    explicit FixedPageServer(std::string body, int status = 200) {
        m_server.Get(".*", [body, status](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            res.set_content(body, "text/xml");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~FixedPageServer() {
        m_server.stop();
        m_thread.join();
    }

    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port); }

  private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

}  // namespace jex::test
