#include "codepage.h"
#include "endpoints.h"
#include "messages.h"
#include "names.h"
#include "reply.h"
#include "textlines.h"

namespace velorin {

// Accounts made before logins had rules may hold names that would break
// the list into other lines; they are never listed.
static QStringList logins(const QStringList &names)
{
    QStringList kept;
    for (const QString &name : names) {
        if (isLogin(name))
            kept.append(name);
    }
    return kept;
}

QByteArray mobLsLib(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    QStringList lines = logins(call.store().candidates(adventure.Id));
    lines.append(QString::fromUtf16(kEditorsSeparator));
    lines.append(logins(call.store().editors(adventure.Id)));
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
    const QStringList names = editorNames(call.part("texto"));
    const QStringList refused = call.store().setEditors(adventure.Id, logins(names));
    QStringList unknown;
    for (const QString &name : names) {
        if (!isLogin(name) || refused.contains(name))
            unknown.append(name);
    }
    if (unknown.isEmpty())
        return okReply();
    return linesReply({QString::fromUtf16(msg::UnknownUsers).arg(unknown.join(QStringLiteral(", ")))});
}

} // namespace velorin
