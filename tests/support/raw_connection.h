#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>

namespace jex::test {

// A TCP connection to the server on loopback that sends what a test writes, byte for byte.
class RawConnection {
  public:
    explicit RawConnection(int port) : m_socket(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected =
            ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~RawConnection() { ::close(m_socket); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool send(const std::string& bytes) {
        return m_connected && ::send(m_socket, bytes.data(), bytes.size(), 0) ==
                                  static_cast<ssize_t>(bytes.size());
    }
    // Everything the server sends until it closes the connection; nothing when it is still open
    // after `seconds` (a guard against hanging the suite).
    std::optional<std::string> readUntilClosed(long seconds) {
        const timeval guard{seconds, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof(guard));
        std::string received;
        char buffer[4096];
        ssize_t length = 0;
        while ((length = ::recv(m_socket, buffer, sizeof(buffer), 0)) > 0)
            received.append(buffer, static_cast<std::size_t>(length));
        if (length != 0) return std::nullopt;
        return received;
    }

  private:
    int m_socket;
    bool m_connected = false;
};

}  // namespace jex::test
