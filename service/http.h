#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace nimbra {

// What one transfer gave: the body of a 2xx answer, or why there is none.
struct HttpResult {
    bool Ok = false;       // a complete answer with a 2xx status
    long Status = 0;       // the HTTP status, 0 when no answer came
    QByteArray Body;       // the body as it came (also for a non-2xx answer)
    QString Error;         // for a failure: a short text for the author

    // The text to show for a failed direct request.
    QString failureText() const;
};

// The one HTTP client of the run: one request at a time, cookies kept, the
// service's Accept and User-Agent headers, no authentication, no proxy.
// Every transfer has a connect time-out and an inactivity time-out; there is
// no total limit, so a large upload on a slow line still completes.
class Http final {
public:
    Http();
    ~Http();
    Http(const Http &) = delete;
    Http &operator=(const Http &) = delete;

    using Pump = std::function<void()>;
    // Called now and then while a transfer runs, so windows repaint.
    void setPump(Pump pump) { m_pump = std::move(pump); }

    // Inactivity counts whole seconds (at least one).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds inactivity);
    std::chrono::milliseconds connectTimeout() const { return m_connect; }
    std::chrono::milliseconds inactivityTimeout() const { return m_inactivity; }

    HttpResult get(const QString &url);
    // multipart/form-data with one text field.
    HttpResult postField(const QString &url, const QString &field, const QByteArray &value);
    // multipart/form-data with one file part.
    HttpResult postFile(const QString &url, const QString &field, const QString &filePath, const QString &contentType);

    // Cookies the client holds, as "name=value" lines (for tests and diagnostics).
    QStringList cookies() const;

private:
    HttpResult perform(const QString &url, void *mime);
    int transfer();
    // Called by libcurl while a transfer runs; false ends it for inactivity.
    bool progress(long long bytesMoved);

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    Pump m_pump;
    std::chrono::milliseconds m_connect{10000};
    std::chrono::milliseconds m_inactivity{30000};
    std::chrono::steady_clock::time_point m_lastPump;
    std::chrono::steady_clock::time_point m_lastMove;
    long long m_bytesMoved = 0;
};

} // namespace nimbra
