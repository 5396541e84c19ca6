#include "requesturl.h"

#include "codepage.h"

namespace nimbra {

namespace {

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

QString query(QueryPairs pairs, QChar first)
{
    QString text;
    QChar separator = first;
    for (const auto &[key, value] : pairs) {
        text += separator + QLatin1String(key) + QLatin1Char('=') + percentEncode(value);
        separator = QLatin1Char('&');
    }
    return text;
}

} // namespace

QString percentEncode(const QString &value)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = toCp1252(value);
    QString out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (isUnreserved(c)) {
            out += QLatin1Char(c);
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0xF]);
        }
    }
    return out;
}

QString endpointUrl(const QString &serviceUrl, const char *endpoint, const QString &login, const QString &password,
                    QueryPairs further)
{
    return serviceUrl + QLatin1String(endpoint) + query({{"Login", login}, {"Senha", password}}, QLatin1Char('?')) +
           query(further, QLatin1Char('&'));
}

QString runUrl(const QString &siteUrl, const QString &userIdx, const QString &prefix, const QString &script)
{
    return siteUrl + QStringLiteral("html/vestra/exescp.php") +
           query({{"Idx", userIdx}, {"Pfx", prefix}, {"Scp", script}}, QLatin1Char('?'));
}

QString qrChartUrl(const QString &siteUrl, const QString &text)
{
    return siteUrl + QStringLiteral("chart?cht=qr&chs=160x160&chl=") + percentEncode(text);
}

QString adventureQrText(const QString &siteUrl, const QString &prefix)
{
    return siteUrl + QStringLiteral("html/vestra/inicio.php?Pfx=") + prefix;
}

QString pageQrText(const QString &siteUrl, const QString &prefix, const QString &userIdx, const QString &script)
{
    const QByteArray bytes = toCp1252(prefix + u'|' + userIdx + u'|' + script + u'|');
    return siteUrl + QStringLiteral("html/vestra/exescp.php?Chx=") + QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace nimbra
