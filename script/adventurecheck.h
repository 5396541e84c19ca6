#pragma once

#include "storymap.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace nimbra {

// What would break for a player of the adventure.
struct CheckFinding {
    enum class Kind { BrokenLink, Unreachable, MissingFile, MissingObjectPicture };
    Kind What;
    QString Page;  // the page, or the object, it is found on
    QString Name;  // the link's target or the file's name
    bool operator==(const CheckFinding &) const = default;
};

struct ObjectPicture {
    QString Object;
    QString Picture;
};

// The pictures and sounds a page uses: screen image (image pages), background
// image, the images of its active icons, argument 1 of its active screen
// links when it names a picture or a sound, initial sound. Names beginning
// with "$" are the service's library, not files of the adventure.
QStringList filesUsedBy(const PageModel &page);

// Broken links, pages the start page does not lead to, and, when the
// adventure's files are known, pictures and sounds that are not among them.
std::vector<CheckFinding> checkAdventure(const std::vector<MapSource> &pages, const QString &startPage,
                                         const std::optional<QStringList> &files,
                                         const std::vector<ObjectPicture> &objects = {});

// The pictures and sounds the pages use, and the objects' pictures, that are
// not among files.
std::vector<CheckFinding> missingFiles(const std::vector<MapSource> &pages, const QStringList &files,
                                       const std::vector<ObjectPicture> &objects = {});

// One line for the author, in the program's language.
QString findingText(const CheckFinding &finding);

} // namespace nimbra
