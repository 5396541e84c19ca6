#pragma once

// The geometry of the hotspot editor: a rectangle over the page's screen
// picture and the small handle in its bottom-right corner that resizes it.
// Pure functions, so every clamp is testable without a window.
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace nimbra {

inline constexpr int kScreenWidth = 852;
inline constexpr int kScreenHeight = 358;
inline constexpr int kHandleSize = 8;

// "000" followed by the value, of which the last three characters remain.
QString threeDigits(int value);

// The link edits' view of a hotspot, each in three-digit form.
struct HotspotTexts {
    QString Left;
    QString Top;
    QString Width;
    QString Height;
    bool operator==(const HotspotTexts &) const = default;
};
HotspotTexts hotspotTexts(const QRect &hotspot);

// Where the handle's top-left sits for a hotspot.
QPoint handlePlace(const QRect &hotspot);

// The hotspot moved by delta, stopped at the screen's edges: top first, then
// left, each first against 0 and then against the far edge.
QRect movedHotspot(const QRect &hotspot, QPoint delta);

// The hotspot whose handle the mouse took to handleTopLeft. The handle stays
// right of and below the hotspot's top-left corner and on the screen, so the
// hotspot never gets smaller than the handle.
QRect resizedHotspot(const QRect &hotspot, QPoint handleTopLeft);

// Any rectangle made to fit the screen: the size between the handle's and the
// screen's, then the position so that all of it lies on the screen.
QRect keptOnScreen(const QRect &hotspot);

// The hotspot the author typed. Texts that are not whole numbers give nothing;
// any whole numbers, however large or negative, give a hotspot on the screen.
std::optional<QRect> hotspotFromTexts(const QString &left, const QString &top, const QString &width,
                                      const QString &height);

} // namespace nimbra
