#include "codepage.h"
#include "endpoints.h"
#include "messages.h"
#include "reply.h"
#include "textlines.h"

namespace velorin {

static const QString kSeparator = QStringLiteral("-+-");

QByteArray mobLsLib(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    QStringList lines = call.store().candidates(adventure.Id);
    lines.append(kSeparator);
    lines.append(call.store().editors(adventure.Id));
    return linesReply(lines);
}

// The whole list of editors, one login a line; blank lines mean nothing.
static QStringList editorNames(const QByteArray &text)
{
    QStringList names;
    for (const QString &line : nimbra::splitLines(nimbra::fromCp1252(text))) {
        const QString name = nimbra::trimLine(line);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QByteArray mobPtLib(Call &call)
{
    const Account author = call.account();
    const Adventure adventure = call.adventure(author);
    require(adventure.OwnerId == author.Id, msg::OwnerOnly);
    const QStringList unknown = call.store().setEditors(adventure.Id, editorNames(call.part("texto")));
    if (unknown.isEmpty())
        return okReply();
    return linesReply({QString::fromUtf16(msg::UnknownUsers).arg(unknown.join(QStringLiteral(", ")))});
}

} // namespace velorin
