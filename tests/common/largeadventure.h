#pragma once

// A large generated adventure stored on a running service, for the map at
// scale: every page links to the next one and to another further on; every
// tenth page has a broken link.
#include "generator.h"
#include "pagesession.h"
#include "parser.h"
#include "templates.h"

#include <QStringList>

inline QString largeAdventurePage(int n, int pages)
{
    using namespace nimbra;
    const QString name = QStringLiteral("pagina_%1").arg(n);
    PageModel page = parseScriptText(pageTemplate(n % 2 ? NewPageKind::Image : NewPageKind::Text, name));
    page.IconSlots[0] = {QString(), QStringLiteral("a.png"), QStringLiteral("pagina_%1").arg((n + 1) % pages)};
    page.IconSlots[1] = {QString(), QStringLiteral("b.png"), QStringLiteral("pagina_%1").arg((n * 7 + 3) % pages)};
    page.IconSlots[8] = {QString(), QStringLiteral("c.png"), n % 10 ? QStringLiteral("$start") : QStringLiteral("sumida")};
    return generateScript(page, name);
}

// Creates and stores the pages; the names in order, or none when the
// service refused one.
inline QStringList storeLargeAdventure(nimbra::PageStore &store, int pages)
{
    QStringList names;
    for (int n = 0; n < pages; ++n) {
        const QString name = QStringLiteral("pagina_%1").arg(n);
        if (store.newScript(name) != QLatin1String("Ok")
            || store.storeScript(name, largeAdventurePage(n, pages)) != QLatin1String("Ok"))
            return {};
        names.append(name);
    }
    return names;
}
