#pragma once

#include "call.h"

#include <QByteArray>

#include <vector>

namespace velorin {

using Endpoint = QByteArray (*)(Call &);

struct EndpointEntry {
    const char *Name; // without ".php"
    Endpoint Handler;
};

// Every endpoint under "nimbra/wbetz/".
const std::vector<EndpointEntry> &endpoints();

// The groups, each in its own file.
QByteArray nmbLog(Call &call);
QByteArray mobNwUsr(Call &call);
QByteArray mobVrs(Call &call);
QByteArray mobList(Call &call);
QByteArray mobDados(Call &call);
QByteArray mobPtAdv(Call &call);
QByteArray mobNwAdv(Call &call);
QByteArray mobPtPrm(Call &call);
QByteArray nmbLsScp(Call &call);
QByteArray nmbGtScp(Call &call);
QByteArray nmbPtScp(Call &call);
QByteArray mobNwScp(Call &call);
QByteArray nmbLsObj(Call &call);
QByteArray mobGtObj(Call &call);
QByteArray mobPtObj(Call &call);
QByteArray mobNwObj(Call &call);
QByteArray mobLsLib(Call &call);
QByteArray mobPtLib(Call &call);
QByteArray mobLsSom(Call &call);
QByteArray mobLsArq(Call &call);
QByteArray mobPtImg(Call &call);
QByteArray mobDtArq(Call &call);

} // namespace velorin
