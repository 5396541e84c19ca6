#include "maploader.h"

#include "codepage.h"
#include "imageload.h"
#include "parser.h"
#include "serviceget.h"
#include "textlines.h"

#include <QFile>
#include <QSaveFile>

namespace nimbra {

namespace {

MapSource mapSourceOf(const QString &name, const QString &reply)
{
    const QStringList lines = splitLines(reply);
    const QString status = lines.value(0);
    if (status != QLatin1StringView("Ok"))
        return {name, PageModel(), false, statusToShow(status)};
    return {name, parsePage(lines), true, status};
}

} // namespace

MapSource fetchMapSource(ScriptStore &store, const QString &name)
{
    return mapSourceOf(name, store.fetchScript(name));
}

std::vector<MapSource> fetchMapSources(ScriptStore &store, const QStringList &names, const MapProgress &progress)
{
    QStringList wanted;
    for (const QString &name : names)
        if (!trimLine(name).isEmpty())
            wanted.append(name);
    if (progress)
        progress(0, int(wanted.size()));
    const QStringList replies = store.fetchScripts(wanted, progress);
    std::vector<MapSource> sources;
    sources.reserve(size_t(wanted.size()));
    for (qsizetype i = 0; i < wanted.size(); ++i)
        sources.push_back(mapSourceOf(wanted[i], replies.value(i)));
    return sources;
}

QString mapPlacesPath(const QString &advFolder)
{
    return advFolder + kMapPlacesFile;
}

QHash<QString, QPointF> loadMapPlaces(const QString &advFolder)
{
    if (advFolder.isEmpty())
        return {};
    QFile file(mapPlacesPath(advFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readMapPlaces(fromCp1252(file.readAll()));
}

std::optional<QString> saveMapPlaces(const QString &advFolder, const QHash<QString, QPointF> &places)
{
    if (advFolder.isEmpty())
        return QStringLiteral("Não tem aventura em edição!!!");
    const QByteArray bytes = toCp1252(writeMapPlaces(places));
    QSaveFile file(mapPlacesPath(advFolder));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Não foi possível gravar ") + mapPlacesPath(advFolder) + QStringLiteral("!!!");
    return std::nullopt;
}

QImage pageThumbnail(const QString &advFolder, const MapPage &page, QSize size)
{
    if (advFolder.isEmpty() || page.ScreenImage.isEmpty())
        return {};
    const LoadedImage loaded = loadImageFile(advFolder, page.ScreenImage, QImage());
    if (loaded.outcome != LoadedImage::Outcome::Decoded)
        return {};
    return loaded.image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace nimbra
