#include "endpoints.h"
#include "messages.h"
#include "reply.h"

namespace velorin {

QByteArray nmbLsObj(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    return linesReply(call.store().objectNames(adventure.Id));
}

QByteArray mobGtObj(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    auto object = call.store().object(adventure.Id, call.name("Nome"));
    require(object.has_value(), msg::NoObject);
    return linesReply({object->InitialLocation, object->InitialShape, object->CurrentLocation, object->CurrentShape});
}

QByteArray mobPtObj(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    const QString name = call.name("Nome");
    const QString location = call.text("Loc").trimmed();
    const QString shape = call.text("Shp").trimmed();
    require(call.store().placeObject(adventure.Id, name, location, shape), msg::NoObject);
    return okReply();
}

QByteArray mobNwObj(Call &call)
{
    const Account author = call.account();
    const Adventure adventure = call.adventure(author);
    const QString name = call.name("Nome");
    call.checkIndex(author);
    require(call.store().createObject(adventure.Id, name), msg::ObjectExists);
    return okReply();
}

} // namespace velorin
