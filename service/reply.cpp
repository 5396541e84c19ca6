#include "reply.h"

#include "codepage.h"
#include "textlines.h"

namespace nimbra {

Reply::Reply(const QString &text) : m_text(text), m_lines(splitLines(text)) {}

Reply Reply::fromBytes(const QByteArray &body)
{
    return Reply(fromCp1252(body));
}

} // namespace nimbra
