#pragma once

// A line in front of a service that holds every byte of its answers back
// for a while, as a service far away does. It works on bytes, so libcurl
// and the web engine go through it alike.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DelayLine final {
public:
    DelayLine(int backendPort, std::chrono::milliseconds delay) : m_backendPort(backendPort), m_delay(delay)
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        listen(m_listener, 64);
        socklen_t length = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptAll(); });
    }

    ~DelayLine()
    {
        shutdown(m_listener, SHUT_RDWR);
        m_acceptor.join();
        close(m_listener);
        for (auto &line : m_lines)
            line->end();
    }
    DelayLine(const DelayLine &) = delete;
    DelayLine &operator=(const DelayLine &) = delete;

    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }

private:
    static sockaddr_in loopback(int port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(uint16_t(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    // One client connection and its own connection to the service.
    class Line {
    public:
        Line(int client, int service, std::chrono::milliseconds delay) : m_client(client), m_service(service), m_delay(delay)
        {
            m_up = std::thread([this] { carryUp(); });
            m_down = std::thread([this] { carryDown(); });
            m_out = std::thread([this] { sendDown(); });
        }
        void end()
        {
            shutdown(m_client, SHUT_RDWR);
            shutdown(m_service, SHUT_RDWR);
            {
                std::lock_guard lock(m_mutex);
                m_ended = true;
            }
            m_ready.notify_all();
            m_up.join();
            m_down.join();
            m_out.join();
            close(m_client);
            close(m_service);
        }

    private:
        struct Chunk {
            std::chrono::steady_clock::time_point Due;
            std::string Bytes;
        };

        // Requests go through at once.
        void carryUp()
        {
            char buffer[65536];
            ssize_t n;
            while ((n = recv(m_client, buffer, sizeof buffer, 0)) > 0) {
                if (!sendAll(m_service, buffer, size_t(n)))
                    break;
            }
            shutdown(m_service, SHUT_WR);
        }

        // Answers are taken as they come and held back.
        void carryDown()
        {
            char buffer[65536];
            ssize_t n;
            while ((n = recv(m_service, buffer, sizeof buffer, 0)) > 0) {
                std::lock_guard lock(m_mutex);
                m_queue.push_back({std::chrono::steady_clock::now() + m_delay, std::string(buffer, size_t(n))});
                m_ready.notify_all();
            }
            std::lock_guard lock(m_mutex);
            m_queue.push_back({std::chrono::steady_clock::now() + m_delay, {}});
            m_ready.notify_all();
        }

        void sendDown()
        {
            std::unique_lock lock(m_mutex);
            for (;;) {
                m_ready.wait(lock, [this] { return m_ended || !m_queue.empty(); });
                if (m_ended)
                    return;
                Chunk chunk = std::move(m_queue.front());
                m_queue.pop_front();
                if (m_ready.wait_until(lock, chunk.Due, [this] { return m_ended; }))
                    return;
                lock.unlock();
                const bool sent = !chunk.Bytes.empty() && sendAll(m_client, chunk.Bytes.data(), chunk.Bytes.size());
                lock.lock();
                if (!sent) {
                    shutdown(m_client, SHUT_WR);
                    return;
                }
            }
        }

        static bool sendAll(int socket, const char *data, size_t size)
        {
            while (size > 0) {
                const ssize_t n = send(socket, data, size, MSG_NOSIGNAL);
                if (n <= 0)
                    return false;
                data += n;
                size -= size_t(n);
            }
            return true;
        }

        int m_client;
        int m_service;
        std::chrono::milliseconds m_delay;
        std::mutex m_mutex;
        std::condition_variable m_ready;
        std::deque<Chunk> m_queue;
        bool m_ended = false;
        std::thread m_up;
        std::thread m_down;
        std::thread m_out;
    };

    void acceptAll()
    {
        for (;;) {
            const int client = accept(m_listener, nullptr, nullptr);
            if (client < 0)
                return;
            const int service = socket(AF_INET, SOCK_STREAM, 0);
            const sockaddr_in address = loopback(m_backendPort);
            if (connect(service, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
                close(service);
                close(client);
                continue;
            }
            m_lines.push_back(std::make_unique<Line>(client, service, m_delay));
        }
    }

    int m_backendPort;
    std::chrono::milliseconds m_delay;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_acceptor;
    std::vector<std::unique_ptr<Line>> m_lines;
};
