#include "adventure.h"

#include "textlines.h"

#include "filenames.h"

namespace nimbra {

namespace {

constexpr qsizetype kAdventureDataLines = 18;

} // namespace

std::optional<ObjectData> readObjectData(const Reply &reply)
{
    if (!reply.isOk() || reply.size() < 5)
        return std::nullopt;
    const auto place = [&reply](int first) { return ObjectPlace{trimLine(reply.line(first)), trimLine(reply.line(first + 1))}; };
    return ObjectData{place(1), place(3)};
}

std::optional<AdventureData> readAdventureData(const Reply &reply, QString *why)
{
    if (!reply.isOk()) {
        *why = reply.status();
        return std::nullopt;
    }
    if (reply.size() < kAdventureDataLines) {
        *why = kShortAdventureData;
        return std::nullopt;
    }
    if (!isPlainFileName(reply.line(1))) {
        *why = kBadAdventurePrefix;
        return std::nullopt;
    }
    return AdventureData{reply.line(1), reply.line(12), reply.line(13), reply.line(14), reply.line(16), reply.line(17)};
}

QColor ColorFromText(const QString &text)
{
    const QColor neutral(206, 206, 206);
    if (text.isEmpty())
        return neutral;
    // Read as the Windows colour value 0x00BBGGRR.
    const QString hex = QStringLiteral("00") + text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2);
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (!ok)
        return neutral;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace nimbra
