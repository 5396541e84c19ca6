#include "storymap.h"

#include "textlines.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace nimbra {
namespace {

const QString kStart = QStringLiteral("$start");
const QString kReturn = QStringLiteral("xvlt");

QString nameKey(const QString &name)
{
    return UnderscoreToBlank(name);
}

QString dotEscaped(const QString &text)
{
    QString q = text;
    return q.replace(u'\\', QLatin1StringView("\\\\")).replace(u'"', QLatin1StringView("\\\""));
}

QString dotQuoted(const QString &text)
{
    return u'"' + dotEscaped(text) + u'"';
}

} // namespace

int StoryMap::indexOf(const QString &name) const
{
    const QString key = nameKey(name);
    for (size_t i = 0; i < Pages.size(); ++i)
        if (Pages[i].Name == key)
            return int(i);
    return -1;
}

std::vector<const MapLink *> StoryMap::brokenLinks() const
{
    std::vector<const MapLink *> broken;
    for (const MapLink &link : Links)
        if (link.To < 0)
            broken.push_back(&link);
    return broken;
}

std::optional<QString> screenLinkTarget(const ScreenLink &link)
{
    // As the service runs them: a picture, film or text that leads on by
    // argument 2, an invisible area by argument 1; the others lead nowhere,
    // and so does an empty target.
    const QString kind = link.Kind.trimmed();
    if (kind == QLatin1StringView("fig") || kind == QLatin1StringView("mov") || kind == QLatin1StringView("txt"))
        return link.Arg2;
    if (kind == QLatin1StringView("map"))
        return link.Arg1;
    return std::nullopt;
}

QStringList pageTargets(const PageModel &page)
{
    QStringList targets;
    for (const IconSlot &icon : page.IconSlots)
        if (icon.Mark.isEmpty())
            targets.append(icon.Target);
    if (page.PageKind == QLatin1StringView("img"))
        for (const ScreenLink &link : page.ScreenLinks)
            if (link.Mark.isEmpty())
                if (const std::optional<QString> target = screenLinkTarget(link); target && !target->isEmpty())
                    targets.append(*target);
    return targets;
}

StoryMap buildStoryMap(const std::vector<MapSource> &sources, const QString &startPage)
{
    StoryMap map;
    QHash<QString, int> index;
    for (const MapSource &s : sources) {
        const QString key = nameKey(s.Name);
        if (index.contains(key))
            continue;
        index.insert(key, int(map.Pages.size()));
        map.Pages.push_back({key, s.Page.PageKind,
                             s.Page.PageKind == QLatin1StringView("img") ? s.Page.ScreenImage : QString(), s.Loaded,
                             s.Status, false, false});
    }
    map.StartPage = index.value(nameKey(startPage), -1);

    std::vector<bool> linkedTo(map.Pages.size(), false);
    std::vector<char> done(map.Pages.size(), 0);
    for (const MapSource &s : sources) {
        const int from = index.value(nameKey(s.Name));
        if (!s.Loaded || std::exchange(done[from], char(1)))
            continue;
        for (const QString &target : pageTargets(s.Page)) {
            const QString t = trimLine(target);
            if (t == kReturn) {
                map.Pages[from].Returns = true;
                continue;
            }
            const int to = t == kStart ? map.StartPage : index.value(nameKey(t), -1);
            map.Links.push_back({from, to, target});
            if (to >= 0 && to != from)
                linkedTo[to] = true;
        }
    }
    for (size_t i = 0; i < map.Pages.size(); ++i)
        map.Pages[i].Unreachable = !linkedTo[i] && int(i) != map.StartPage;
    return map;
}

std::vector<QPointF> layoutStoryMap(const StoryMap &map, const QHash<QString, QPointF> &saved,
                                    MapLayoutSpacing spacing)
{
    const int n = int(map.Pages.size());
    std::vector<std::vector<int>> next(n);
    for (const MapLink &link : map.Links)
        if (link.To >= 0 && link.To != link.From)
            next[link.From].push_back(link.To);

    // Breadth first from the start page, then from every page still left,
    // in name order, each such group starting a column after the last one.
    std::vector<int> column(n, -1);
    std::vector<int> order;
    order.reserve(n);
    auto visitFrom = [&](int root, int firstColumn) {
        std::deque<int> queue{root};
        column[root] = firstColumn;
        int deepest = firstColumn;
        while (!queue.empty()) {
            const int page = queue.front();
            queue.pop_front();
            order.push_back(page);
            deepest = std::max(deepest, column[page]);
            for (int to : next[page])
                if (column[to] < 0) {
                    column[to] = column[page] + 1;
                    queue.push_back(to);
                }
        }
        return deepest;
    };
    int nextColumn = 0;
    if (map.StartPage >= 0)
        nextColumn = visitFrom(map.StartPage, 0) + 1;
    std::vector<int> rest(n);
    for (int i = 0; i < n; ++i)
        rest[i] = i;
    std::sort(rest.begin(), rest.end(), [&](int a, int b) { return map.Pages[a].Name < map.Pages[b].Name; });
    for (int page : rest)
        if (column[page] < 0)
            nextColumn = visitFrom(page, nextColumn) + 1;

    std::vector<int> rowsUsed(std::max(nextColumn, 1), 0);
    std::vector<QPointF> places(n);
    for (int page : order) {
        const int c = column[page];
        places[page] = QPointF(c * spacing.Column, rowsUsed[c]++ * spacing.Row);
    }
    for (int i = 0; i < n; ++i) {
        const auto it = saved.constFind(map.Pages[i].Name);
        if (it != saved.constEnd())
            places[i] = *it;
    }
    return places;
}

QHash<QString, QPointF> readMapPlaces(const QString &text)
{
    QHash<QString, QPointF> places;
    for (const QString &line : splitLines(text)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3 || fields[0].isEmpty())
            continue;
        bool okX = false;
        bool okY = false;
        const double x = fields[1].toDouble(&okX);
        const double y = fields[2].toDouble(&okY);
        if (okX && okY && qIsFinite(x) && qIsFinite(y))
            places.insert(fields[0], QPointF(x, y));
    }
    return places;
}

QString writeMapPlaces(const QHash<QString, QPointF> &places)
{
    QStringList names = places.keys();
    names.sort();
    QStringList lines;
    for (const QString &name : names)
        lines.append(name + u'\t' + QString::number(places[name].x()) + u'\t' + QString::number(places[name].y()));
    return joinLinesCrLf(lines);
}

QString storyMapToDot(const StoryMap &map)
{
    QString dot = QStringLiteral("digraph aventura {\n  node [shape=box];\n");
    for (size_t i = 0; i < map.Pages.size(); ++i) {
        const MapPage &p = map.Pages[i];
        QString label = dotEscaped(p.Name) + QLatin1StringView("\\n") + dotEscaped(p.Kind);
        if (p.Returns)
            label += QStringLiteral(" ↩");
        QString attributes = QLatin1StringView("label=\"") + label + u'"';
        if (int(i) == map.StartPage)
            attributes += QLatin1StringView(", peripheries=2");
        if (!p.Loaded)
            attributes += QLatin1StringView(", style=dashed, tooltip=") + dotQuoted(p.Status);
        else if (p.Unreachable)
            attributes += QLatin1StringView(", style=filled, fillcolor=lightgrey");
        dot += QLatin1StringView("  ") + dotQuoted(p.Name) + QLatin1StringView(" [") + attributes
            + QLatin1StringView("];\n");
    }
    for (const MapLink &link : map.Links) {
        const QString from = dotQuoted(map.Pages[link.From].Name);
        if (link.To >= 0) {
            dot += QLatin1StringView("  ") + from + QLatin1StringView(" -> ") + dotQuoted(map.Pages[link.To].Name)
                + QLatin1StringView(";\n");
            continue;
        }
        const QString missing = dotQuoted(QStringLiteral("? ") + link.Target);
        dot += QLatin1StringView("  ") + missing + QLatin1StringView(" [color=red, fontcolor=red, style=dashed];\n  ")
            + from + QLatin1StringView(" -> ") + missing + QLatin1StringView(" [color=red];\n");
    }
    dot += QLatin1StringView("}\n");
    return dot;
}

} // namespace nimbra
