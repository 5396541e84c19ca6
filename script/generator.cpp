#include "generator.h"

#include "textlines.h"

#include <algorithm>

namespace nimbra {
namespace {

const QString kIndent = QStringLiteral("  ");

QString threeDigits(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

QString iconLine(const PageModel &m, int k)
{
    const IconSlot &icon = m.IconSlots[k];
    const IconPosition at = kIconPositions[k];
    return kIndent + icon.Mark + QLatin1StringView("cmd= fig,") + threeDigits(at.X) + u',' + threeDigits(at.Y)
        + QLatin1StringView(",58,58,") + icon.Image + u',' + icon.Target;
}

QString linkLine(const ScreenLink &l)
{
    QString line = kIndent + l.Mark + QLatin1StringView("cmd= ") + l.Kind + u',' + l.X + u',' + l.Y + u','
        + l.Width + u',' + l.Height + u',' + l.Arg1;
    // An empty argument 2 is still written when argument 3 follows, so
    // argument 3 reads back in its own place.
    if (!l.Arg2.isEmpty() || !l.Arg3.isEmpty())
        line += u',' + l.Arg2;
    if (!l.Arg3.isEmpty())
        line += u',' + l.Arg3;
    return line;
}

QString textLookLine(const PageModel &m)
{
    const QString flags = QString(m.Bold ? u'B' : u'b') + (m.Italic ? u'I' : u'i') + (m.Underline ? u'U' : u'u');
    return QLatin1StringView("  texto= 0,0,852,358,") + m.TextSize + u',' + m.FontName + u',' + m.BackColor + u','
        + flags + m.TextColor;
}

QString sectionTitle(ScriptPlace place)
{
    switch (place) {
    case ScriptPlace::Section6:
        return QStringLiteral("  //6:Links da tela gráfica");
    case ScriptPlace::Section1:
        return QStringLiteral("  //1:Opções e funções - lateral direita");
    case ScriptPlace::Section2:
        return QStringLiteral("  //2:Fio divisor");
    case ScriptPlace::Section3:
        return QStringLiteral("  //3:Barra inferior - função esqueda");
    case ScriptPlace::Section4:
        return QStringLiteral("  //4:Barra inferior - objetos com o jogador");
    case ScriptPlace::Section5:
        return QStringLiteral("  //5:Barra inferior - funções à direita");
    default:
        return QStringLiteral("  //0:Programação ignorada...");
    }
}

bool isSection(ScriptPlace place)
{
    switch (place) {
    case ScriptPlace::Section6:
    case ScriptPlace::Section1:
    case ScriptPlace::Section2:
    case ScriptPlace::Section3:
    case ScriptPlace::Section4:
    case ScriptPlace::Section5:
    case ScriptPlace::Section0:
        return true;
    default:
        return false;
    }
}

// The icon standing at place, or -1.
int iconAt(ScriptPlace place)
{
    for (int k = 0; k < kIconCount; ++k)
        if (iconPlace(k) == place)
            return k;
    return -1;
}

bool isTextPage(const PageModel &m)
{
    return m.PageKind == QLatin1StringView("txt");
}

bool isImagePage(const PageModel &m)
{
    return m.PageKind == QLatin1StringView("img");
}

// Optional keys are left out when empty; each kind writes only its own block.
bool isWritten(const PageModel &m, ScriptPlace place)
{
    switch (place) {
    case ScriptPlace::Start:
    case ScriptPlace::Header:
        return false;
    case ScriptPlace::Retscp:
        return m.Returnable;
    case ScriptPlace::Backtxt:
        return !m.BackImage.isEmpty();
    case ScriptPlace::Somini:
        return !m.InitialSound.isEmpty();
    case ScriptPlace::Margem:
    case ScriptPlace::Texto:
    case ScriptPlace::Boxon:
    case ScriptPlace::Boxoff:
        return isTextPage(m);
    default:
        return place < ScriptPlace::Telpos || place > ScriptPlace::Link9 || isImagePage(m);
    }
}

// Builds the text in one buffer; kept lines go right after the place they
// were read at, or where that place would stand when it is not written.
class Writer {
public:
    explicit Writer(const PageModel &page) : m_kept(page.KeptLines)
    {
        std::stable_sort(m_kept.begin(), m_kept.end(),
                         [](const KeptLine &a, const KeptLine &b) { return a.After < b.After; });
        m_out.reserve(4096);
    }

    template <typename... Lines>
    void at(ScriptPlace place, const Lines &...lines)
    {
        flushKept([place](ScriptPlace after) { return after < place; });
        (line(lines), ...);
        flushKept([place](ScriptPlace after) { return after == place; });
    }

    template <typename Text>
    void line(const Text &text)
    {
        m_out += text;
        m_out += QLatin1StringView("\r\n");
    }

    QString finish()
    {
        flushKept([](ScriptPlace) { return true; });
        return std::move(m_out);
    }

private:
    template <typename Pred>
    void flushKept(Pred pred)
    {
        while (m_nextKept < m_kept.size() && pred(m_kept[m_nextKept].After))
            line(kIndent + m_kept[m_nextKept++].Text);
    }

    std::vector<KeptLine> m_kept;
    size_t m_nextKept = 0;
    QString m_out;
};

void writePageText(Writer &w, const QStringList &text)
{
    for (const QString &line : text)
        w.line(kIndent + trimLine(QStringView(line)) + u' ');
}

// Blank lines are left out, ":" lines are not indented, and the script
// always ends in "fim", even when the free section lost its own.
void writeFreeSection(Writer &w, const QStringList &free)
{
    QStringView last;
    for (const QString &text : free) {
        const QStringView t = trimLine(QStringView(text));
        if (t.isEmpty())
            continue;
        if (t.startsWith(u':'))
            w.line(t);
        else
            w.line(kIndent + t);
        last = t;
    }
    if (free.isEmpty())
        w.line(QString());
    if (last != QLatin1StringView("fim"))
        w.line(QLatin1StringView("  fim"));
}

} // namespace

QString placeLine(const PageModel &m, ScriptPlace place, const QString &scriptName)
{
    if (place >= ScriptPlace::Link0 && place <= ScriptPlace::Link9)
        return linkLine(m.ScreenLinks[int(place) - int(ScriptPlace::Link0)]);
    if (const int k = iconAt(place); k >= 0)
        return iconLine(m, k);
    if (isSection(place))
        return sectionTitle(place);
    switch (place) {
    case ScriptPlace::Header:
        return QLatin1StringView("//mob ") + m.PageKind + u' ' + scriptName;
    case ScriptPlace::Retscp:
        return QLatin1StringView("  retscp= ") + scriptName;
    case ScriptPlace::Backtxt:
        return QLatin1StringView("  backtxt= ") + m.BackImage;
    case ScriptPlace::Somini:
        return QLatin1StringView("  somini= ") + m.InitialSound;
    case ScriptPlace::Margem:
        return QStringLiteral("  margem= 0,10,0,0");
    case ScriptPlace::Texto:
        return textLookLine(m);
    case ScriptPlace::Boxon:
        return QStringLiteral("  boxon");
    case ScriptPlace::Boxoff:
        return QStringLiteral("  boxoff");
    case ScriptPlace::Telpos:
        return QLatin1StringView("  telpos= ") + m.ScreenImage;
    case ScriptPlace::Divider:
        return QStringLiteral("  cmd= shp,000,369,920,2,fio.png");
    case ScriptPlace::ObjBar:
        return kIndent + m.ObjBarMark + QLatin1StringView("objjog= 076,382,696,58,58,12");
    default:
        return {};
    }
}

namespace {

// A value the author typed, with the name the status text gives it.
struct Field {
    QString Name;
    QStringView Value;
    bool JoinedWithCommas = false;
};

bool breaksLine(const Field &f)
{
    return f.Value.contains(u'\r') || f.Value.contains(u'\n') || (f.JoinedWithCommas && f.Value.contains(u','));
}

void addLines(std::vector<Field> &fields, const QString &name, const QStringList &lines)
{
    for (const QString &line : lines)
        fields.push_back({name, line});
}

void addTextPage(std::vector<Field> &fields, const PageModel &m)
{
    fields.push_back({QStringLiteral("tamanho do texto"), m.TextSize, true});
    fields.push_back({QStringLiteral("fonte"), m.FontName, true});
    fields.push_back({QStringLiteral("cor do fundo"), m.BackColor, true});
    fields.push_back({QStringLiteral("cor do texto"), m.TextColor, true});
    addLines(fields, QStringLiteral("texto da página"), m.PageText);
}

void addImagePage(std::vector<Field> &fields, const PageModel &m)
{
    fields.push_back({QStringLiteral("imagem da tela"), m.ScreenImage});
    for (int k = 0; k < kLinkCount; ++k) {
        const ScreenLink &l = m.ScreenLinks[k];
        const QString link = QStringLiteral("link %1: ").arg(k);
        const std::pair<const char *, const QString *> joined[] = {
            {"tipo", &l.Kind}, {"x", &l.X}, {"y", &l.Y}, {"largura", &l.Width}, {"altura", &l.Height},
            {"argumento 1", &l.Arg1}, {"argumento 2", &l.Arg2}};
        for (const auto &[name, value] : joined)
            fields.push_back({link + QLatin1StringView(name), *value, true});
        fields.push_back({link + QLatin1StringView("argumento 3"), l.Arg3});
    }
}

void addIcons(std::vector<Field> &fields, const PageModel &m)
{
    for (int k = 0; k < kIconCount; ++k) {
        const QString icon = QStringLiteral("ícone %1: ").arg(k + 1);
        fields.push_back({icon + QLatin1StringView("figura"), m.IconSlots[k].Image, true});
        fields.push_back({icon + QLatin1StringView("script link"), m.IconSlots[k].Target});
    }
}

} // namespace

std::optional<QString> unwritableField(const PageModel &m)
{
    std::vector<Field> fields = {{QStringLiteral("imagem de fundo"), m.BackImage},
                                 {QStringLiteral("som inicial"), m.InitialSound}};
    if (isTextPage(m))
        addTextPage(fields, m);
    if (isImagePage(m))
        addImagePage(fields, m);
    addIcons(fields, m);
    addLines(fields, QStringLiteral("programação ignorada"), m.FreeSection);
    const auto first = std::find_if(fields.begin(), fields.end(), breaksLine);
    return first == fields.end() ? std::nullopt : std::optional<QString>(first->Name);
}

QString generateScript(const PageModel &m, const QString &scriptName)
{
    Writer w(m);
    w.line(placeLine(m, ScriptPlace::Header, scriptName));
    w.at(ScriptPlace::Header);
    for (int p = int(ScriptPlace::Retscp); p <= int(ScriptPlace::Section0); ++p) {
        const auto place = ScriptPlace(p);
        if (!isWritten(m, place))
            continue;
        if (isSection(place))
            w.at(place, QString(), placeLine(m, place, scriptName));
        else
            w.at(place, placeLine(m, place, scriptName));
        if (place == ScriptPlace::Boxon)
            writePageText(w, m.PageText);
    }
    writeFreeSection(w, m.FreeSection);
    return w.finish();
}

QStringList generateScriptLines(const PageModel &page, const QString &scriptName)
{
    return splitLines(generateScript(page, scriptName));
}

} // namespace nimbra
