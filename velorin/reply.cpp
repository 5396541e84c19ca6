#include "reply.h"

#include "call.h"
#include "codepage.h"
#include "messages.h"
#include "textlines.h"

namespace velorin {

QByteArray bareReply(const QString &text)
{
    return nimbra::toCp1252(text);
}

QByteArray okReply()
{
    return bareReply(QString::fromUtf16(msg::Ok));
}

QByteArray linesReply(const QStringList &data)
{
    QStringList lines{QString::fromUtf16(msg::Ok)};
    lines.append(data);
    return nimbra::toCp1252(nimbra::joinLinesCrLf(lines));
}

void require(bool condition, const char16_t *text)
{
    if (!condition)
        throw Refusal{QString::fromUtf16(text)};
}

} // namespace velorin
