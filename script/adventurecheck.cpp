#include "adventurecheck.h"

#include "textlines.h"

#include <QSet>

#include <deque>

namespace nimbra {

namespace {

bool isLibraryName(const QString &name)
{
    return name.startsWith(u'$');
}

// Argument 1 of a link is a picture ("fig") or an attached sound; other
// kinds carry text or addresses there.
bool namesAFile(const QString &name)
{
    static const QStringList kinds = {QStringLiteral(".png"), QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
                                      QStringLiteral(".gif"), QStringLiteral(".bmp"), QStringLiteral(".mp3"),
                                      QStringLiteral(".wav"), QStringLiteral(".ogg"), QStringLiteral(".mid")};
    for (const QString &kind : kinds)
        if (name.endsWith(kind, Qt::CaseInsensitive))
            return true;
    return false;
}

void addFile(QStringList &files, const QString &name)
{
    const QString file = trimLine(name);
    if (!file.isEmpty() && !isLibraryName(file) && !files.contains(file))
        files.append(file);
}

// Pages the start page leads to, through any number of links.
std::vector<bool> reachedFromStart(const StoryMap &map)
{
    std::vector<bool> reached(map.Pages.size(), false);
    if (map.StartPage < 0)
        return reached;
    std::deque<int> next{map.StartPage};
    reached[map.StartPage] = true;
    while (!next.empty()) {
        const int from = next.front();
        next.pop_front();
        for (const MapLink &link : map.Links)
            if (link.From == from && link.To >= 0 && !reached[link.To]) {
                reached[link.To] = true;
                next.push_back(link.To);
            }
    }
    return reached;
}

} // namespace

QStringList filesUsedBy(const PageModel &page)
{
    QStringList files;
    const bool image = page.PageKind == QLatin1StringView("img");
    if (image)
        addFile(files, page.ScreenImage);
    addFile(files, page.BackImage);
    for (const IconSlot &icon : page.IconSlots)
        if (icon.Mark.isEmpty())
            addFile(files, icon.Image);
    if (image)
        for (const ScreenLink &link : page.ScreenLinks)
            if (link.Mark.isEmpty() && namesAFile(trimLine(link.Arg1)))
                addFile(files, link.Arg1);
    addFile(files, page.InitialSound);
    return files;
}

std::vector<CheckFinding> checkAdventure(const std::vector<MapSource> &pages, const QString &startPage,
                                         const std::optional<QStringList> &files,
                                         const std::vector<ObjectPicture> &objects)
{
    const StoryMap map = buildStoryMap(pages, startPage);
    std::vector<CheckFinding> found;
    for (const MapLink *link : map.brokenLinks())
        if (!isLibraryName(trimLine(link->Target)))
            found.push_back({CheckFinding::Kind::BrokenLink, map.Pages[link->From].Name, link->Target});
    const std::vector<bool> reached = reachedFromStart(map);
    for (size_t i = 0; i < map.Pages.size(); ++i)
        if (!reached[i])
            found.push_back({CheckFinding::Kind::Unreachable, map.Pages[i].Name, QString()});
    if (files) {
        const std::vector<CheckFinding> missing = missingFiles(pages, *files, objects);
        found.insert(found.end(), missing.begin(), missing.end());
    }
    return found;
}

std::vector<CheckFinding> missingFiles(const std::vector<MapSource> &pages, const QStringList &files,
                                       const std::vector<ObjectPicture> &objects)
{
    std::vector<CheckFinding> found;
    const QSet<QString> present(files.begin(), files.end());
    for (const MapSource &page : pages)
        for (const QString &file : filesUsedBy(page.Page))
            if (!present.contains(file))
                found.push_back({CheckFinding::Kind::MissingFile, UnderscoreToBlank(page.Name), file});
    for (const ObjectPicture &object : objects) {
        const QString picture = trimLine(object.Picture);
        if (!picture.isEmpty() && !isLibraryName(picture) && !present.contains(picture))
            found.push_back({CheckFinding::Kind::MissingObjectPicture, object.Object, picture});
    }
    return found;
}

QString findingText(const CheckFinding &f)
{
    switch (f.What) {
    case CheckFinding::Kind::BrokenLink:
        return QStringLiteral("%1: link para \"%2\", que não é página da aventura").arg(f.Page, f.Name);
    case CheckFinding::Kind::Unreachable:
        return QStringLiteral("%1: nenhum caminho da página inicial chega aqui").arg(f.Page);
    case CheckFinding::Kind::MissingFile:
        return QStringLiteral("%1: usa \"%2\", que não está entre os arquivos da aventura").arg(f.Page, f.Name);
    case CheckFinding::Kind::MissingObjectPicture:
        return QStringLiteral("objeto %1: figura \"%2\" não está entre os arquivos da aventura").arg(f.Page, f.Name);
    }
    return {};
}

} // namespace nimbra
