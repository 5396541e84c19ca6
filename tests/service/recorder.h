#pragma once

// A real HTTP server on a loopback port that records what the client sent
// and answers as the test says: a status, a body, a delay, a cookie. For
// what the reference service will not do on purpose (HTTP 500, stalls, a
// reply broken off).
#include <httplib.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Recorded {
    std::string Method;
    std::string Target;  // path and query exactly as sent
    httplib::Headers Headers;
    httplib::MultipartFormDataMap Files;
};

struct Answer {
    Answer(int status = 200, std::string body = "Ok", std::chrono::milliseconds delay = {}, std::string setCookie = {})
        : Status(status), Body(std::move(body)), Delay(delay), SetCookie(std::move(setCookie))
    {
    }
    int Status;
    std::string Body;
    std::chrono::milliseconds Delay;
    std::string SetCookie;
    // Announces more bytes than Body holds and closes after Body, as a
    // service that stops in the middle of its reply.
    bool CutShort = false;

    static Answer cutShort(std::string body)
    {
        Answer answer(200, std::move(body));
        answer.CutShort = true;
        return answer;
    }
};

class Recorder final {
public:
    Recorder()
    {
        auto handle = [this](const httplib::Request &request, httplib::Response &response) {
            Answer answer;
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back({request.method, request.target, request.headers, request.files});
                answer = m_answer;
            }
            std::this_thread::sleep_for(answer.Delay);
            response.status = answer.Status;
            if (!answer.SetCookie.empty())
                response.set_header("Set-Cookie", answer.SetCookie);
            if (answer.CutShort)
                breakOff(response, answer.Body);
            else
                response.set_content(answer.Body, "text/html");
        };
        m_server.set_tcp_nodelay(true);
        m_server.Get(".*", handle);
        m_server.Post(".*", handle);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~Recorder()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string siteUrl() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    void answer(Answer a)
    {
        std::lock_guard lock(m_mutex);
        m_answer = std::move(a);
    }
    std::vector<Recorded> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    Recorded last()
    {
        std::lock_guard lock(m_mutex);
        return m_requests.empty() ? Recorded{} : m_requests.back();
    }

private:
    static void breakOff(httplib::Response &response, const std::string &body)
    {
        response.set_content_provider(body.size() + 1000, "text/html",
                                      [body](size_t offset, size_t, httplib::DataSink &sink) {
                                          // Refusing the rest closes the connection.
                                          return offset < body.size() && sink.write(body.data() + offset, body.size() - offset);
                                      });
    }

    httplib::Server m_server;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<Recorded> m_requests;
    Answer m_answer;
    int m_port = 0;
};
