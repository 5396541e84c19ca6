#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace velorin {

// Pictures the service draws itself: the stock images a new page refers to
// and the demo adventure's art. Shapes only, so no fonts are needed.
QByteArray pngBytes(const QImage &image);

enum class IconShape { Arrow, House, Question, Star, Key, Lamp, Door };

QImage drawIcon(IconShape shape, QColor color);
// A simple scene of the 852 by 358 content area: sky, ground, a door or window.
QImage drawScene(QColor sky, QColor ground, bool withDoor);
QImage drawDivider();

// "fio.png", "icone.png" and "tela01.png", which every template names.
std::optional<QByteArray> stockImage(const QString &name);

} // namespace velorin
