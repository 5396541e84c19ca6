#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace nimbra {

// What one transfer gave: the body of a 2xx answer, or why there is none.
struct HttpResult {
    bool Ok = false;        // a complete answer with a 2xx status
    bool Cancelled = false; // the author (or the end of the run) stopped it
    long Status = 0;        // the HTTP status, 0 when no answer came
    QByteArray Body;        // the body as it came (also for a non-2xx answer)
    QString Error;          // for a failure: a short text for the author
    QString ServiceText;    // the first line of a plain-text refusal of the service

    // The text to show for a failed direct request.
    QString failureText() const;
};

inline const QString kCancelledText = QStringLiteral("Transferência cancelada!");

// How far one transfer may go. Replies are held in memory, downloads go
// to a file; both are capped so that no service can fill memory or disk.
struct HttpLimits {
    qint64 MaxBytes;
    // Overall time from start to end; none for transfers that move data
    // for as long as they need (uploads).
    std::optional<std::chrono::milliseconds> Overall;
};

inline constexpr HttpLimits kReplyLimits{qint64(32) << 20, std::chrono::seconds(60)};
inline constexpr HttpLimits kDownloadLimits{qint64(64) << 20, std::chrono::minutes(10)};

// The one HTTP client of the run: one request at a time (but for the batch
// fetches of the windows over the whole adventure), cookies kept, the
// service's Accept and User-Agent headers, no authentication, no proxy.
// Every transfer has a connect time-out, an inactivity time-out, a size
// limit and (but uploads) an overall limit, and can be cancelled.
// Redirects are followed only within the scheme, host and port asked.
class Http final {
public:
    Http();
    ~Http();
    Http(const Http &) = delete;
    Http &operator=(const Http &) = delete;

    using Pump = std::function<void()>;
    // Called many times a second while a transfer runs, so windows repaint;
    // it is never called from inside libcurl.
    void setPump(Pump pump) { m_pump = std::move(pump); }

    // Inactivity counts whole seconds (at least one).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds inactivity);
    std::chrono::milliseconds connectTimeout() const { return m_connect; }
    std::chrono::milliseconds inactivityTimeout() const { return m_inactivity; }

    // Replies are held in memory, downloads go to a sink; uploads take the
    // replies' size limit and no overall limit.
    void setLimits(const HttpLimits &replies, const HttpLimits &downloads);

    HttpResult get(const QString &url);
    // GET whose body goes to `sink` as it comes; a false from the sink ends
    // the transfer. The result carries no body.
    using Sink = std::function<bool(const char *data, qsizetype size)>;
    HttpResult getInto(const QString &url, const Sink &sink);
    // multipart/form-data with one text field.
    HttpResult postField(const QString &url, const QString &field, const QByteArray &value);
    // multipart/form-data with one file part.
    HttpResult postFile(const QString &url, const QString &field, const QString &filePath, const QString &contentType);

    // GETs of every url with up to inFlight of them running at once, on
    // transfers of their own that share this client's cookies, headers,
    // limits, redirect rule and cancel; results in the order of urls.
    // progress is told (done, total) as they end. Refused inside another
    // transfer: the windows' handlers never start one there.
    using Progress = std::function<void(int done, int total)>;
    std::vector<HttpResult> getMany(const QStringList &urls, int inFlight, const Progress &progress = {});

    // True while a transfer runs.
    bool busy() const { return m_busy; }
    // Ends the running transfers, if any, as cancelled.
    void cancel();
    // Ends the running transfers and refuses every later one: the run ends.
    void stop();

    // Cookies the client holds, as "name=value" lines (for tests and diagnostics).
    QStringList cookies() const;

private:
    struct Handle;
    struct Transfer;
    struct Batch;

    HttpResult collect(const QString &url, void *mime, const HttpLimits &limits);
    HttpResult perform(const QString &url, void *mime, const Sink &sink, const HttpLimits &limits);
    std::optional<HttpResult> refusal() const;
    int drive(Transfer &transfer);
    void pumpWhenDue();

    std::unique_ptr<Handle> m_handle;
    Pump m_pump;
    std::chrono::milliseconds m_connect{10000};
    std::chrono::milliseconds m_inactivity{30000};
    HttpLimits m_replyLimits = kReplyLimits;
    HttpLimits m_downloadLimits = kDownloadLimits;

    bool m_busy = false;
    bool m_stopped = false;
    // The running single transfer and batch, for cancel.
    Transfer *m_current = nullptr;
    Batch *m_batch = nullptr;
    std::chrono::steady_clock::time_point m_lastPump;
};

} // namespace nimbra
