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

struct Http::Handle {
    CURL *curl = nullptr;
    CURLM *multi = curl_multi_init();
    curl_slist *headers = nullptr;
    ~Handle()
    {
        curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
    }
};

Http::Http() : m_handle(std::make_unique<Handle>())
{
    static GlobalInit init;
    CURL *curl = curl_easy_init();
    m_handle->curl = curl;
    m_handle->headers = curl_slist_append(m_handle->headers, "Accept: text/html, */*");
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
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, +[](char *data, size_t size, size_t count, void *self) {
        return static_cast<Http *>(self)->take(data, size * count);
    });
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, +[](char *data, size_t size, size_t count, void *self) {
        const QByteArray line(data, qsizetype(size * count));
        return static_cast<Http *>(self)->headerAllowed(line) ? size * count : size_t(0);
    });
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
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
    if (m_busy && m_stop == Stop::None)
        m_stop = Stop::Cancelled;
}

void Http::stop()
{
    m_stopped = true;
    cancel();
}

size_t Http::take(const char *data, size_t size)
{
    if (m_received + qint64(size) > m_limits.MaxBytes) {
        m_stop = Stop::TooLarge;
        return 0;
    }
    m_received += qint64(size);
    if (!(*m_sink)(data, qsizetype(size))) {
        m_stop = Stop::SinkFailed;
        return 0;
    }
    return size;
}

// A redirect is followed only within the scheme, host and port asked:
// a body is never sent again to another host.
bool Http::headerAllowed(const QByteArray &line)
{
    if (!line.toLower().startsWith("location:"))
        return true;
    long status = 0;
    curl_easy_getinfo(m_handle->curl, CURLINFO_RESPONSE_CODE, &status);
    if (status / 100 != 3)
        return true;
    char *current = nullptr;
    curl_easy_getinfo(m_handle->curl, CURLINFO_EFFECTIVE_URL, &current);
    const QUrl target = QUrl::fromEncoded(QByteArray(current)).resolved(QUrl::fromEncoded(line.mid(9).trimmed()));
    if (sameOrigin(target, m_origin))
        return true;
    m_stop = Stop::ForeignRedirect;
    return false;
}

void Http::pumpWhenDue()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_pump && now - m_lastPump >= kPumpEvery) {
        m_lastPump = now;
        m_pump();
    }
}

// Inactivity is measured here, per transfer: libcurl's own low-speed check
// averages over the requests before, and then fires late.
Http::Stop Http::checkTimes()
{
    curl_off_t down = 0;
    curl_off_t up = 0;
    curl_easy_getinfo(m_handle->curl, CURLINFO_SIZE_DOWNLOAD_T, &down);
    curl_easy_getinfo(m_handle->curl, CURLINFO_SIZE_UPLOAD_T, &up);
    const auto now = std::chrono::steady_clock::now();
    if (down + up != m_bytesMoved) {
        m_bytesMoved = down + up;
        m_lastMove = now;
    }
    if (now - m_lastMove > m_inactivity)
        return Stop::Inactive;
    if (m_limits.Overall && now - m_start > *m_limits.Overall)
        return Stop::TooLong;
    return Stop::None;
}

QString Http::stopText(Stop stop)
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

HttpResult Http::perform(const QString &url, void *mime, const Sink &sink, const HttpLimits &limits)
{
    // Only a handler run from inside a transfer could get here twice; the
    // windows hold such handlers until the transfer ends.
    Q_ASSERT_X(!m_busy, "Http::perform", "a transfer started while another runs");
    HttpResult result;
    if (m_busy || m_stopped) {
        result.Cancelled = m_stopped;
        result.Error = m_stopped ? kCancelledText : QStringLiteral("outra transferência em andamento");
        return result;
    }
    CURL *curl = m_handle->curl;
    const QByteArray address = url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.MaxBytes));
    if (mime)
        curl_easy_setopt(curl, CURLOPT_MIMEPOST, static_cast<curl_mime *>(mime));
    else
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    m_busy = true;
    m_stop = Stop::None;
    m_sink = &sink;
    m_limits = limits;
    m_origin = QUrl::fromEncoded(address);
    m_received = 0;
    m_bytesMoved = 0;
    m_start = m_lastPump = m_lastMove = std::chrono::steady_clock::now();
    const auto code = CURLcode(transfer());
    m_busy = false;
    m_sink = nullptr;
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, nullptr);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.Status);
    if (m_stop != Stop::None) {
        result.Cancelled = m_stop == Stop::Cancelled;
        result.Error = stopText(m_stop);
    } else if (code != CURLE_OK) {
        result.Error = curlText(code);
    } else {
        result.Ok = result.Status >= 200 && result.Status < 300;
        if (!result.Ok)
            result.Error = QStringLiteral("o servidor respondeu com erro %1").arg(result.Status);
    }
    return result;
}

int Http::transfer()
{
    // Driven here rather than by curl_easy_perform, which waits up to a second
    // between calls back while the service is silent: the windows keep
    // painting, and nothing runs inside libcurl while they do.
    CURLM *multi = m_handle->multi;
    curl_multi_add_handle(multi, m_handle->curl);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK || !running)
            break;
        curl_multi_poll(multi, nullptr, 0, int(kPumpEvery.count()), nullptr);
        pumpWhenDue();
        if (m_stop == Stop::None)
            m_stop = checkTimes();
        if (m_stop != Stop::None)
            break;
    }
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    }
    curl_multi_remove_handle(multi, m_handle->curl);
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
    if (!result.Ok)
        result.ServiceText = refusalText(m_handle->curl, result.Status, body);
    result.Body = std::move(body);
    return result;
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
