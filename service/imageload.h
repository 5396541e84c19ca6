#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace nimbra {

// What the loader did with the picture that was shown.
struct LoadedImage {
    enum class Outcome { Cleared, Decoded, Failed, Unchanged };
    Outcome outcome = Outcome::Failed;
    // The picture to show now: null for Cleared and Failed, the decoded opaque
    // picture (Format_RGB32) for Decoded, the caller's current one for Unchanged.
    QImage image;
    // For Failed: a short text for a status label, with the name in it.
    QString error;
};

// Loads advFolder + name (advFolder ends in "/"). The decoder follows the
// extension of name alone, case-insensitively: png, jpg/jpeg, gif (first
// frame), bmp. An empty name clears the picture; any other extension leaves
// current in place. A name that is not one plain file-name component is
// refused without touching the disk. Transparent parts are drawn on
// background. Never throws; every fault of the file ends in Failed.
LoadedImage loadImageFile(const QString &advFolder, const QString &name, const QImage &current,
                          QColor background = Qt::white);

} // namespace nimbra
