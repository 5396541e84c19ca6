#include "hotspot.h"

#include <algorithm>

namespace nimbra {

namespace {

// Far beyond the screen, so every larger number is clamped the same way.
constexpr int kNumberCap = 1'000'000;

// A whole number in decimal with an optional sign, blanks around it allowed;
// very long numbers stop growing at kNumberCap.
std::optional<int> wholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = t.startsWith(u'-');
    if (negative || t.startsWith(u'+'))
        ++i;
    if (i == t.size())
        return std::nullopt;
    int value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (c - u'0'), kNumberCap);
    }
    return negative ? -value : value;
}

} // namespace

QString threeDigits(int value)
{
    return QString(QStringLiteral("000") + QString::number(value)).right(3);
}

HotspotTexts hotspotTexts(const QRect &hotspot)
{
    return {threeDigits(hotspot.left()), threeDigits(hotspot.top()), threeDigits(hotspot.width()),
            threeDigits(hotspot.height())};
}

QPoint handlePlace(const QRect &hotspot)
{
    return {hotspot.left() + hotspot.width() - kHandleSize, hotspot.top() + hotspot.height() - kHandleSize};
}

QRect movedHotspot(const QRect &hotspot, QPoint delta)
{
    int top = hotspot.top() + delta.y();
    if (top < 0)
        top = 0;
    if (top > kScreenHeight - hotspot.height())
        top = kScreenHeight - hotspot.height();
    int left = hotspot.left() + delta.x();
    if (left < 0)
        left = 0;
    if (left > kScreenWidth - hotspot.width())
        left = kScreenWidth - hotspot.width();
    return {QPoint(left, top), hotspot.size()};
}

QRect resizedHotspot(const QRect &hotspot, QPoint handleTopLeft)
{
    int x = handleTopLeft.x();
    if (x < hotspot.left())
        x = hotspot.left();
    if (x > kScreenWidth - kHandleSize)
        x = kScreenWidth - kHandleSize;
    int y = handleTopLeft.y();
    if (y < hotspot.top())
        y = hotspot.top();
    if (y > kScreenHeight - kHandleSize)
        y = kScreenHeight - kHandleSize;
    return {hotspot.topLeft(), QSize(x + kHandleSize - hotspot.left(), y + kHandleSize - hotspot.top())};
}

QRect keptOnScreen(const QRect &hotspot)
{
    const int width = std::clamp(hotspot.width(), kHandleSize, kScreenWidth);
    const int height = std::clamp(hotspot.height(), kHandleSize, kScreenHeight);
    return {std::clamp(hotspot.left(), 0, kScreenWidth - width), std::clamp(hotspot.top(), 0, kScreenHeight - height),
            width, height};
}

std::optional<QRect> hotspotFromTexts(const QString &left, const QString &top, const QString &width,
                                      const QString &height)
{
    const std::optional<int> x = wholeNumber(left);
    const std::optional<int> y = wholeNumber(top);
    const std::optional<int> w = wholeNumber(width);
    const std::optional<int> h = wholeNumber(height);
    if (!x || !y || !w || !h)
        return std::nullopt;
    return keptOnScreen(QRect(*x, *y, *w, *h));
}

} // namespace nimbra
