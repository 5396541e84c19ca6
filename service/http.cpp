#include "http.h"

#include "codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <curl/curl.h>

namespace nimbra {

namespace {

constexpr auto kPumpEvery = std::chrono::milliseconds(50);

struct GlobalInit {
    GlobalInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

QString curlText(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("servidor inacessível");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("o servidor não respondeu a tempo");
    case CURLE_READ_ERROR:
        return QStringLiteral("arquivo ilegível");
    case CURLE_FILESIZE_EXCEEDED:
        return QStringLiteral("resposta grande demais");
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return QStringLiteral("redirecionamento recusado");
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("a conexão caiu no meio da resposta");
    default:
        return QString::fromUtf8(curl_easy_strerror(code));
    }
}

int defaultPort(const QString &scheme)
{
    return scheme == QLatin1String("https") ? 443 : 80;
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(defaultPort(a.scheme())) == b.port(defaultPort(b.scheme()));
}

// The first line of a plain-text refusal: the service speaking to the author.
QString refusalText(CURL *curl, long status, const QByteArray &body)
{
    char *type = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type);
    if (status < 400 || !type || !QByteArray(type).toLower().startsWith("text/plain"))
        return {};
    return fromCp1252(body.left(body.indexOf('\n'))).trimmed();
}

} // namespace

QString HttpResult::failureText() const
{
    if (Cancelled)
        return kCancelledText;
    if (!ServiceText.isEmpty())
        return ServiceText;
    return QStringLiteral("Falha na conexão: ") + Error + QStringLiteral("!!!");
}

namespace {

enum class Stop { None, Cancelled, Inactive, TooLong, TooLarge, SinkFailed, ForeignRedirect };

QString stopText(Stop stop)
{
    switch (stop) {
    case Stop::Cancelled:
        return kCancelledText;
    case Stop::Inactive:
        return QStringLiteral("o servidor não respondeu a tempo");
    case Stop::TooLong:
        return QStringLiteral("o servidor demorou demais");
    case Stop::TooLarge:
        return QStringLiteral("resposta grande demais");
    case Stop::SinkFailed:
        return QStringLiteral("não foi possível gravar o que chegou");
    case Stop::ForeignRedirect:
        return QStringLiteral("redirecionamento para outro servidor recusado");
    case Stop::None:
        break;
    }
    return {};
}

using Clock = std::chrono::steady_clock;

// A result with the body kept in memory, and the service's own words when
// it refused.
HttpResult withBody(CURL *curl, HttpResult result, QByteArray body)
{
    if (!result.Ok)
        result.ServiceText = refusalText(curl, result.Status, body);
    result.Body = std::move(body);
    return result;
}

} // namespace

struct Http::Handle {
    CURLSH *share = curl_share_init();
    CURL *curl = nullptr;
    CURLM *multi = curl_multi_init();
    curl_slist *headers = nullptr;
    ~Handle()
    {
        curl_multi_cleanup(multi);
        curl_easy_cleanup(curl);
        curl_share_cleanup(share);
        curl_slist_free_all(headers);
    }
};

// One transfer's own state: what it has received, since when, and why it
// was stopped. Every handle's callbacks point at theirs.
struct Http::Transfer {
    CURL *curl = nullptr;
    const Sink *sink = nullptr;
    HttpLimits limits = kReplyLimits;
    QUrl origin;
    qint64 received = 0;
    Stop stop = Stop::None;
    Clock::time_point start;
    Clock::time_point lastMove;
    curl_off_t bytesMoved = 0;

    void begin(CURL *handle, const QString &url, const Sink &to, const HttpLimits &within)
    {
        const QByteArray address = url.toUtf8();
        curl = handle;
        sink = &to;
        limits = within;
        origin = QUrl::fromEncoded(address);
        start = lastMove = Clock::now();
        curl_easy_setopt(curl, CURLOPT_URL, address.constData());
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.MaxBytes));
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    }

    size_t take(const char *data, size_t size)
    {
        if (received + qint64(size) > limits.MaxBytes) {
            stop = Stop::TooLarge;
            return 0;
        }
        received += qint64(size);
        if (!(*sink)(data, qsizetype(size))) {
            stop = Stop::SinkFailed;
            return 0;
        }
        return size;
    }

    // A redirect is followed only within the scheme, host and port asked:
    // a body is never sent again to another host.
    bool headerAllowed(const QByteArray &line)
    {
        if (!line.toLower().startsWith("location:"))
            return true;
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status / 100 != 3)
            return true;
        char *current = nullptr;
        curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &current);
        const QUrl target = QUrl::fromEncoded(QByteArray(current)).resolved(QUrl::fromEncoded(line.mid(9).trimmed()));
        if (sameOrigin(target, origin))
            return true;
        stop = Stop::ForeignRedirect;
        return false;
    }

    // Inactivity is measured here, per transfer: libcurl's own low-speed
    // check averages over the requests before, and then fires late.
    void checkTimes(std::chrono::milliseconds inactivity)
    {
        curl_off_t down = 0;
        curl_off_t up = 0;
        curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &down);
        curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &up);
        const auto now = Clock::now();
        if (down + up != bytesMoved) {
            bytesMoved = down + up;
            lastMove = now;
        }
        if (stop != Stop::None)
            return;
        if (now - lastMove > inactivity)
            stop = Stop::Inactive;
        else if (limits.Overall && now - start > *limits.Overall)
            stop = Stop::TooLong;
    }

    // Time the transfer was not driven (another ran meanwhile) is not its own.
    void holdFor(Clock::duration held)
    {
        start += held;
        lastMove += held;
    }

    HttpResult finish(CURLcode code) const
    {
        HttpResult result;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.Status);
        if (stop != Stop::None) {
            result.Cancelled = stop == Stop::Cancelled;
            result.Error = stopText(stop);
        } else if (code != CURLE_OK) {
            result.Error = curlText(code);
        } else {
            result.Ok = result.Status >= 200 && result.Status < 300;
            if (!result.Ok)
                result.Error = QStringLiteral("o servidor respondeu com erro %1").arg(result.Status);
        }
        return result;
    }
};

// The GETs of getMany: a few handles of their own, each taking the next
// address when its transfer ends.
struct Http::Batch {
    struct Slot {
        CURL *curl = nullptr;
        Transfer transfer;
        QByteArray body;
        Sink sink = [this](const char *data, qsizetype size) {
            body.append(data, size);
            return true;
        };
        qsizetype index = -1;
    };

    Batch(CURL *model, CURLSH *share, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto slot = std::make_unique<Slot>();
            slot->curl = curl_easy_duphandle(model);
            curl_easy_setopt(slot->curl, CURLOPT_SHARE, share);
            curl_easy_setopt(slot->curl, CURLOPT_HTTPGET, 1L);
            m_slots.push_back(std::move(slot));
        }
    }
    ~Batch()
    {
        for (const auto &slot : m_slots) {
            if (slot->index >= 0)
                curl_multi_remove_handle(multi, slot->curl);
            curl_easy_cleanup(slot->curl);
        }
        curl_multi_cleanup(multi);
    }
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    void start(Slot &slot, qsizetype index, const QString &url, const HttpLimits &limits)
    {
        slot.body.clear();
        slot.index = index;
        slot.transfer = Transfer();
        slot.transfer.begin(slot.curl, url, slot.sink, limits);
        curl_multi_add_handle(multi, slot.curl);
    }

    // The slot's result; the slot is free again.
    HttpResult end(Slot &slot, CURLcode code)
    {
        curl_multi_remove_handle(multi, slot.curl);
        slot.index = -1;
        return withBody(slot.curl, slot.transfer.finish(code), std::exchange(slot.body, {}));
    }

    Slot *slotOf(CURL *curl)
    {
        for (const auto &slot : m_slots)
            if (slot->curl == curl)
                return slot.get();
        return nullptr;
    }

    template <typename Each>
    void forRunning(Each each)
    {
        for (const auto &slot : m_slots)
            if (slot->index >= 0)
                each(*slot);
    }

    CURLM *multi = curl_multi_init();
    bool cancelled = false;
    std::vector<std::unique_ptr<Slot>> m_slots;
};

Http::Http() : m_handle(std::make_unique<Handle>())
{
    static GlobalInit init;
    // The batches' handles keep the same cookies as this one.
    curl_share_setopt(m_handle->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    CURL *curl = curl_easy_init();
    m_handle->curl = curl;
    m_handle->headers = curl_slist_append(m_handle->headers, "Accept: text/html, */*");
    curl_easy_setopt(curl, CURLOPT_SHARE, m_handle->share);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_handle->headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_NONE);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, +[](char *data, size_t size, size_t count, void *transfer) {
        return static_cast<Transfer *>(transfer)->take(data, size * count);
    });
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, +[](char *data, size_t size, size_t count, void *transfer) {
        const QByteArray line(data, qsizetype(size * count));
        return static_cast<Transfer *>(transfer)->headerAllowed(line) ? size * count : size_t(0);
    });
    setTimeouts(m_connect, m_inactivity);
}

Http::~Http() = default;

void Http::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds inactivity)
{
    m_connect = connect;
    m_inactivity = inactivity;
    curl_easy_setopt(m_handle->curl, CURLOPT_CONNECTTIMEOUT_MS, long(connect.count()));
}

void Http::setLimits(const HttpLimits &replies, const HttpLimits &downloads)
{
    m_replyLimits = replies;
    m_downloadLimits = downloads;
}

void Http::cancel()
{
    if (m_current && m_current->stop == Stop::None)
        m_current->stop = Stop::Cancelled;
    if (m_batch) {
        m_batch->cancelled = true;
        m_batch->forRunning([](Batch::Slot &slot) {
            if (slot.transfer.stop == Stop::None)
                slot.transfer.stop = Stop::Cancelled;
        });
    }
}

void Http::stop()
{
    m_stopped = true;
    cancel();
}

void Http::pumpWhenDue()
{
    const auto now = Clock::now();
    if (m_pump && now - m_lastPump >= kPumpEvery) {
        m_lastPump = now;
        m_pump();
    }
}

// Why no transfer may start now, if it may not.
std::optional<HttpResult> Http::refusal() const
{
    if (!m_busy && !m_stopped)
        return std::nullopt;
    HttpResult result;
    result.Cancelled = m_stopped;
    result.Error = m_stopped ? kCancelledText : QStringLiteral("outra transferência em andamento");
    return result;
}

HttpResult Http::perform(const QString &url, void *mime, const Sink &sink, const HttpLimits &limits)
{
    // Only a handler run from inside a transfer could get here twice; the
    // windows hold such handlers until the transfer ends.
    Q_ASSERT_X(!m_busy, "Http::perform", "a transfer started while another runs");
    if (auto refused = refusal())
        return *refused;
    CURL *curl = m_handle->curl;
    if (mime)
        curl_easy_setopt(curl, CURLOPT_MIMEPOST, static_cast<curl_mime *>(mime));
    else
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    Transfer transfer;
    transfer.begin(curl, url, sink, limits);
    m_busy = true;
    m_current = &transfer;
    m_lastPump = Clock::now();
    const auto code = CURLcode(drive(transfer));
    m_busy = false;
    m_current = nullptr;
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, nullptr);
    return transfer.finish(code);
}

int Http::drive(Transfer &transfer)
{
    // Driven here rather than by curl_easy_perform, which waits up to a second
    // between calls back while the service is silent: the windows keep
    // painting, and nothing runs inside libcurl while they do.
    CURLM *multi = m_handle->multi;
    curl_multi_add_handle(multi, transfer.curl);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK || !running)
            break;
        curl_multi_poll(multi, nullptr, 0, int(kPumpEvery.count()), nullptr);
        pumpWhenDue();
        transfer.checkTimes(m_inactivity);
        if (transfer.stop != Stop::None)
            break;
    }
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    }
    curl_multi_remove_handle(multi, transfer.curl);
    return code;
}

HttpResult Http::collect(const QString &url, void *mime, const HttpLimits &limits)
{
    QByteArray body;
    HttpResult result = perform(
        url, mime,
        [&body](const char *data, qsizetype size) {
            body.append(data, size);
            return true;
        },
        limits);
    return withBody(m_handle->curl, std::move(result), std::move(body));
}

std::vector<HttpResult> Http::getMany(const QStringList &urls, int inFlight, const Progress &progress)
{
    std::vector<HttpResult> results(size_t(urls.size()));
    std::optional<HttpResult> refused = refusal();
    if (!refused && m_batch) {
        refused.emplace();
        refused->Error = QStringLiteral("outra transferência em andamento");
    }
    if (refused || urls.isEmpty()) {
        std::fill(results.begin(), results.end(), refused.value_or(HttpResult()));
        return results;
    }
    Batch batch(m_handle->curl, m_handle->share, int(std::clamp<qsizetype>(inFlight, 1, urls.size())));
    m_batch = &batch;
    qsizetype next = 0;
    int done = 0;
    const auto startNext = [&](Batch::Slot &slot) {
        if (next < urls.size() && !batch.cancelled) {
            batch.start(slot, next, urls[next], m_replyLimits);
            ++next;
        }
    };
    const auto endSlot = [&](Batch::Slot &slot, CURLcode code) {
        const qsizetype index = slot.index;
        results[size_t(index)] = batch.end(slot, code);
        ++done;
        if (progress)
            progress(done, int(urls.size()));
        startNext(slot);
    };
    for (const auto &slot : batch.m_slots)
        startNext(*slot);
    m_lastPump = Clock::now();
    while (done < urls.size() && !(batch.cancelled && next == done)) {
        int running = 0;
        curl_multi_perform(batch.multi, &running);
        int left = 0;
        while (CURLMsg *message = curl_multi_info_read(batch.multi, &left))
            if (message->msg == CURLMSG_DONE)
                endSlot(*batch.slotOf(message->easy_handle), message->data.result);
        batch.forRunning([&](Batch::Slot &slot) {
            slot.transfer.checkTimes(m_inactivity);
            if (slot.transfer.stop != Stop::None)
                endSlot(slot, CURLE_ABORTED_BY_CALLBACK);
        });
        curl_multi_poll(batch.multi, nullptr, 0, int(kPumpEvery.count()), nullptr);
        const auto beforePump = Clock::now();
        pumpWhenDue();
        const auto held = Clock::now() - beforePump;
        batch.forRunning([held](Batch::Slot &slot) { slot.transfer.holdFor(held); });
    }
    m_batch = nullptr;
    HttpResult cancelled;
    cancelled.Cancelled = true;
    cancelled.Error = kCancelledText;
    for (qsizetype i = next; i < urls.size(); ++i)
        results[size_t(i)] = cancelled;
    return results;
}

HttpResult Http::get(const QString &url)
{
    return collect(url, nullptr, m_replyLimits);
}

HttpResult Http::getInto(const QString &url, const Sink &sink)
{
    return perform(url, nullptr, sink, m_downloadLimits);
}

HttpResult Http::postField(const QString &url, const QString &field, const QByteArray &value)
{
    curl_mime *mime = curl_mime_init(m_handle->curl);
    curl_mimepart *part = curl_mime_addpart(mime);
    curl_mime_name(part, field.toUtf8().constData());
    curl_mime_data(part, value.constData(), size_t(value.size()));
    HttpResult result = collect(url, mime, m_replyLimits);
    curl_mime_free(mime);
    return result;
}

HttpResult Http::postFile(const QString &url, const QString &field, const QString &filePath, const QString &contentType)
{
    // Read first: a missing or unreadable file sends nothing.
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        HttpResult failed;
        failed.Error = QStringLiteral("arquivo ilegível");
        return failed;
    }
    const QByteArray bytes = file.readAll();
    curl_mime *mime = curl_mime_init(m_handle->curl);
    curl_mimepart *part = curl_mime_addpart(mime);
    curl_mime_name(part, field.toUtf8().constData());
    curl_mime_data(part, bytes.constData(), size_t(bytes.size()));
    curl_mime_filename(part, QFileInfo(filePath).fileName().toUtf8().constData());
    curl_mime_type(part, contentType.toUtf8().constData());
    HttpResult result = collect(url, mime, {m_replyLimits.MaxBytes, std::nullopt});
    curl_mime_free(mime);
    return result;
}

QStringList Http::cookies() const
{
    QStringList lines;
    curl_slist *list = nullptr;
    curl_easy_getinfo(m_handle->curl, CURLINFO_COOKIELIST, &list);
    for (curl_slist *item = list; item; item = item->next) {
        // Netscape format: the name and value are the last two fields.
        const QStringList fields = QString::fromUtf8(item->data).split(QLatin1Char('\t'));
        if (fields.size() >= 7)
            lines.append(fields[5] + QLatin1Char('=') + fields[6]);
    }
    curl_slist_free_all(list);
    return lines;
}

} // namespace nimbra
