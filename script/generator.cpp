#include "generator.h"

#include "textlines.h"

#include <algorithm>

namespace nimbra {
namespace {

const QString kIndent = QStringLiteral("  ");

QString iconLine(const IconSlot &icon, QLatin1StringView position)
{
    return kIndent + icon.Mark + QLatin1StringView("cmd= fig,") + position + QLatin1StringView(",58,58,")
        + icon.Image + u',' + icon.Target;
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

QString flagsOf(const PageModel &m)
{
    return QString(m.Bold ? u'B' : u'b') + (m.Italic ? u'I' : u'i') + (m.Underline ? u'U' : u'u');
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

void writeTextPage(Writer &w, const PageModel &m)
{
    w.at(ScriptPlace::Margem, QLatin1StringView("  margem= 0,10,0,0"));
    w.at(ScriptPlace::Texto, QLatin1StringView("  texto= 0,0,852,358,") + m.TextSize + u',' + m.FontName + u','
                                 + m.BackColor + u',' + flagsOf(m) + m.TextColor);
    w.at(ScriptPlace::Boxon, QLatin1StringView("  boxon"));
    for (const QString &text : m.PageText)
        w.line(kIndent + trimLine(QStringView(text)) + u' ');
    w.at(ScriptPlace::Boxoff, QLatin1StringView("  boxoff"));
}

void writeImagePage(Writer &w, const PageModel &m)
{
    w.at(ScriptPlace::Telpos, QLatin1StringView("  telpos= ") + m.ScreenImage);
    w.at(ScriptPlace::Section6, QString(), QStringLiteral("  //6:Links da tela gráfica"));
    for (int k = 0; k < kLinkCount; ++k)
        w.at(placeAfter(ScriptPlace::Link0, k), linkLine(m.ScreenLinks[k]));
}

void writeIcons(Writer &w, const PageModel &m)
{
    static const QLatin1StringView rightColumn[6] = {
        QLatin1StringView("862,000"), QLatin1StringView("862,060"), QLatin1StringView("862,120"),
        QLatin1StringView("862,180"), QLatin1StringView("862,240"), QLatin1StringView("862,300")};
    w.at(ScriptPlace::Section1, QString(), QStringLiteral("  //1:Opções e funções - lateral direita"));
    for (int k = 0; k < 6; ++k)
        w.at(placeAfter(ScriptPlace::Icon1, k), iconLine(m.IconSlots[k], rightColumn[k]));
    w.at(ScriptPlace::Section2, QString(), QLatin1StringView("  //2:Fio divisor"));
    w.at(ScriptPlace::Divider, QLatin1StringView("  cmd= shp,000,369,920,2,fio.png"));
    w.at(ScriptPlace::Section3, QString(), QStringLiteral("  //3:Barra inferior - função esqueda"));
    w.at(ScriptPlace::Icon7, iconLine(m.IconSlots[6], QLatin1StringView("000,382")));
    w.at(ScriptPlace::Section4, QString(), QLatin1StringView("  //4:Barra inferior - objetos com o jogador"));
    w.at(ScriptPlace::ObjBar, kIndent + m.ObjBarMark + QLatin1StringView("objjog= 076,382,696,58,58,12"));
    w.at(ScriptPlace::Section5, QString(), QStringLiteral("  //5:Barra inferior - funções à direita"));
    w.at(ScriptPlace::Icon8, iconLine(m.IconSlots[7], QLatin1StringView("789,382")));
    w.at(ScriptPlace::Icon9, iconLine(m.IconSlots[8], QLatin1StringView("862,382")));
}

// Blank lines are left out, ":" lines are not indented, and the script
// always ends in "fim", even when the free section lost its own.
void writeFreeSection(Writer &w, const QStringList &free)
{
    w.at(ScriptPlace::Section0, QString(), QStringLiteral("  //0:Programação ignorada..."));
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

QString generateScript(const PageModel &m, const QString &scriptName)
{
    Writer w(m);
    w.at(ScriptPlace::Start);
    w.at(ScriptPlace::Header, QLatin1StringView("//mob ") + m.PageKind + u' ' + scriptName);
    if (m.Returnable)
        w.at(ScriptPlace::Retscp, QLatin1StringView("  retscp= ") + scriptName);
    if (!m.BackImage.isEmpty())
        w.at(ScriptPlace::Backtxt, QLatin1StringView("  backtxt= ") + m.BackImage);
    if (!m.InitialSound.isEmpty())
        w.at(ScriptPlace::Somini, QLatin1StringView("  somini= ") + m.InitialSound);
    if (m.PageKind == QLatin1StringView("txt"))
        writeTextPage(w, m);
    else if (m.PageKind == QLatin1StringView("img"))
        writeImagePage(w, m);
    writeIcons(w, m);
    writeFreeSection(w, m.FreeSection);
    return w.finish();
}

QStringList generateScriptLines(const PageModel &page, const QString &scriptName)
{
    return splitLines(generateScript(page, scriptName));
}

} // namespace nimbra
