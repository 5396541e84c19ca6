#include "parser.h"

#include "textlines.h"

#include <algorithm>
#include <utility>

namespace nimbra {
namespace {

enum class LineKind {
    Blank, Header, Retscp, Backtxt, Somini, Telpos, Texto, Boxon,
    Section0, Section1, Section2, Section3, Section4, Section5, Section6,
    Margem, Divider, Fim, Command, ObjBar, Other,
};

const QString kDividerLine = QStringLiteral("cmd= shp,000,369,920,2,fio.png");

bool has(QStringView line, QLatin1StringView prefix)
{
    return line.startsWith(prefix);
}

LineKind sectionKind(QStringView line)
{
    if (line.size() >= 4 && line[1] == u'/' && line[3] == u':' && line[2] >= u'0' && line[2] <= u'6')
        return static_cast<LineKind>(static_cast<int>(LineKind::Section0) + (line[2].unicode() - u'0'));
    if (has(line, QLatin1StringView("//mob")))
        return LineKind::Header;
    if (has(line, QLatin1StringView("//cmd=")))
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
        return sectionKind(line);
    case u'r':
        return has(line, QLatin1StringView("retscp=")) ? LineKind::Retscp : LineKind::Other;
    case u'b':
        if (has(line, QLatin1StringView("backtxt=")))
            return LineKind::Backtxt;
        return line == QLatin1StringView("boxon") ? LineKind::Boxon : LineKind::Other;
    case u's':
        return has(line, QLatin1StringView("somini=")) ? LineKind::Somini : LineKind::Other;
    case u't':
        if (has(line, QLatin1StringView("telpos=")))
            return LineKind::Telpos;
        return has(line, QLatin1StringView("texto=")) ? LineKind::Texto : LineKind::Other;
    case u'm':
        return has(line, QLatin1StringView("margem=")) ? LineKind::Margem : LineKind::Other;
    case u'c':
        if (line == kDividerLine)
            return LineKind::Divider;
        return has(line, QLatin1StringView("cmd=")) ? LineKind::Command : LineKind::Other;
    case u'o':
        return has(line, QLatin1StringView("objjog=")) ? LineKind::ObjBar : LineKind::Other;
    case u'f':
        return line == QLatin1StringView("fim") ? LineKind::Fim : LineKind::Other;
    default:
        return LineKind::Other;
    }
}

// Lines that end a section early: any line with a reading rule of its own.
bool startsRule(LineKind kind)
{
    return kind != LineKind::Blank && kind != LineKind::Command && kind != LineKind::ObjBar
        && kind != LineKind::Other;
}

bool switchedOff(QStringView line)
{
    return line.startsWith(kSwitchedOff);
}

// The part before the first comma (all of it when there is none); the view
// keeps what follows the comma.
QString cutField(QStringView &rest)
{
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0)
        return std::exchange(rest, QStringView()).toString();
    const QStringView field = rest.first(comma);
    rest = rest.sliced(comma + 1);
    return field.toString();
}

QStringView fieldsFrom(QStringView line, qsizetype position)
{
    return line.mid(position);
}

QString valueAfter(QStringView line, qsizetype keyLength)
{
    return trimLine(fieldsFrom(line, keyLength)).toString();
}

void readIcon(QStringView line, IconSlot &icon)
{
    const bool off = switchedOff(line);
    QStringView rest = fieldsFrom(line, off ? 25 : 23);
    icon.Image = cutField(rest);
    icon.Target = rest.toString();
    icon.Mark = off ? kSwitchedOff : QString();
}

void readLink(QStringView line, ScreenLink &link)
{
    const bool off = switchedOff(line);
    QStringView rest = fieldsFrom(line, off ? 7 : 5);
    link.Kind = cutField(rest);
    link.X = cutField(rest);
    link.Y = cutField(rest);
    link.Width = cutField(rest);
    link.Height = cutField(rest);
    link.Arg1 = cutField(rest);
    link.Arg2 = cutField(rest);
    link.Arg3 = rest.toString();
    link.Mark = off ? kSwitchedOff : QString();
    // The writer leaves out empty trailing arguments, so the last one it
    // writes ends the line, where readers trim it.
    QString &last = !link.Arg3.isEmpty() ? link.Arg3 : !link.Arg2.isEmpty() ? link.Arg2 : link.Arg1;
    last = trimLine(QStringView(last)).toString();
}

bool readTextLook(QStringView line, PageModel &m)
{
    QStringView rest = fieldsFrom(line, 19);
    m.TextSize = cutField(rest);
    m.FontName = cutField(rest);
    m.BackColor = cutField(rest);
    const QStringView flags = rest;
    m.TextColor = flags.mid(3).toString();
    m.Bold = flags.size() > 0 && flags[0] == u'B';
    m.Italic = flags.size() > 1 && flags[1] == u'I';
    m.Underline = flags.size() > 2 && flags[2] == u'U';
    return line.size() >= 19 && line.count(u',') >= 7 && flags.size() >= 3;
}

class Reader {
public:
    Reader(const QStringList &lines, std::vector<ScriptIssue> *issues)
        : m_lines(lines), m_issues(issues), m_model(templatePageModel())
    {
    }

    PageModel read(const QString &previousReturnScript)
    {
        m_model.ReturnScript = previousReturnScript;
        bool headerSeen = false;
        bool fimSeen = false;
        while (m_next < m_lines.size()) {
            const int number = m_next;
            const QStringView line = take();
            const LineKind kind = kindOf(line);
            headerSeen |= kind == LineKind::Header;
            if (kind == LineKind::Section0) {
                reachPlace(ScriptPlace::Section0, number, kind);
                readFreeSection();
                fimSeen = freeSectionEndsInFim();
                break;
            }
            readLine(line, kind, number);
        }
        if (!headerSeen)
            report(1, QStringLiteral("falta o cabeçalho \"//mob\""));
        if (!fimSeen)
            report(std::max(1, int(m_lines.size()) - 1), QStringLiteral("falta \"fim\" no fim do script"));
        if (m_issues)
            std::stable_sort(m_issues->begin(), m_issues->end(),
                             [](const ScriptIssue &a, const ScriptIssue &b) { return a.Line < b.Line; });
        return std::move(m_model);
    }

private:
    QStringView take() { return trimLine(QStringView(m_lines.at(m_next++))); }
    QStringView peek() const { return trimLine(QStringView(m_lines.at(m_next))); }

    void report(int line, const QString &text)
    {
        if (m_issues)
            m_issues->push_back({line, text});
    }

    void keep(QStringView line, int number)
    {
        m_model.KeptLines.push_back({m_place, line.toString()});
        report(number, QStringLiteral("linha não reconhecida: ") + line);
    }

    // Key lines and section comments stand in the writer's order, once each.
    void reachPlace(ScriptPlace place, int number, LineKind kind)
    {
        if (kind != LineKind::Margem && kind != LineKind::Section2 && kind != LineKind::Divider) {
            const auto bit = 1ULL << static_cast<int>(place);
            if (m_seen & bit)
                report(number, QStringLiteral("linha repetida: ") + trimLine(m_lines.at(number)));
            else if (place < m_place)
                report(number, QStringLiteral("fora de ordem: ") + trimLine(m_lines.at(number)));
            m_seen |= bit;
        }
        m_place = std::max(m_place, place);
    }

    void readLine(QStringView line, LineKind kind, int number)
    {
        switch (kind) {
        case LineKind::Header:
            reachPlace(ScriptPlace::Header, number, kind);
            m_model.PageKind = line.mid(6, 3).toString();
            m_model.HeaderName = trimLine(line.mid(9)).toString();
            // Without a name the written header ends at the kind, where
            // readers trim it.
            if (m_model.HeaderName.isEmpty())
                m_model.PageKind = trimLine(m_model.PageKind);
            if (m_model.PageKind != QLatin1StringView("txt") && m_model.PageKind != QLatin1StringView("img"))
                report(number, QStringLiteral("tipo de página desconhecido: ") + m_model.PageKind);
            break;
        case LineKind::Retscp:
            reachPlace(ScriptPlace::Retscp, number, kind);
            m_model.Returnable = true;
            m_model.ReturnScript = valueAfter(line, 7);
            break;
        case LineKind::Backtxt:
            reachPlace(ScriptPlace::Backtxt, number, kind);
            m_model.BackImage = valueAfter(line, 8);
            break;
        case LineKind::Somini:
            reachPlace(ScriptPlace::Somini, number, kind);
            m_model.InitialSound = valueAfter(line, 7);
            break;
        case LineKind::Telpos:
            reachPlace(ScriptPlace::Telpos, number, kind);
            m_model.ScreenImage = valueAfter(line, 7);
            break;
        case LineKind::Texto:
            reachPlace(ScriptPlace::Texto, number, kind);
            if (!readTextLook(line, m_model))
                report(number, QStringLiteral("\"texto=\" com campos a menos"));
            break;
        case LineKind::Boxon:
            reachPlace(ScriptPlace::Boxon, number, kind);
            readPageText(number);
            break;
        case LineKind::Section1:
            readSection(ScriptPlace::Section1, number, 6, LineKind::Command,
                        [this](int k, QStringView l) { readIcon(l, m_model.IconSlots[k]); });
            break;
        case LineKind::Section6:
            readSection(ScriptPlace::Section6, number, kLinkCount, LineKind::Command,
                        [this](int k, QStringView l) { readLink(l, m_model.ScreenLinks[k]); });
            for (int k = 0; k < kLinkCount; ++k)
                if (m_model.ScreenLinks[k].Kind.isEmpty() && m_model.ScreenLinks[k].Mark.isEmpty())
                    report(number, QStringLiteral("link %1 ativo sem tipo").arg(k));
            break;
        case LineKind::Section3:
            readSection(ScriptPlace::Section3, number, 1, LineKind::Command,
                        [this](int, QStringView l) { readIcon(l, m_model.IconSlots[6]); });
            break;
        case LineKind::Section4:
            readSection(ScriptPlace::Section4, number, 1, LineKind::ObjBar, [this](int, QStringView l) {
                m_model.ObjBarMark = switchedOff(l) ? kSwitchedOff : QString();
            });
            break;
        case LineKind::Section5:
            readSection(ScriptPlace::Section5, number, 2, LineKind::Command,
                        [this](int k, QStringView l) { readIcon(l, m_model.IconSlots[7 + k]); });
            break;
        case LineKind::Margem:
            reachPlace(ScriptPlace::Margem, number, kind);
            break;
        case LineKind::Section2:
            reachPlace(ScriptPlace::Section2, number, kind);
            break;
        case LineKind::Divider:
            reachPlace(ScriptPlace::Divider, number, kind);
            break;
        case LineKind::Blank:
        case LineKind::Fim:
            break; // the writer puts its own
        case LineKind::Command:
        case LineKind::ObjBar:
        case LineKind::Other:
        case LineKind::Section0:
            keep(line, number);
            break;
        }
    }

    void readPageText(int boxonNumber)
    {
        while (m_next < m_lines.size()) {
            const QStringView line = take();
            if (line == QLatin1StringView("boxoff")) {
                m_place = std::max(m_place, ScriptPlace::Boxoff);
                return;
            }
            m_model.PageText.append(line.toString());
        }
        report(boxonNumber, QStringLiteral("\"boxon\" sem \"boxoff\": o texto vai até o fim do script"));
    }

    // Takes up to count entry lines; blank lines are skipped, foreign lines
    // kept in place, and a line with a rule of its own ends the section.
    // A screen link may be written exactly as the divider line, so there
    // the divider reads as a link.
    template <typename ReadEntry>
    void readSection(ScriptPlace section, int number, int count, LineKind entryKind, ReadEntry readEntry)
    {
        reachPlace(section, number, LineKind::Section1);
        int k = 0;
        while (k < count && m_next < m_lines.size()) {
            const QStringView line = peek();
            const LineKind kind = kindOf(line);
            if (kind == entryKind || (section == ScriptPlace::Section6 && kind == LineKind::Divider)) {
                readEntry(k, line);
                ++k;
                m_place = std::max(m_place, placeAfter(section, k));
            } else if (startsRule(kind)) {
                break;
            } else if (kind != LineKind::Blank) {
                keep(line, m_next);
            }
            ++m_next;
        }
        if (k < count)
            report(number, QStringLiteral("seção %1 com %2 de %3 linhas")
                               .arg(trimLine(m_lines.at(number)).left(4)).arg(k).arg(count));
        m_place = std::max(m_place, placeAfter(section, count));
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

    const QStringList &m_lines;
    std::vector<ScriptIssue> *m_issues;
    PageModel m_model;
    qsizetype m_next = 1;
    ScriptPlace m_place = ScriptPlace::Start;
    unsigned long long m_seen = 0;
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
