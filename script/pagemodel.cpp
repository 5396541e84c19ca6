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

namespace {

template <typename... Member>
void takeChanged(PageModel &current, const PageModel &from, const PageModel &to, Member PageModel::*...members)
{
    ((from.*members != to.*members ? void(current.*members = to.*members) : void()), ...);
}

} // namespace

PageModel blendChanges(PageModel current, const PageModel &from, const PageModel &to)
{
    using M = PageModel;
    takeChanged(current, from, to, &M::PageKind, &M::HeaderName, &M::ScreenImage, &M::ReturnScript, &M::ObjBarMark,
                &M::IconSlots, &M::ScreenLinks, &M::SelectedLink, &M::Returnable, &M::BackImage, &M::InitialSound,
                &M::TextSize, &M::FontName, &M::BackColor, &M::TextColor, &M::Bold, &M::Italic, &M::Underline,
                &M::PageText, &M::FreeSection, &M::KeptLines);
    return current;
}

} // namespace nimbra
