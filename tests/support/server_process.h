#pragma once

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace jex::test {

// jexdiscussions-server in a process of its own, killed with the object.
class ServerProcess {
  public:
    // Starts it with the shell words `arguments` and waits for the line that names its port;
    // port() is 0 when none came or the server listens elsewhere than on loopback.
    explicit ServerProcess(const std::string& arguments) {
        // The shell tells its process id, which the server then takes over.
        m_output = ::popen(("echo $$; exec " JEXSERVER_PATH " " + arguments).c_str(), "r");
        char line[256];
        if (m_output == nullptr || std::fgets(line, sizeof line, m_output) == nullptr) return;
        m_pid = std::atoi(line);
        const std::string expected = "listening on http://127.0.0.1:";
        if (std::fgets(line, sizeof line, m_output) != nullptr &&
            std::string(line).starts_with(expected))
            m_port = std::atoi(line + expected.size());
    }
    ~ServerProcess() { kill(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }

    // SIGKILL: no chance to finish a request, close the database or flush anything.
    void kill() {
        if (m_pid > 0) ::kill(m_pid, SIGKILL);
        if (m_output != nullptr) ::pclose(m_output);
        m_pid = -1;
        m_output = nullptr;
    }

  private:
    std::FILE* m_output = nullptr;
    pid_t m_pid = -1;
    int m_port = 0;
};

}  // namespace jex::test
