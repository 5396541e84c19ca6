#include "update.h"

#include "codepage.h"
#include "download.h"

namespace nimbra {

VersionCheck CheckVersion(Velorin &service, const QString &ownVersion, QString *error)
{
    const HttpResult result = service.version();
    if (!result.Ok) {
        *error = result.failureText();
        return VersionCheck::Failed;
    }
    const QString text = fromCp1252(result.Body);
    return text.isEmpty() || text == ownVersion ? VersionCheck::Same : VersionCheck::Other;
}

std::optional<QString> FetchUpdater(Velorin &service, const QString &name)
{
    Http &http = service.client().http();
    http.setTimeouts(std::chrono::milliseconds(5000), std::chrono::milliseconds(5000));
    const Session &s = service.session();
    return downloadToFile(http, s.SiteUrl + QStringLiteral("nimbra/") + name, s.AppDir + name);
}

QString updaterParameters(const QString &siteUrl)
{
    return kUpdaterToken + QLatin1Char(' ') + siteUrl + QStringLiteral("nimbra/");
}

} // namespace nimbra
