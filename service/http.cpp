#include "http.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <curl/curl.h>

#include <algorithm>

namespace nimbra {

namespace {

constexpr auto kPumpEvery = std::chrono::milliseconds(50);

struct GlobalInit {
    GlobalInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

size_t collectBody(char *data, size_t size, size_t count, void *target)
{
    static_cast<QByteArray *>(target)->append(data, qsizetype(size * count));
    return size * count;
}

QString curlText(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("servidor inacessível");
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("o servidor não respondeu a tempo");
    case CURLE_READ_ERROR:
        return QStringLiteral("arquivo ilegível");
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("a conexão caiu no meio da resposta");
    default:
        return QString::fromUtf8(curl_easy_strerror(code));
    }
}

} // namespace

QString HttpResult::failureText() const
{
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
    curl_easy_setopt(curl, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION,
                     +[](void *self, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent) -> int {
                         return static_cast<Http *>(self)->progress(received + sent) ? 0 : 1;
                     });
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    setTimeouts(m_connect, m_inactivity);
}

Http::~Http() = default;

void Http::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds inactivity)
{
    m_connect = connect;
    m_inactivity = inactivity;
    curl_easy_setopt(m_handle->curl, CURLOPT_CONNECTTIMEOUT_MS, long(connect.count()));
}

bool Http::progress(long long bytesMoved)
{
    // Inactivity is measured here, per transfer: libcurl's own low-speed
    // check averages over the requests before, and then fires late.
    const auto now = std::chrono::steady_clock::now();
    if (m_pump && now - m_lastPump >= kPumpEvery) {
        m_lastPump = now;
        m_pump();
    }
    if (bytesMoved != m_bytesMoved) {
        m_bytesMoved = bytesMoved;
        m_lastMove = now;
    }
    return now - m_lastMove <= m_inactivity;
}

HttpResult Http::perform(const QString &url, void *mime)
{
    CURL *curl = m_handle->curl;
    HttpResult result;
    const QByteArray address = url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.Body);
    if (mime)
        curl_easy_setopt(curl, CURLOPT_MIMEPOST, static_cast<curl_mime *>(mime));
    else
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    m_lastPump = m_lastMove = std::chrono::steady_clock::now();
    m_bytesMoved = 0;
    const auto code = CURLcode(transfer());
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, nullptr);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.Status);
    if (code != CURLE_OK) {
        result.Error = curlText(code);
        return result;
    }
    result.Ok = result.Status >= 200 && result.Status < 300;
    if (!result.Ok)
        result.Error = QStringLiteral("o servidor respondeu com erro %1").arg(result.Status);
    return result;
}

int Http::transfer()
{
    // Driven here rather than by curl_easy_perform, which waits up to a second
    // between calls back while the service is silent: the windows keep painting.
    CURLM *multi = m_handle->multi;
    curl_multi_add_handle(multi, m_handle->curl);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            break;
        if (running)
            curl_multi_poll(multi, nullptr, 0, int(kPumpEvery.count()), nullptr);
    }
    CURLcode code = CURLE_RECV_ERROR;
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    }
    curl_multi_remove_handle(multi, m_handle->curl);
    return code;
}

HttpResult Http::get(const QString &url)
{
    return perform(url, nullptr);
}

HttpResult Http::postField(const QString &url, const QString &field, const QByteArray &value)
{
    curl_mime *mime = curl_mime_init(m_handle->curl);
    curl_mimepart *part = curl_mime_addpart(mime);
    curl_mime_name(part, field.toUtf8().constData());
    curl_mime_data(part, value.constData(), size_t(value.size()));
    HttpResult result = perform(url, mime);
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
    HttpResult result = perform(url, mime);
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
