#pragma once

#include "pagemodel.h"

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

#include <vector>

namespace nimbra {

// One page of an adventure as the story map shows it.
struct MapPage {
    QString Name;          // as the script list shows it (blanks, not "_")
    QString Kind;          // "txt", "img", or what the header says
    QString ScreenImage;   // image pages only
    bool Loaded = true;    // false when the page could not be fetched
    QString Status;        // why it could not be fetched
    bool Returns = false;  // has an active link to "xvlt"
    bool Unreachable = false;
};

// One active link of a page: an icon or a "fig" screen link.
struct MapLink {
    int From = -1;
    int To = -1;           // index of the target page, -1 when broken
    QString Target;        // the target as written in the script
    bool operator==(const MapLink &) const = default;
};

struct StoryMap {
    std::vector<MapPage> Pages;
    std::vector<MapLink> Links;
    int StartPage = -1;

    int indexOf(const QString &name) const;
    std::vector<const MapLink *> brokenLinks() const;
};

// The page a screen link leads to: argument 2 of "fig", "mov" and "txt"
// links, argument 1 of "map" areas; nothing for the other kinds.
std::optional<QString> screenLinkTarget(const ScreenLink &link);

// The links a page leads to: the targets of its active icons and, on image
// pages, of its active screen links, in script order.
QStringList pageTargets(const PageModel &page);

struct MapSource {
    QString Name;
    PageModel Page;
    bool Loaded = true;
    QString Status;
};

// Builds the map; "$start" leads to startPage, "xvlt" is a return mark.
// Names compare with "_" and blank as the same character.
StoryMap buildStoryMap(const std::vector<MapSource> &pages, const QString &startPage);

// Layered layout from the start page: the column is the shortest number of
// links from it, pages it does not reach come in columns after the others.
// The same map always gives the same places; saved places win.
struct MapLayoutSpacing {
    double Column = 220;
    double Row = 130;
};
std::vector<QPointF> layoutStoryMap(const StoryMap &map, const QHash<QString, QPointF> &saved = {},
                                    MapLayoutSpacing spacing = {});

// The places the author dragged boxes to, one "name<TAB>x<TAB>y" line each.
QHash<QString, QPointF> readMapPlaces(const QString &text);
QString writeMapPlaces(const QHash<QString, QPointF> &places);

// The map as Graphviz dot text.
QString storyMapToDot(const StoryMap &map);

} // namespace nimbra
