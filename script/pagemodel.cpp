#include "pagemodel.h"

namespace nimbra {

PageModel templatePageModel()
{
    PageModel m;
    m.ObjBarMark = kSwitchedOff;
    for (IconSlot &icon : m.IconSlots)
        icon = {kSwitchedOff, QStringLiteral("icone.png"), QStringLiteral("$start")};
    m.IconSlots[8].Target = QStringLiteral("$pag01");
    for (ScreenLink &link : m.ScreenLinks)
        link.Mark = kSwitchedOff;
    m.TextSize = QStringLiteral("5");
    m.FontName = QStringLiteral("Courier New");
    m.BackColor = QStringLiteral("FFFFFF");
    m.TextColor = QStringLiteral("000000");
    return m;
}

} // namespace nimbra
