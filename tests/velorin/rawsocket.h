#pragma once

// A bare loopback connection to the service, for requests that no HTTP
// client would send: raw heads, bodies without a length, slow peers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

class RawSocket final {
public:
    explicit RawSocket(int port) : m_fd(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(std::uint16_t(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    }
    ~RawSocket() { ::close(m_fd); }
    RawSocket(const RawSocket &) = delete;
    RawSocket &operator=(const RawSocket &) = delete;

    bool send(const std::string &bytes)
    {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += std::size_t(n);
        }
        return true;
    }

    void finishSending() { ::shutdown(m_fd, SHUT_WR); }

    // What arrives until the service closes the connection, or nothing more
    // comes for `quiet`.
    std::string receiveAll(std::chrono::milliseconds quiet = std::chrono::seconds(10))
    {
        std::string received;
        char chunk[16384];
        pollfd fd{m_fd, POLLIN, 0};
        while (::poll(&fd, 1, int(quiet.count())) > 0) {
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                break;
            received.append(chunk, std::size_t(n));
        }
        return received;
    }

private:
    int m_fd;
};
