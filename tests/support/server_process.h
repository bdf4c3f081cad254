#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace jex::test {

// jexdiscussions-server in a process of its own, killed with the object.
class ServerProcess {
  public:
    // Starts it with arguments and waits for the line that names its port; port() is 0 when
    // none came or the server listens elsewhere than on loopback.
    explicit ServerProcess(std::vector<std::string> arguments) {
        int output[2];
        if (::pipe(output) != 0) return;
        std::vector<char*> argv{const_cast<char*>(JEXSERVER_PATH)};
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(output[1], STDOUT_FILENO);
            ::execv(JEXSERVER_PATH, argv.data());
            ::_exit(127);
        }
        ::close(output[1]);
        // "listening on http://127.0.0.1:<port>/"
        std::string line;
        pollfd ready{output[0], POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, 10000) == 1 && ::read(output[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(output[0]);
        const std::string expected = "listening on http://127.0.0.1:";
        if (line.rfind(expected, 0) == 0) m_port = std::atoi(line.c_str() + expected.size());
    }
    ~ServerProcess() { kill(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }

    // SIGKILL: no chance to finish a request, close the database or flush anything.
    void kill() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

  private:
    pid_t m_pid = -1;
    int m_port = 0;
};

}  // namespace jex::test
