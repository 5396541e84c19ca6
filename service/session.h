#pragma once

#include <QString>

namespace nimbra {

// What every window reads and writes while the author works. Plain fields:
// an empty text means not set.
struct Session {
    QString ServiceUrl;   // site root + "nimbra/wbetz/"
    QString SiteUrl;      // the site root, ending in "/"
    QString AppDir;       // the program's folder, ending in "/"
    QString Login;
    QString Password;
    QString UserIdx;
    QString AdvPrefix;
    QString AdvName;
    QString AdvFolder;    // AppDir + AdvPrefix + "/"
    QString ScriptName;
    QString RunUrl;
    QString RunScript;
    QString PickedFileName;
    QString BrowserUrl;

    // Both addresses from the site root.
    void setSite(const QString &siteUrl);
};

// The site root the client is built for (the local service by default).
QString builtInSiteUrl();

} // namespace nimbra
