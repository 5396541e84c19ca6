#pragma once

#include "http.h"
#include "reply.h"
#include "textlines.h"

#include <QString>

#include <functional>

namespace nimbra {

// The activity indicator's states.
enum class Activity { Rest, Request, Upload };

inline const QString kNoConnection = QStringLiteral("Sem conexão!!!");

// The service as the windows use it: ServiceGet never fails towards its
// caller, direct requests hand their failure back, and the indicator shows
// what runs.
class ServiceClient final {
public:
    explicit ServiceClient(Http &http) : m_http(http) {}

    using Indicator = std::function<void(Activity)>;
    using OnlineProbe = std::function<bool(const QString &host)>;
    void setIndicator(Indicator indicator) { m_indicator = std::move(indicator); }
    // Replaces the connectivity check (tests: an offline machine).
    void setOnlineProbe(OnlineProbe probe) { m_online = std::move(probe); }

    Http &http() { return m_http; }

    // GET with the connectivity check and the indicator; "Sem conexão!!!"
    // when offline (nothing sent), the cancel text when the author stopped
    // it, "Tente novamente!" for any other transfer error.
    QString ServiceGet(const QString &url);
    // ServiceGet of every url, up to kInFlight at once; replies in the order
    // of urls. progress is told (done, total) as they come.
    static constexpr int kInFlight = 4;
    QStringList ServiceGetMany(const QStringList &urls, const Http::Progress &progress = {});
    Reply get(const QString &url) { return Reply(ServiceGet(url)); }
    // List fetch: lines 1 onwards of an "Ok" reply, else nothing.
    QStringList fetchList(const QString &url);

    // Direct requests: no connectivity check; the indicator shows `activity`
    // while they run. A failure comes back as a failed result.
    HttpResult direct(const QString &url, Activity activity = Activity::Request);
    HttpResult postField(const QString &url, const QString &field, const QByteArray &value);
    HttpResult postFile(const QString &url, const QString &field, const QString &filePath, const QString &contentType);

private:
    void show(Activity activity);
    bool online(const QString &url) const;
    template <typename Transfer>
    HttpResult during(Activity activity, Transfer transfer);

    Http &m_http;
    Indicator m_indicator;
    OnlineProbe m_online;
};

} // namespace nimbra
