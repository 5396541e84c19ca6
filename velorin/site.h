#pragma once

#include <QString>

namespace velorin {

// Where the sound library lies inside the static site.
inline QString soundLibraryDir(const QString &siteDir)
{
    return siteDir + QStringLiteral("/html/vestra/pags/sons");
}

} // namespace velorin
