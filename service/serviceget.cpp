#include "serviceget.h"

#include "codepage.h"
#include "isonline.h"

#include <QUrl>

namespace nimbra {

void ServiceClient::show(Activity activity)
{
    if (m_indicator)
        m_indicator(activity);
}

template <typename Transfer>
HttpResult ServiceClient::during(Activity activity, Transfer transfer)
{
    show(activity);
    HttpResult result = transfer();
    show(Activity::Rest);
    return result;
}

namespace {

QString replyText(const HttpResult &result)
{
    return result.Ok ? fromCp1252(result.Body) : result.Cancelled ? kCancelledText : kTryAgain;
}

} // namespace

bool ServiceClient::online(const QString &url) const
{
    const QString host = QUrl(url).host();
    return m_online ? m_online(host) : IsOnline(host);
}

QString ServiceClient::ServiceGet(const QString &url)
{
    show(Activity::Request);
    const QString reply = online(url) ? replyText(m_http.get(url)) : kNoConnection;
    show(Activity::Rest);
    return reply;
}

QStringList ServiceClient::ServiceGetMany(const QStringList &urls, const Http::Progress &progress)
{
    if (urls.isEmpty())
        return {};
    show(Activity::Request);
    QStringList replies;
    if (!online(urls.front())) {
        for (qsizetype i = 0; i < urls.size(); ++i)
            replies.append(kNoConnection);
    } else {
        for (const HttpResult &result : m_http.getMany(urls, kInFlight, progress))
            replies.append(replyText(result));
    }
    show(Activity::Rest);
    return replies;
}

QStringList ServiceClient::fetchList(const QString &url)
{
    const Reply reply = get(url);
    return reply.isOk() ? reply.data() : QStringList();
}

HttpResult ServiceClient::direct(const QString &url, Activity activity)
{
    return during(activity, [&] { return m_http.get(url); });
}

HttpResult ServiceClient::postField(const QString &url, const QString &field, const QByteArray &value)
{
    return during(Activity::Request, [&] { return m_http.postField(url, field, value); });
}

HttpResult ServiceClient::postFile(const QString &url, const QString &field, const QString &filePath,
                                   const QString &contentType)
{
    return during(Activity::Upload, [&] { return m_http.postFile(url, field, filePath, contentType); });
}

} // namespace nimbra
