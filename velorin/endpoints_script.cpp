#include "codepage.h"
#include "endpoints.h"
#include "messages.h"
#include "reply.h"
#include "templates.h"

namespace velorin {

QByteArray nmbLsScp(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    return linesReply(call.store().scriptNames(adventure.Id));
}

// The stored bytes follow the status line unchanged.
QByteArray nmbGtScp(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    auto text = call.store().script(adventure.Id, call.name("Scp"));
    require(text.has_value(), msg::NoScript);
    return linesReply({}) + *text;
}

QByteArray nmbPtScp(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    const QString name = call.name("Scp");
    call.store().putScript(adventure.Id, name, call.part("texto"));
    return okReply();
}

// A new script starts as a text page, so it is never empty even when the
// client's store that follows does not arrive.
QByteArray mobNwScp(Call &call)
{
    const Account author = call.account();
    const Adventure adventure = call.adventure(author);
    const QString name = call.name("Scp");
    call.checkIndex(author);
    const QByteArray text = nimbra::toCp1252(nimbra::pageTemplate(nimbra::NewPageKind::Text, name));
    require(call.store().createScript(adventure.Id, name, text), msg::ScriptExists);
    return okReply();
}

} // namespace velorin
