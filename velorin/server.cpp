#include "server.h"

#include "connection.h"

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velorin {

namespace {

constexpr Millis kKeepAliveTime{10000};
constexpr Millis kHeadTime{10000};
constexpr std::size_t kMaxThreads = 1024;
constexpr std::size_t kRequestsPerConnection = 100000;

using Clock = std::chrono::steady_clock;

// What the request on this thread's connection needs beyond the library's
// Request: when it started, and whether its connection must end.
struct Exchange {
    Clock::time_point Start = Clock::now();
    bool CloseAfter = false;
};
thread_local Exchange *t_exchange = nullptr;

// Threads are started as jobs come and none is free, up to a bound, and
// stay for later connections.
class GrowingPool final : public httplib::TaskQueue {
public:
    void enqueue(std::function<void()> job) override
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        if (m_jobs.size() > m_idle && m_threads.size() < kMaxThreads)
            m_threads.emplace_back([this] { work(); });
        m_wake.notify_one();
    }

    void shutdown() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread &thread : m_threads)
            thread.join();
    }

private:
    void work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_wake.wait(lock, [this] { return !m_jobs.empty() || m_stopping; });
            --m_idle;
            if (m_jobs.empty())
                return;
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_stopping = false;
};

// The path as bytes a terminal shows plainly; never the query, which
// carries the password.
std::string printable(const std::string &path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (c > 0x20 && c < 0x7F && c != '%') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out.empty() ? std::string("-") : out;
}

void logAccess(const httplib::Request &request, const httplib::Response &response)
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    const double millis = t_exchange ? std::chrono::duration<double, std::milli>(Clock::now() - t_exchange->Start).count()
                                     : 0.0;
    std::fprintf(stderr, "%s %s %s %d %.1f ms\n", stamp, printable(request.method).c_str(),
                 printable(request.path).c_str(), response.status, millis);
}

} // namespace

HttpServer::HttpServer() : m_stopEvent(eventfd(0, EFD_CLOEXEC))
{
    if (m_stopEvent < 0)
        throw std::runtime_error("eventfd");
    new_task_queue = [] { return new GrowingPool; };
    set_keep_alive_timeout(std::chrono::duration_cast<std::chrono::seconds>(kKeepAliveTime).count());
    set_keep_alive_max_count(kRequestsPerConnection);
    set_logger(logAccess);
}

HttpServer::~HttpServer()
{
    ::close(m_stopEvent);
}

bool HttpServer::serve()
{
    // The library's backlog is short; many authors connecting at once would
    // wait for the kernel's retry.
    ::listen(svr_sock_, SOMAXCONN);
    return listen_after_bind();
}

void HttpServer::halt()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_stopEvent, &one, sizeof one);
    stop();
}

void HttpServer::closeAfterAnswer(httplib::Response &response)
{
    if (!response.has_header("Connection"))
        response.set_header("Connection", "close");
    if (t_exchange)
        t_exchange->CloseAfter = true;
}

bool HttpServer::process_and_close_socket(socket_t sock)
{
    Connection connection(sock, m_stopEvent);
    for (std::size_t served = 1; served <= kRequestsPerConnection && connection.readHead(kKeepAliveTime, kHeadTime);
         ++served) {
        Exchange exchange;
        t_exchange = &exchange;
        bool closed = false;
        const bool answered = process_request(connection, served == kRequestsPerConnection, closed, nullptr);
        t_exchange = nullptr;
        if (exchange.CloseAfter)
            connection.drain();
        if (!answered || closed || exchange.CloseAfter)
            break;
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return true;
}

} // namespace velorin
