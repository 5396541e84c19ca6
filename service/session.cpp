#include "session.h"

#ifndef NIMBRA_SITE_URL
#define NIMBRA_SITE_URL "http://127.0.0.1:8642/"
#endif

namespace nimbra {

void Session::setSite(const QString &siteUrl)
{
    SiteUrl = siteUrl.endsWith(QLatin1Char('/')) ? siteUrl : siteUrl + QLatin1Char('/');
    ServiceUrl = SiteUrl + QStringLiteral("nimbra/wbetz/");
}

QString builtInSiteUrl()
{
    return QStringLiteral(NIMBRA_SITE_URL);
}

} // namespace nimbra
