#include "connection.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace velorin {

namespace {

constexpr Millis kReadTime{5000};
constexpr Millis kWriteTime{5000};
constexpr Millis kDrainTime{30000};
constexpr std::size_t kChunk = 16 * 1024;
// A head longer than this goes on as it is; the library refuses it.
constexpr std::size_t kMaxHead = 64 * 1024;

Millis left(std::chrono::steady_clock::time_point deadline)
{
    return std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
}

std::string numericHost(const sockaddr_storage &address, socklen_t length, int &port)
{
    char host[NI_MAXHOST] = {};
    char service[NI_MAXSERV] = {};
    if (getnameinfo(reinterpret_cast<const sockaddr *>(&address), length, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return {};
    port = std::atoi(service);
    return host;
}

} // namespace

bool Connection::wait(short events, Millis timeout) const
{
    pollfd fds[2] = {{m_socket, events, 0}, {m_stop, POLLIN, 0}};
    for (;;) {
        const int ready = poll(fds, 2, int(std::max<Millis::rep>(timeout.count(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && fds[1].revents == 0 && fds[0].revents != 0;
    }
}

ssize_t Connection::receive(char *ptr, size_t size, Millis timeout)
{
    if (!wait(POLLIN, timeout))
        return -1;
    ssize_t got;
    do
        got = recv(m_socket, ptr, size, 0);
    while (got < 0 && errno == EINTR);
    return got;
}

bool Connection::fill(Millis timeout)
{
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    }
    char chunk[kChunk];
    const ssize_t got = receive(chunk, sizeof chunk, timeout);
    if (got <= 0)
        return false;
    m_buffer.append(chunk, std::size_t(got));
    return true;
}

bool Connection::headComplete() const
{
    const std::string_view rest = std::string_view(m_buffer).substr(m_start);
    return rest.find("\r\n\r\n") != std::string_view::npos || rest.find("\n\n") != std::string_view::npos;
}

bool Connection::readHead(Millis idle, Millis headTime)
{
    if (pending() == 0 && !fill(idle))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + headTime;
    while (!headComplete() && pending() < kMaxHead) {
        if (!fill(left(deadline)))
            return false;
    }
    quoteInnerQuestionMarks();
    return true;
}

// The library would refuse a target with a second "?"; a link's text put in
// a query unescaped (as the QR chart gets it) holds one. From the second on
// they travel as "%3F", which decodes to the same value.
void Connection::quoteInnerQuestionMarks()
{
    const std::size_t lineEnd = m_buffer.find('\n', m_start);
    const std::size_t targetStart = m_buffer.find(' ', m_start);
    if (lineEnd == std::string::npos || targetStart == std::string::npos || targetStart > lineEnd)
        return;
    std::size_t targetEnd = m_buffer.find(' ', targetStart + 1);
    const std::size_t query = m_buffer.find('?', targetStart);
    if (targetEnd == std::string::npos || targetEnd > lineEnd || query == std::string::npos || query > targetEnd)
        return;
    for (std::size_t at = m_buffer.find('?', query + 1); at < targetEnd; at = m_buffer.find('?', at + 3)) {
        m_buffer.replace(at, 1, "%3F");
        targetEnd += 2;
    }
}

void Connection::drain()
{
    shutdown(m_socket, SHUT_WR);
    const auto deadline = std::chrono::steady_clock::now() + kDrainTime;
    while (left(deadline).count() > 0 && fill(std::min(kReadTime, left(deadline))))
        m_start = m_buffer.size();
}

bool Connection::is_readable() const
{
    return pending() > 0 || wait(POLLIN, kReadTime);
}

bool Connection::is_writable() const
{
    return wait(POLLOUT, kWriteTime);
}

ssize_t Connection::read(char *ptr, size_t size)
{
    if (pending() == 0 && size < kChunk && !fill(kReadTime))
        return -1;
    if (pending() > 0) {
        const std::size_t taken = std::min(size, pending());
        std::memcpy(ptr, m_buffer.data() + m_start, taken);
        m_start += taken;
        return ssize_t(taken);
    }
    return receive(ptr, size, kReadTime);
}

ssize_t Connection::write(const char *ptr, size_t size)
{
    if (!is_writable())
        return -1;
    ssize_t sent;
    do
        sent = send(m_socket, ptr, size, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent;
}

void Connection::get_remote_ip_and_port(std::string &ip, int &port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(m_socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        ip = numericHost(address, length, port);
}

void Connection::get_local_ip_and_port(std::string &ip, int &port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        ip = numericHost(address, length, port);
}

} // namespace velorin
