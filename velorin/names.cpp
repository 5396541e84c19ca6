#include "names.h"

#include "codepage.h"
#include "textlines.h"

#include <cctype>

namespace velorin {

bool isLineText(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            return false;
    }
    return true;
}

bool isPlainName(const QString &name)
{
    if (name.isEmpty() || name.size() > 120 || name == u"." || name == u"..")
        return false;
    if (name.contains(u'/') || name.contains(u'\\'))
        return false;
    return isLineText(name);
}

bool isLogin(const QString &login)
{
    return isPlainName(login) && login == login.trimmed() && login != QStringView(kEditorsSeparator);
}

QString canonicalName(const QString &name)
{
    return nimbra::BlankToUnderscore(name);
}

QString decodeValue(const std::string &bytes)
{
    return nimbra::fromCp1252(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

QString hexOf(const QString &text)
{
    return QString::fromLatin1(nimbra::toCp1252(text).toHex().toUpper());
}

QString fromHex(const QString &hex)
{
    const QByteArray digits = hex.toLatin1();
    if (digits.size() % 2 != 0)
        return {};
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return {};
    }
    return nimbra::fromCp1252(QByteArray::fromHex(digits));
}

QString urlValue(const QString &value)
{
    return QString::fromLatin1(nimbra::toCp1252(value).toPercentEncoding("$"));
}

} // namespace velorin
