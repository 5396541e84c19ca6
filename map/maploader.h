#pragma once

#include "pagesession.h"
#include "storymap.h"

#include <QHash>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace nimbra {

// Fetches one page for the map. A reply whose line 0 is not "Ok" gives a
// page that is not loaded, with that line (or "Tente novamente!" for an
// empty reply) as its status.
MapSource fetchMapSource(ScriptStore &store, const QString &name);

// Fetches every named page, in order of names; blank names are skipped.
// progress is told (0, n) first, then (done, n) as the n fetches end.
using MapProgress = ScriptStore::FetchProgress;
std::vector<MapSource> fetchMapSources(ScriptStore &store, const QStringList &names, const MapProgress &progress = {});

// The places file of an adventure folder (ending in "/").
QString mapPlacesPath(const QString &advFolder);

// The saved places; a missing or unreadable file gives none.
QHash<QString, QPointF> loadMapPlaces(const QString &advFolder);

// Writes the places file atomically; on failure, the text to show.
std::optional<QString> saveMapPlaces(const QString &advFolder, const QHash<QString, QPointF> &places);

// The page's screen image from the adventure folder, scaled to fit size;
// null for text pages and for an image that is not there or does not decode.
QImage pageThumbnail(const QString &advFolder, const MapPage &page, QSize size);

inline const QString kMapPlacesFile = QStringLiteral("mapa.txt");

} // namespace nimbra
