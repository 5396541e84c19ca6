#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace nimbra {

inline const QString kSwitchedOff = QStringLiteral("//");

// One of the nine fixed icons. Mark is "//" when the icon is switched off.
struct IconSlot {
    QString Mark;
    QString Image;
    QString Target;
    bool operator==(const IconSlot &) const = default;
};

// One of the ten screen links of an image page; numbers stay text.
struct ScreenLink {
    QString Mark;
    QString Kind;
    QString X;
    QString Y;
    QString Width;
    QString Height;
    QString Arg1;
    QString Arg2;
    QString Arg3;
    bool operator==(const ScreenLink &) const = default;
};

// The places of a written page script, in the order the generator writes
// them. A line the reader does not claim is kept with the place it followed.
enum class ScriptPlace {
    Start, Header, Retscp, Backtxt, Somini,
    Margem, Texto, Boxon, Boxoff,
    Telpos, Section6, Link0, Link9 = Link0 + 9,
    Section1, Icon1, Icon6 = Icon1 + 5,
    Section2, Divider,
    Section3, Icon7,
    Section4, ObjBar,
    Section5, Icon8, Icon9,
    Section0,
};

inline ScriptPlace placeAfter(ScriptPlace base, int offset)
{
    return static_cast<ScriptPlace>(static_cast<int>(base) + offset);
}

// A line of the script that no reading rule claims, kept verbatim (trimmed).
struct KeptLine {
    ScriptPlace After = ScriptPlace::Start;
    QString Text;
    bool operator==(const KeptLine &) const = default;
};

inline constexpr int kIconCount = 9;
inline constexpr int kLinkCount = 10;

// Where the nine icons stand on the screen, in pixels; their lines carry it.
struct IconPosition {
    int X;
    int Y;
};
inline constexpr std::array<IconPosition, kIconCount> kIconPositions = {
    {{862, 0}, {862, 60}, {862, 120}, {862, 180}, {862, 240}, {862, 300}, {0, 382}, {789, 382}, {862, 382}}};

// The place of icon k + 1 (IconSlots[k]) in a written script.
inline ScriptPlace iconPlace(int k)
{
    if (k < 6)
        return placeAfter(ScriptPlace::Icon1, k);
    return k == 6 ? ScriptPlace::Icon7 : placeAfter(ScriptPlace::Icon8, k - 7);
}

// The editing state of one page. Default values are those at program start.
struct PageModel {
    QString PageKind = QStringLiteral("txt");
    QString HeaderName;                         // informative name after the kind
    QString ScreenImage = QStringLiteral("tela01.png");
    QString ReturnScript;
    QString ObjBarMark;
    std::array<IconSlot, kIconCount> IconSlots; // IconSlots[k - 1] is icon k
    std::array<ScreenLink, kLinkCount> ScreenLinks;
    int SelectedLink = -1;

    // Values the editing controls hold.
    bool Returnable = false;                    // "Retornável"
    QString BackImage;                          // "backtxt="
    QString InitialSound;                       // "somini="
    QString TextSize;
    QString FontName;
    QString BackColor;
    QString TextColor;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    QStringList PageText;                       // between "boxon" and "boxoff"
    QStringList FreeSection;                    // after "//0:", "fim" included

    std::vector<KeptLine> KeptLines;

    bool operator==(const PageModel &) const = default;
};

// The values a new page from the templates has: every icon, link and the
// objects bar switched off, the template's text look and images.
PageModel templatePageModel();

// current with every value that differs between from and to set to its
// value in to: how one edit is done again or undone without touching the
// values other edits changed.
PageModel blendChanges(PageModel current, const PageModel &from, const PageModel &to);

} // namespace nimbra
