#include "codepage.h"
#include "endpoints.h"
#include "messages.h"
#include "names.h"
#include "reply.h"
#include "templates.h"

namespace velorin {

// The page every new adventure starts with.
static const QString kFirstPage = QStringLiteral("inicio");

static QString shownName(const Adventure &adventure)
{
    return adventure.Title.isEmpty() ? adventure.Name : adventure.Title;
}

QByteArray mobList(Call &call)
{
    const Account author = call.account();
    QStringList names;
    for (const Adventure &adventure : call.store().adventuresOf(author.Id))
        names.append(shownName(adventure));
    return linesReply(names);
}

QByteArray mobDados(Call &call)
{
    const Account author = call.account();
    auto found = call.store().findAdventure(author.Id, call.label("Adv"));
    require(found.has_value(), msg::NoAdventure);
    QStringList data(17);
    data[0] = found->Prefix;
    data[1] = found->Name;
    data[2] = found->Title;
    data[3] = found->OwnerLogin;
    data[4] = QString::number(found->OwnerId);
    data[11] = found->BackColor;
    data[12] = found->TextColor;
    data[13] = found->LinkColor;
    data[15] = found->StartScript;
    data[16] = found->Font;
    return linesReply(data);
}

QByteArray mobPtAdv(Call &call)
{
    const Account author = call.account();
    const Adventure adventure = call.adventure(author);
    const AdventureStyle style{call.text("Fonte").trimmed(), call.text("CorFnd").trimmed(),
                               call.text("CorTxt").trimmed(), call.text("CorLnk").trimmed()};
    call.store().setStyle(adventure.Id, style);
    return okReply();
}

QByteArray mobNwAdv(Call &call)
{
    const Account author = call.account();
    const QString prefix = call.name("Pfx");
    require(prefix.size() >= 3 && prefix.size() <= 6, msg::BadPrefixLength);
    call.checkIndex(author);
    const QString name = call.label("Nom");
    const QByteArray firstPage = nimbra::toCp1252(nimbra::pageTemplate(nimbra::NewPageKind::Text, kFirstPage));
    require(call.store().createAdventure(author.Id, prefix, name, kFirstPage, firstPage), msg::PrefixExists);
    return okReply();
}

QByteArray mobPtPrm(Call &call)
{
    const Account author = call.account();
    const Adventure adventure = call.adventure(author);
    const QString title = call.label("Nome");
    const QString start = call.name("Scp");
    require(call.store().script(adventure.Id, start).has_value(), msg::NoScript);
    call.store().setParameters(adventure.Id, title, start);
    return okReply();
}

} // namespace velorin
