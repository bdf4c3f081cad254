#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>

namespace jex::test {

// A TCP connection to the server on loopback that sends a request byte for byte as written.
class RawConnection {
  public:
    // Connects and sends request; sent() tells whether all of it went.
    RawConnection(int port, const std::string& request) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_sent = ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 ::send(m_socket, request.data(), request.size(), 0) ==
                     static_cast<ssize_t>(request.size());
    }
    ~RawConnection() { ::close(m_socket); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool sent() const { return m_sent; }
    // Everything the server sends until it closes the connection; nothing when it is still open
    // after `seconds` (a guard against hanging the suite).
    std::optional<std::string> readUntilClosed(long seconds) {
        const timeval guard{seconds, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        std::string received;
        char buffer[4096];
        ssize_t length = 0;
        while ((length = ::recv(m_socket, buffer, sizeof buffer, 0)) > 0)
            received.append(buffer, length);
        return length == 0 ? std::optional(received) : std::nullopt;
    }

  private:
    int m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    bool m_sent = false;
};

}  // namespace jex::test
