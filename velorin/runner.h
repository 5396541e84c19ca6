#pragma once

#include "pagemodel.h"
#include "store.h"

#include <QString>
#include <QStringList>

namespace velorin {

// One page as a player sees it.
struct RunView {
    nimbra::PageModel Page;
    QString Idx;
    QString Prefix;
    QString Script;
    AdventureStyle Style;
    QStringList CarriedShapes; // pictures of the objects the player carries
};

// The 920 by 440 HTML page of a page script. Every link leads to
// exescp.php with the same Idx and Pfx and the link's target as Scp;
// kinds and arguments the runner does not act on are kept as data-*.
QString renderPage(const RunView &view);

} // namespace velorin
