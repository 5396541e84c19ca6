#pragma once

// A real HTTP server on a loopback port that records what the client sent
// and answers as the test says: a status, a body, a delay, a cookie. For
// what the reference service will not do on purpose (HTTP 500, stalls, a
// reply broken off).
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <deque>
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
    std::string ContentType = "text/html";
    std::string Location;
    // The body is the request's path and query, so that replies can be told apart.
    bool Echo = false;
    enum class Flow {
        Whole,
        // Announces more bytes than Body holds and closes after Body, as a
        // service that stops in the middle of its reply.
        CutShort,
        // Body one byte at a time, a byte every 200 ms, without end.
        Trickle,
        // Body again and again without end, in chunks.
        Endless,
        // Announces 2 GB and sends Body again and again.
        HugeLength,
    } Flow = Flow::Whole;

    static Answer cutShort(std::string body) { return flowing(Flow::CutShort, std::move(body)); }
    static Answer flowing(enum Flow flow, std::string body)
    {
        Answer answer(200, std::move(body));
        answer.Flow = flow;
        return answer;
    }
    static Answer echo(std::chrono::milliseconds delay)
    {
        Answer answer(200, "", delay);
        answer.Echo = true;
        return answer;
    }
    static Answer redirect(int status, std::string location)
    {
        Answer answer(status, "");
        answer.Location = std::move(location);
        return answer;
    }
};

class Recorder final {
public:
    explicit Recorder(const char *host = "127.0.0.1") : m_host(host)
    {
        auto handle = [this](const httplib::Request &request, httplib::Response &response) {
            Answer answer;
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back({request.method, request.target, request.headers, request.files});
                answer = m_answers.front();
                if (m_answers.size() > 1)
                    m_answers.pop_front();
                m_mostAtOnce = std::max(m_mostAtOnce, ++m_running);
            }
            if (answer.Echo)
                answer.Body = request.target;
            std::this_thread::sleep_for(answer.Delay);
            {
                std::lock_guard lock(m_mutex);
                --m_running;
            }
            response.status = answer.Status;
            if (!answer.SetCookie.empty())
                response.set_header("Set-Cookie", answer.SetCookie);
            if (!answer.Location.empty())
                response.set_header("Location", answer.Location);
            provide(response, answer);
        };
        m_server.set_tcp_nodelay(true);
        m_server.Get(".*", handle);
        m_server.Post(".*", handle);
        m_port = m_server.bind_to_any_port(m_host);
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~Recorder()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string siteUrl() const { return "http://" + m_host + ":" + std::to_string(m_port) + "/"; }
    void answer(Answer a) { answerInTurn({std::move(a)}); }
    // One answer per request in turn; the last one stays.
    void answerInTurn(std::deque<Answer> answers)
    {
        std::lock_guard lock(m_mutex);
        m_answers = std::move(answers);
    }
    std::vector<Recorded> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    // The most requests that were being answered at one time.
    int mostAtOnce()
    {
        std::lock_guard lock(m_mutex);
        return m_mostAtOnce;
    }
    Recorded last()
    {
        std::lock_guard lock(m_mutex);
        return m_requests.empty() ? Recorded{} : m_requests.back();
    }

private:
    static void provide(httplib::Response &response, const Answer &answer)
    {
        const std::string body = answer.Body;
        const char *type = answer.ContentType.c_str();
        switch (answer.Flow) {
        case Answer::Flow::Whole:
            response.set_content(body, type);
            break;
        case Answer::Flow::CutShort:
            response.set_content_provider(body.size() + 1000, type, [body](size_t offset, size_t, httplib::DataSink &sink) {
                // Refusing the rest closes the connection.
                return offset < body.size() && sink.write(body.data() + offset, body.size() - offset);
            });
            break;
        case Answer::Flow::Trickle:
            response.set_chunked_content_provider(type, [body](size_t offset, httplib::DataSink &sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                return sink.write(body.data() + offset % body.size(), 1);
            });
            break;
        case Answer::Flow::Endless:
            response.set_chunked_content_provider(type, [body](size_t, httplib::DataSink &sink) {
                return sink.write(body.data(), body.size());
            });
            break;
        case Answer::Flow::HugeLength:
            response.set_content_provider(size_t(2) << 30, type, [body](size_t, size_t, httplib::DataSink &sink) {
                return sink.write(body.data(), body.size());
            });
            break;
        }
    }

    std::string m_host;
    httplib::Server m_server;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<Recorded> m_requests;
    std::deque<Answer> m_answers{Answer()};
    int m_running = 0;
    int m_mostAtOnce = 0;
    int m_port = 0;
};
