#include "codepage.h"

#include <array>
#include <unordered_map>

namespace nimbra {
namespace {

// 0x80-0x9F; undefined positions keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t charOfByte(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : char16_t(b);
}

const std::unordered_map<char16_t, char> &specialBytes()
{
    static const std::unordered_map<char16_t, char> table = [] {
        std::unordered_map<char16_t, char> t;
        for (int b = 0x80; b <= 0x9F; ++b)
            t.emplace(kHighControls[b - 0x80], char(b));
        return t;
    }();
    return table;
}

} // namespace

QString fromCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(charOfByte(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray toCp1252(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = char(c);
            continue;
        }
        const auto &table = specialBytes();
        const auto it = table.find(c);
        out[i] = it != table.end() ? it->second : '?';
    }
    return bytes;
}

} // namespace nimbra
