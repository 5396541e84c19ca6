#include "modeljson.h"

#include <QJsonArray>

#include <iterator>

namespace nimbra {
namespace {

const char *placeName(ScriptPlace place)
{
    static const char *const names[] = {
        "start", "header", "retscp", "backtxt", "somini", "margem", "texto", "boxon", "boxoff",
        "telpos", "section6", "link0", "link1", "link2", "link3", "link4", "link5", "link6", "link7",
        "link8", "link9", "section1", "icon1", "icon2", "icon3", "icon4", "icon5", "icon6",
        "section2", "divider", "section3", "icon7", "section4", "objbar", "section5", "icon8",
        "icon9", "section0"};
    static_assert(std::size(names) == static_cast<size_t>(ScriptPlace::Section0) + 1);
    return names[static_cast<int>(place)];
}

QJsonArray toArray(const QStringList &lines)
{
    return QJsonArray::fromStringList(lines);
}

} // namespace

QJsonObject pageModelToJson(const PageModel &m)
{
    QJsonArray icons;
    for (const IconSlot &icon : m.IconSlots)
        icons.append(QJsonObject{{QStringLiteral("on"), icon.Mark.isEmpty()},
                                 {QStringLiteral("image"), icon.Image},
                                 {QStringLiteral("target"), icon.Target}});
    QJsonArray links;
    for (const ScreenLink &l : m.ScreenLinks)
        links.append(QJsonObject{{QStringLiteral("on"), l.Mark.isEmpty()},
                                 {QStringLiteral("kind"), l.Kind},
                                 {QStringLiteral("x"), l.X},
                                 {QStringLiteral("y"), l.Y},
                                 {QStringLiteral("width"), l.Width},
                                 {QStringLiteral("height"), l.Height},
                                 {QStringLiteral("arg1"), l.Arg1},
                                 {QStringLiteral("arg2"), l.Arg2},
                                 {QStringLiteral("arg3"), l.Arg3}});
    QJsonArray kept;
    for (const KeptLine &k : m.KeptLines)
        kept.append(QJsonObject{{QStringLiteral("after"), QString::fromLatin1(placeName(k.After))},
                                {QStringLiteral("text"), k.Text}});
    return QJsonObject{
        {QStringLiteral("kind"), m.PageKind},
        {QStringLiteral("name"), m.HeaderName},
        {QStringLiteral("returnable"), m.Returnable},
        {QStringLiteral("returnScript"), m.ReturnScript},
        {QStringLiteral("backImage"), m.BackImage},
        {QStringLiteral("initialSound"), m.InitialSound},
        {QStringLiteral("screenImage"), m.ScreenImage},
        {QStringLiteral("text"), QJsonObject{{QStringLiteral("size"), m.TextSize},
                                             {QStringLiteral("font"), m.FontName},
                                             {QStringLiteral("background"), m.BackColor},
                                             {QStringLiteral("color"), m.TextColor},
                                             {QStringLiteral("bold"), m.Bold},
                                             {QStringLiteral("italic"), m.Italic},
                                             {QStringLiteral("underline"), m.Underline},
                                             {QStringLiteral("lines"), toArray(m.PageText)}}},
        {QStringLiteral("icons"), icons},
        {QStringLiteral("links"), links},
        {QStringLiteral("objectsBar"), m.ObjBarMark.isEmpty()},
        {QStringLiteral("freeSection"), toArray(m.FreeSection)},
        {QStringLiteral("keptLines"), kept},
    };
}

} // namespace nimbra
