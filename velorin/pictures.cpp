#include "pictures.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <map>

namespace velorin {

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

static void drawIconShape(QPainter &p, IconShape shape)
{
    switch (shape) {
    case IconShape::Arrow:
        p.drawPolygon(QPolygonF({{40, 14}, {16, 29}, {40, 44}}));
        break;
    case IconShape::House:
        p.drawPolygon(QPolygonF({{29, 10}, {10, 28}, {16, 28}, {16, 47}, {42, 47}, {42, 28}, {48, 28}}));
        break;
    case IconShape::Question:
        p.drawEllipse(QPointF(29, 22), 11, 10);
        p.drawRect(26, 34, 6, 6);
        p.drawRect(26, 43, 6, 6);
        break;
    case IconShape::Star:
        p.drawPolygon(QPolygonF({{29, 8}, {35, 23}, {50, 23}, {38, 32}, {43, 48}, {29, 38}, {15, 48}, {20, 32}, {8, 23}, {23, 23}}));
        break;
    case IconShape::Key:
        p.drawEllipse(QPointF(18, 29), 9, 9);
        p.drawRect(26, 26, 24, 6);
        p.drawRect(42, 32, 4, 8);
        break;
    case IconShape::Lamp:
        p.drawEllipse(QPointF(29, 22), 13, 13);
        p.drawRect(23, 36, 12, 10);
        break;
    case IconShape::Door:
        p.drawRect(17, 8, 24, 42);
        break;
    }
}

QImage drawIcon(IconShape shape, QColor color)
{
    QImage image(58, 58, QImage::Format_ARGB32);
    image.fill(QColor(0xF4, 0xF0, 0xE6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(160), 2));
    p.drawRoundedRect(QRectF(1, 1, 56, 56), 8, 8);
    p.setBrush(color);
    drawIconShape(p, shape);
    return image;
}

QImage drawScene(QColor sky, QColor ground, bool withDoor)
{
    QImage image(852, 358, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient air(0, 0, 0, 240);
    air.setColorAt(0, sky.lighter(130));
    air.setColorAt(1, sky);
    p.fillRect(0, 0, 852, 240, air);
    p.fillRect(0, 240, 852, 118, ground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF2, 0xA8));
    p.drawEllipse(QPointF(720, 70), 36, 36);
    p.setBrush(ground.darker(140));
    if (withDoor) {
        p.drawRect(380, 120, 100, 160);
        p.setBrush(QColor(0xD8, 0xB0, 0x40));
        p.drawEllipse(QPointF(462, 200), 6, 6);
    } else {
        p.drawRect(120, 90, 140, 100);
        p.drawRect(560, 150, 180, 110);
    }
    return image;
}

QImage drawDivider()
{
    QImage image(920, 2, QImage::Format_RGB32);
    image.fill(QColor(0x80, 0x80, 0x80));
    return image;
}

static QImage drawStockScreen()
{
    QImage image(852, 358, QImage::Format_RGB32);
    image.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter p(&image);
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 3));
    p.drawRect(2, 2, 847, 353);
    p.drawLine(0, 0, 852, 358);
    p.drawLine(0, 358, 852, 0);
    return image;
}

std::optional<QByteArray> stockImage(const QString &name)
{
    static const std::map<QString, QByteArray> images = {
        {QStringLiteral("fio.png"), pngBytes(drawDivider())},
        {QStringLiteral("icone.png"), pngBytes(drawIcon(IconShape::Star, QColor(0x60, 0x60, 0x90)))},
        {QStringLiteral("tela01.png"), pngBytes(drawStockScreen())},
    };
    const auto found = images.find(name);
    if (found == images.end())
        return std::nullopt;
    return found->second;
}

} // namespace velorin
