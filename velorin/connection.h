#pragma once

#include <httplib.h>

#include <chrono>
#include <string>

namespace velorin {

using Millis = std::chrono::milliseconds;

// One client connection as the HTTP library reads and writes it. The head of
// each request (request line and headers) is read whole before the request
// is handed on, so a slow or silent peer costs no more than its own wait;
// every wait also ends when the service stops.
class Connection final : public httplib::Stream {
public:
    Connection(int socket, int stopEvent) : m_socket(socket), m_stop(stopEvent) {}

    // Waits up to idle for the next request, then up to headTime for its
    // whole head; false when the peer left, stayed silent or was too slow.
    bool readHead(Millis idle, Millis headTime);
    // Reads and drops what the peer still sends, for a while, so that a peer
    // still sending a refused body gets to read the answer.
    void drain();

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char *ptr, size_t size) override;
    ssize_t write(const char *ptr, size_t size) override;
    void get_remote_ip_and_port(std::string &ip, int &port) const override;
    void get_local_ip_and_port(std::string &ip, int &port) const override;
    socket_t socket() const override { return m_socket; }

private:
    bool wait(short events, Millis timeout) const;
    ssize_t receive(char *ptr, size_t size, Millis timeout);
    bool fill(Millis timeout);
    std::size_t pending() const { return m_buffer.size() - m_start; }
    bool headComplete() const;
    void quoteInnerQuestionMarks();

    int m_socket;
    int m_stop;
    std::string m_buffer; // read from the socket, not yet taken from m_start on
    std::size_t m_start = 0;
};

} // namespace velorin
