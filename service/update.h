#pragma once

#include "velorin.h"

#include <QString>

#include <optional>

namespace nimbra {

enum class VersionCheck { Same, Other, Failed };

// Compares the service's version text with ours, exactly; an empty answer
// counts as the same version. A failed request is reported in error.
VersionCheck CheckVersion(Velorin &service, const QString &ownVersion, QString *error);

inline const QString kUpdaterName = QStringLiteral("atlz.exe");
inline const QString kUpdaterToken = QStringLiteral("4k82r6w");

// Fetches SiteUrl + "nimbra/" + name into AppDir + name. From here on every
// transfer of the run gets 5000 ms connect and inactivity time-outs.
// Returns the failure text, or nothing on success.
std::optional<QString> FetchUpdater(Velorin &service, const QString &name);

// The updater's parameter text: the token, one blank, the site's folder.
QString updaterParameters(const QString &siteUrl);

} // namespace nimbra
