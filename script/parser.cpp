#include "parser.h"

#include "generator.h"
#include "textlines.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

namespace nimbra {
namespace {

enum class LineKind {
    Blank, Header, Retscp, Backtxt, Somini, Margem, Texto, Boxon, Boxoff, Telpos,
    Section, Command, ObjBar, Fim, Other,
};

bool has(QStringView line, QLatin1StringView prefix)
{
    return line.startsWith(prefix);
}

bool isSectionComment(QStringView line)
{
    return line.size() >= 4 && line[0] == u'/' && line[1] == u'/' && line[3] == u':' && line[2] >= u'0'
        && line[2] <= u'6';
}

ScriptPlace sectionPlace(QStringView line)
{
    static const ScriptPlace places[] = {ScriptPlace::Section0, ScriptPlace::Section1, ScriptPlace::Section2,
                                         ScriptPlace::Section3, ScriptPlace::Section4, ScriptPlace::Section5,
                                         ScriptPlace::Section6};
    return places[line[2].unicode() - u'0'];
}

LineKind slashKind(QStringView line)
{
    if (isSectionComment(line))
        return LineKind::Section;
    if (has(line, QLatin1StringView("//mob")))
        return LineKind::Header;
    if (has(line, QLatin1StringView("//cmd= ")))
        return LineKind::Command;
    if (has(line, QLatin1StringView("//objjog=")))
        return LineKind::ObjBar;
    return LineKind::Other;
}

// Dispatches on the first letter, since this runs for every line read.
LineKind kindOf(QStringView line)
{
    if (line.isEmpty())
        return LineKind::Blank;
    switch (line[0].unicode()) {
    case u'/':
        return slashKind(line);
    case u'r':
        return has(line, QLatin1StringView("retscp=")) ? LineKind::Retscp : LineKind::Other;
    case u'b':
        if (has(line, QLatin1StringView("backtxt=")))
            return LineKind::Backtxt;
        if (line == QLatin1StringView("boxon"))
            return LineKind::Boxon;
        return line == QLatin1StringView("boxoff") ? LineKind::Boxoff : LineKind::Other;
    case u's':
        return has(line, QLatin1StringView("somini=")) ? LineKind::Somini : LineKind::Other;
    case u't':
        if (has(line, QLatin1StringView("telpos=")))
            return LineKind::Telpos;
        return has(line, QLatin1StringView("texto=")) ? LineKind::Texto : LineKind::Other;
    case u'm':
        return has(line, QLatin1StringView("margem=")) ? LineKind::Margem : LineKind::Other;
    case u'c':
        return has(line, QLatin1StringView("cmd= ")) ? LineKind::Command : LineKind::Other;
    case u'o':
        return has(line, QLatin1StringView("objjog=")) ? LineKind::ObjBar : LineKind::Other;
    case u'f':
        return line == QLatin1StringView("fim") ? LineKind::Fim : LineKind::Other;
    default:
        return LineKind::Other;
    }
}

bool switchedOff(QStringView line)
{
    return line.startsWith(kSwitchedOff);
}

// The part before the first comma (all of it when there is none); the view
// keeps what follows the comma.
QStringView cutField(QStringView &rest)
{
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0)
        return std::exchange(rest, QStringView());
    const QStringView field = rest.first(comma);
    rest = rest.sliced(comma + 1);
    return field;
}

QStringView trimEnd(QStringView text)
{
    while (!text.isEmpty() && text.back().unicode() <= 0x20)
        text.chop(1);
    return text;
}

QString valueAfter(QStringView line, qsizetype keyLength)
{
    return trimLine(line.mid(keyLength)).toString();
}

// Digits only, compared as a number: "060" and "60" are the same place.
bool isNumber(QStringView text, int value)
{
    while (text.size() > 1 && text.front() == u'0')
        text = text.sliced(1);
    if (text.isEmpty() || text.size() > 9)
        return false;
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number == value;
}

// Exactly these numbers, separated by commas.
bool isNumberList(QStringView text, std::initializer_list<int> values)
{
    if (text.count(u',') != qsizetype(values.size()) - 1)
        return false;
    return std::all_of(values.begin(), values.end(), [&text](int v) { return isNumber(cutField(text), v); });
}

bool isDivider(QStringView line)
{
    const QLatin1StringView head("cmd= shp,");
    const QLatin1StringView tail(",fio.png");
    return line.size() > head.size() + tail.size() && line.startsWith(head) && line.endsWith(tail)
        && isNumberList(line.sliced(head.size(), line.size() - head.size() - tail.size()), {0, 369, 920, 2});
}

bool isFixedObjBar(QStringView line)
{
    return isNumberList(trimLine(line.mid(switchedOff(line) ? 9 : 7)), {76, 382, 696, 58, 58, 12});
}

// The fields after the text area of a "texto=" line, or nothing when the
// line does not begin with the area 0,0,852,358.
std::optional<QStringView> textLookFields(QStringView line)
{
    QStringView rest = trimLine(line.mid(6));
    for (const int value : {0, 0, 852, 358})
        if (!isNumber(cutField(rest), value))
            return std::nullopt;
    return rest;
}

// Size, font and background colour are cut at commas; the last field is the
// three style flags and the text colour, commas included.
void readTextLook(QStringView rest, PageModel &m)
{
    m.TextSize = cutField(rest).toString();
    m.FontName = cutField(rest).toString();
    m.BackColor = cutField(rest).toString();
    m.TextColor = rest.mid(3).toString();
    m.Bold = rest.size() > 0 && rest[0] == u'B';
    m.Italic = rest.size() > 1 && rest[1] == u'I';
    m.Underline = rest.size() > 2 && rest[2] == u'U';
}

// An icon line read by its fields: kind "fig", a place of the screen's
// icons and the size 58 by 58; the image runs to the next comma and the
// target to the end.
struct IconLine {
    int Slot = -1;
    IconSlot Icon;
};

IconLine readIcon(QStringView line)
{
    const bool off = switchedOff(line);
    QStringView rest = line.mid(off ? 7 : 5);
    if (cutField(rest) != QLatin1StringView("fig"))
        return {};
    const QStringView x = cutField(rest);
    const QStringView y = cutField(rest);
    if (!isNumber(cutField(rest), 58) || !isNumber(cutField(rest), 58))
        return {};
    const auto at = std::find_if(kIconPositions.begin(), kIconPositions.end(),
                                 [&](IconPosition p) { return isNumber(x, p.X) && isNumber(y, p.Y); });
    if (at == kIconPositions.end())
        return {};
    IconLine read{int(at - kIconPositions.begin()), {}};
    read.Icon.Mark = off ? kSwitchedOff : QString();
    read.Icon.Image = cutField(rest).toString();
    read.Icon.Target = rest.toString();
    return read;
}

void readLink(QStringView line, ScreenLink &link)
{
    const bool off = switchedOff(line);
    QStringView rest = line.mid(off ? 7 : 5);
    link.Kind = cutField(rest).toString();
    link.X = cutField(rest).toString();
    link.Y = cutField(rest).toString();
    link.Width = cutField(rest).toString();
    link.Height = cutField(rest).toString();
    link.Arg1 = cutField(rest).toString();
    link.Arg2 = cutField(rest).toString();
    link.Arg3 = rest.toString();
    link.Mark = off ? kSwitchedOff : QString();
    // The writer leaves out empty trailing arguments, so the last one it
    // writes ends the line, where readers trim it; its leading blanks stay.
    QString &last = !link.Arg3.isEmpty() ? link.Arg3 : !link.Arg2.isEmpty() ? link.Arg2 : link.Arg1;
    last = trimEnd(last).toString();
}

bool isPageKind(QStringView kind)
{
    return kind == QLatin1StringView("txt") || kind == QLatin1StringView("img");
}

// The first word after "//mob" is the page kind, the rest the name.
std::pair<QString, QString> headerWords(QStringView line)
{
    const QStringView rest = trimLine(line.mid(5));
    qsizetype end = 0;
    while (end < rest.size() && rest[end].unicode() > 0x20)
        ++end;
    return {rest.first(end).toString(), trimLine(rest.sliced(end)).toString()};
}

// A UTF-8 byte-order mark, as a character or as its three code-page bytes.
qsizetype byteOrderMarkLength(QStringView line)
{
    if (line.startsWith(QChar(0xFEFF)))
        return 1;
    return line.startsWith(QStringView(u"\u00EF\u00BB\u00BF")) ? 3 : 0;
}

int sectionDigit(QStringView line)
{
    return line[2].unicode() - u'0';
}

// What the lines before the free section show: where the header is (the
// first "//mob" line outside a text block), where each section comment
// stands last, and which kind the content has.
struct Survey {
    qsizetype Header = -1;
    std::array<qsizetype, 7> LastSection{};
    bool ImageContent = false; // "telpos=" or "//6:"
    bool TextContent = false;  // "texto=" or "boxon"

    // A section comment that stands again further on.
    bool isRepeatedSection(QStringView line, qsizetype at) const { return at < LastSection[sectionDigit(line)]; }
};

Survey survey(const QStringList &lines)
{
    Survey s;
    bool inText = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = trimLine(QStringView(lines[i]));
        const LineKind kind = kindOf(line);
        if (inText) {
            inText = kind != LineKind::Boxoff;
            continue;
        }
        if (kind == LineKind::Section)
            s.LastSection[sectionDigit(line)] = i;
        if (kind == LineKind::Section && sectionPlace(line) == ScriptPlace::Section0)
            break;
        if (kind == LineKind::Header && s.Header < 0)
            s.Header = i;
        s.ImageContent |= kind == LineKind::Telpos || (kind == LineKind::Section && sectionPlace(line) == ScriptPlace::Section6);
        s.TextContent |= kind == LineKind::Texto || kind == LineKind::Boxon;
        inText = kind == LineKind::Boxon;
    }
    return s;
}

// The screen-link lines of a "//6:" section beyond its ten that repeat an
// earlier link, kept as they are so that no link after them is pushed out;
// the rarest repeated link is taken as the copy, not a blank link slot.
// Links are compared by their values, as the writer puts them back.
std::vector<qsizetype> repeatedLinkLines(const QStringList &lines, qsizetype sectionLine)
{
    std::vector<ScreenLink> links;
    std::vector<qsizetype> at;
    for (qsizetype i = sectionLine + 1; i < lines.size(); ++i) {
        const QStringView line = trimLine(QStringView(lines[i]));
        const LineKind kind = kindOf(line);
        if (kind == LineKind::Section)
            break;
        if (kind == LineKind::Command) {
            readLink(line, links.emplace_back());
            at.push_back(i);
        }
    }
    std::vector<std::pair<qsizetype, qsizetype>> repeats; // occurrences of the link, line
    for (auto link = links.begin(); link != links.end(); ++link)
        if (std::find(links.begin(), link, *link) != link)
            repeats.push_back({std::count(links.begin(), links.end(), *link), at[link - links.begin()]});
    std::sort(repeats.begin(), repeats.end());
    const qsizetype excess = qsizetype(links.size()) - kLinkCount;
    std::vector<qsizetype> repeated;
    for (qsizetype k = 0; k < qsizetype(repeats.size()) && k < excess; ++k)
        repeated.push_back(repeats[k].second);
    return repeated;
}

// Lines of the fixed screen are read from their own section on, or from
// the one before when their section comment is missing; before that they
// are stray copies, which must not push the rest of the page out of order.
ScriptPlace readableFrom(ScriptPlace place)
{
    switch (place) {
    case ScriptPlace::Divider:
        return ScriptPlace::Section1;
    case ScriptPlace::Icon7:
        return ScriptPlace::Section2;
    case ScriptPlace::ObjBar:
        return ScriptPlace::Section3;
    case ScriptPlace::Icon8:
    case ScriptPlace::Icon9:
        return ScriptPlace::Section4;
    default:
        return place >= ScriptPlace::Icon1 && place <= ScriptPlace::Icon6 ? ScriptPlace::Section1 : ScriptPlace::Start;
    }
}

class Reader {
public:
    Reader(const QStringList &lines, std::vector<ScriptIssue> *issues) : m_lines(lines), m_issues(issues)
    {
        m_model = templatePageModel();
        if (m_lines.size() > 1) {
            if (const qsizetype bom = byteOrderMarkLength(m_lines[1])) {
                m_lines[1].remove(0, bom);
                report(1, QStringLiteral("marca de ordem de bytes (BOM) retirada do início"));
            }
        }
    }

    PageModel read(const QString &previousReturnScript)
    {
        m_model.ReturnScript = previousReturnScript;
        m_survey = survey(m_lines);
        decideKind(m_survey);
        bool fimSeen = false;
        while (m_next < m_lines.size()) {
            const int number = int(m_next);
            const QStringView line = take();
            const LineKind kind = kindOf(line);
            if (kind == LineKind::Section && sectionPlace(line) == ScriptPlace::Section0) {
                claim(ScriptPlace::Section0, line, number);
                readFreeSection();
                fimSeen = freeSectionEndsInFim();
                break;
            }
            readLine(line, kind, number);
        }
        if (!fimSeen)
            report(std::max(1, int(m_lines.size()) - 1), QStringLiteral("falta \"fim\" no fim do script"));
        reportShortSections();
        std::stable_sort(m_found.begin(), m_found.end(),
                         [](const ScriptIssue &a, const ScriptIssue &b) { return a.Line < b.Line; });
        if (m_issues)
            *m_issues = std::move(m_found);
        return std::move(m_model);
    }

private:
    QStringView take() { return trimLine(QStringView(m_lines.at(m_next++))); }

    void report(int line, const QString &text, bool rewritten = false) { m_found.push_back({line, text, rewritten}); }

    bool isText() const { return m_model.PageKind == QLatin1StringView("txt"); }
    bool isImage() const { return m_model.PageKind == QLatin1StringView("img"); }

    // The header decides; without a known one, the page's own content does.
    void decideKind(const Survey &s)
    {
        const auto [kind, name] = s.Header >= 0 ? headerWords(trimLine(QStringView(m_lines[s.Header]))) : std::pair<QString, QString>();
        m_model.HeaderName = name;
        if (isPageKind(kind)) {
            m_model.PageKind = kind;
            return;
        }
        QString finding = s.Header < 0 ? QStringLiteral("falta o cabeçalho \"//mob txt\" ou \"//mob img\"")
                                       : QStringLiteral("tipo de página desconhecido no cabeçalho: \"%1\"").arg(kind);
        if (s.ImageContent != s.TextContent) {
            m_model.PageKind = s.ImageContent ? QStringLiteral("img") : QStringLiteral("txt");
            finding += s.ImageContent ? QStringLiteral("; pelo conteúdo, página de imagem")
                                      : QStringLiteral("; pelo conteúdo, página de texto");
        } else {
            m_model.PageKind = kind;
            finding += QStringLiteral("; o conteúdo não decide o tipo e a página não pode ser gravada");
        }
        report(int(std::max<qsizetype>(1, s.Header)), finding);
    }

    void keep(QStringView line, int number, const QString &why)
    {
        m_model.KeptLines.push_back({m_place, line.toString()});
        report(number, why + QStringLiteral(", mantida como está: ") + line);
    }

    // Key lines, sections, links and icons stand in the writer's order, once
    // each; a line out of that order or repeated is kept where it is.
    bool claim(ScriptPlace place, QStringView line, int number)
    {
        const auto bit = 1ULL << static_cast<int>(place);
        if (m_place < readableFrom(place)) {
            keep(line, number, QStringLiteral("fora da sua seção"));
            return false;
        }
        if (place <= m_place) {
            keep(line, number, (m_seen & bit) ? QStringLiteral("linha repetida") : QStringLiteral("fora de ordem"));
            return false;
        }
        m_seen |= bit;
        m_place = place;
        return true;
    }

    // A line the writer will not write back as it was read.
    void reportRewrite(ScriptPlace place, QStringView line, int number)
    {
        if (!m_issues)
            return;
        const QString written = trimLine(placeLine(m_model, place, m_model.HeaderName));
        if (line != written)
            report(number, QStringLiteral("linha reescrita como: ") + written, true);
    }

    template <typename Read>
    void readKey(ScriptPlace place, QStringView line, int number, Read read)
    {
        if (claim(place, line, number)) {
            read();
            reportRewrite(place, line, number);
        }
    }

    void readLine(QStringView line, LineKind kind, int number)
    {
        switch (kind) {
        case LineKind::Header:
            readHeader(line, number);
            break;
        case LineKind::Retscp:
            if (claim(ScriptPlace::Retscp, line, number)) {
                m_model.Returnable = true;
                m_model.ReturnScript = valueAfter(line, 7);
            }
            break;
        case LineKind::Backtxt:
            readValue(ScriptPlace::Backtxt, line, number, 8, m_model.BackImage);
            break;
        case LineKind::Somini:
            readValue(ScriptPlace::Somini, line, number, 7, m_model.InitialSound);
            break;
        case LineKind::Telpos:
            if (!isImage())
                keep(line, number, QStringLiteral("\"telpos=\" só vale em página de imagem"));
            else
                readKey(ScriptPlace::Telpos, line, number, [&] { m_model.ScreenImage = valueAfter(line, 7); });
            break;
        case LineKind::Margem:
            if (!isText())
                keep(line, number, QStringLiteral("\"margem=\" só vale em página de texto"));
            else if (!isNumberList(trimLine(line.mid(7)), {0, 10, 0, 0}))
                keep(line, number, QStringLiteral("margens diferentes de 0,10,0,0"));
            else
                claim(ScriptPlace::Margem, line, number);
            break;
        case LineKind::Texto:
            readTexto(line, number);
            break;
        case LineKind::Boxon:
            if (!isText())
                keep(line, number, QStringLiteral("\"boxon\" só vale em página de texto"));
            else if (claim(ScriptPlace::Boxon, line, number))
                readPageText(number);
            break;
        case LineKind::Section:
            readSectionComment(line, number);
            break;
        case LineKind::Command:
            readCommand(line, number);
            break;
        case LineKind::ObjBar:
            if (!isFixedObjBar(line))
                keep(line, number, QStringLiteral("barra de objetos diferente de 076,382,696,58,58,12"));
            else
                readKey(ScriptPlace::ObjBar, line, number,
                        [&] { m_model.ObjBarMark = switchedOff(line) ? kSwitchedOff : QString(); });
            break;
        case LineKind::Boxoff:
            keep(line, number, QStringLiteral("\"boxoff\" sem \"boxon\""));
            break;
        case LineKind::Fim:
            keep(line, number, QStringLiteral("\"fim\" antes de \"//0:\""));
            break;
        case LineKind::Other:
            keep(line, number, QStringLiteral("linha não reconhecida"));
            break;
        case LineKind::Blank:
            break; // the writer puts its own
        }
    }

    // The header is read wherever it stands and written first.
    void readHeader(QStringView line, int number)
    {
        if (number != m_survey.Header) {
            keep(line, number, QStringLiteral("cabeçalho repetido"));
            return;
        }
        m_place = std::max(m_place, ScriptPlace::Header);
        for (int before = 1; before < number; ++before) {
            if (!trimLine(QStringView(m_lines[before])).isEmpty()) {
                report(number, QStringLiteral("o cabeçalho vai para a primeira linha"));
                break;
            }
        }
        if (isPageKind(headerWords(line).first))
            reportRewrite(ScriptPlace::Header, line, number);
    }

    // An empty value is not written back, so its line is kept instead.
    void readValue(ScriptPlace place, QStringView line, int number, qsizetype keyLength, QString &value)
    {
        const QString read = valueAfter(line, keyLength);
        if (read.isEmpty())
            keep(line, number, QStringLiteral("chave sem valor"));
        else
            readKey(place, line, number, [&] { value = read; });
    }

    void readTexto(QStringView line, int number)
    {
        const std::optional<QStringView> fields = textLookFields(line);
        if (!isText())
            keep(line, number, QStringLiteral("\"texto=\" só vale em página de texto"));
        else if (!fields)
            keep(line, number, QStringLiteral("\"texto=\" sem a área 0,0,852,358"));
        else
            readKey(ScriptPlace::Texto, line, number, [&] { readTextLook(*fields, m_model); });
    }

    void readPageText(int boxonNumber)
    {
        while (m_next < m_lines.size()) {
            const QStringView line = take();
            if (line == QLatin1StringView("boxoff")) {
                m_seen |= 1ULL << static_cast<int>(ScriptPlace::Boxoff);
                m_place = ScriptPlace::Boxoff;
                return;
            }
            m_model.PageText.append(line.toString());
        }
        report(boxonNumber, QStringLiteral("\"boxon\" sem \"boxoff\": o texto vai até o fim do script"));
    }

    void readSectionComment(QStringView line, int number)
    {
        const ScriptPlace place = sectionPlace(line);
        if (place == ScriptPlace::Section6 && !isImage()) {
            keep(line, number, QStringLiteral("\"//6:\" só vale em página de imagem"));
            return;
        }
        // A stray copy of a later section comment does not end the links.
        if (inLinks() && m_survey.isRepeatedSection(line, number)) {
            keep(line, number, QStringLiteral("seção repetida entre os links"));
            return;
        }
        if (!claim(place, line, number))
            return;
        m_sectionLine[sectionDigit(line)] = number;
        if (place == ScriptPlace::Section6)
            m_repeatedLinks = repeatedLinkLines(m_lines, number);
    }

    // Inside "//6:" every command line is the next screen link, up to ten;
    // elsewhere a command line is the divider or an icon by its place.
    bool inLinks() const { return m_place >= ScriptPlace::Section6 && m_place < ScriptPlace::Link9; }

    void readCommand(QStringView line, int number)
    {
        const bool repeated = std::find(m_repeatedLinks.begin(), m_repeatedLinks.end(), number) != m_repeatedLinks.end();
        if (inLinks() && !repeated) {
            const int k = m_place == ScriptPlace::Section6 ? 0 : int(m_place) - int(ScriptPlace::Link0) + 1;
            readKey(placeAfter(ScriptPlace::Link0, k), line, number, [&] { readLink(line, m_model.ScreenLinks[k]); });
            if (m_model.ScreenLinks[k].Kind.isEmpty() && m_model.ScreenLinks[k].Mark.isEmpty())
                report(number, QStringLiteral("link %1 ativo sem tipo").arg(k));
            return;
        }
        if (isDivider(line)) {
            // Another spelling of the same numbers is written the usual way, and said.
            readKey(ScriptPlace::Divider, line, number, [] {});
            return;
        }
        const IconLine icon = readIcon(line);
        if (icon.Slot >= 0)
            readKey(iconPlace(icon.Slot), line, number, [&] { m_model.IconSlots[icon.Slot] = icon.Icon; });
        else
            keep(line, number, repeated ? QStringLiteral("link repetido") : QStringLiteral("linha não reconhecida"));
    }

    void readFreeSection()
    {
        m_model.FreeSection.clear();
        while (m_next < m_lines.size())
            m_model.FreeSection.append(take().toString());
    }

    bool freeSectionEndsInFim() const
    {
        for (auto it = m_model.FreeSection.crbegin(); it != m_model.FreeSection.crend(); ++it)
            if (!it->isEmpty())
                return *it == QLatin1StringView("fim");
        return false;
    }

    // A section whose lines are not all there gets the missing ones switched off.
    void reportShortSections()
    {
        struct Entries {
            int Digit;
            ScriptPlace First;
            int Count;
        };
        static const Entries sections[] = {{6, ScriptPlace::Link0, kLinkCount},
                                           {1, ScriptPlace::Icon1, 6},
                                           {3, ScriptPlace::Icon7, 1},
                                           {4, ScriptPlace::ObjBar, 1},
                                           {5, ScriptPlace::Icon8, 2}};
        for (const Entries &e : sections) {
            if (m_sectionLine[e.Digit] == 0)
                continue;
            int found = 0;
            for (int k = 0; k < e.Count; ++k)
                found += (m_seen >> static_cast<int>(placeAfter(e.First, k))) & 1;
            if (found < e.Count)
                report(m_sectionLine[e.Digit], QStringLiteral("seção //%1: com %2 de %3 linhas").arg(e.Digit).arg(found).arg(e.Count));
        }
    }

    QStringList m_lines;
    std::vector<ScriptIssue> *m_issues;
    std::vector<ScriptIssue> m_found;
    PageModel m_model;
    qsizetype m_next = 1;
    Survey m_survey;
    ScriptPlace m_place = ScriptPlace::Start;
    unsigned long long m_seen = 0;
    int m_sectionLine[7] = {};
    std::vector<qsizetype> m_repeatedLinks;
};

} // namespace

PageModel parsePage(const QStringList &replyLines, const QString &previousReturnScript,
                    std::vector<ScriptIssue> *issues)
{
    return Reader(replyLines, issues).read(previousReturnScript);
}

PageModel parseScriptText(const QString &scriptText, std::vector<ScriptIssue> *issues)
{
    QStringList lines = splitLines(scriptText);
    lines.prepend(QStringLiteral("Ok"));
    return parsePage(lines, {}, issues);
}

} // namespace nimbra
