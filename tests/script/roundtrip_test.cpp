#include "codepage.h"
#include "files.h"
#include "invariants.h"
#include "pagesession.h"
#include "templates.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include <iterator>
#include <random>

using namespace nimbra;

namespace {

// Pages of random values, and hand edits an author makes, chosen at random.
class Author {
public:
    explicit Author(unsigned seed) : m_random(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    QString word(int maxLength)
    {
        static const QString alphabet = u8("abcxyzáçõ0129_.$-");
        QString w;
        for (int n = number(0, maxLength); n > 0; --n)
            w += alphabet[number(0, int(alphabet.size()) - 1)];
        return w;
    }

    // A model whose every value can be written.
    PageModel page()
    {
        const auto mark = [&] { return number(0, 1) ? kSwitchedOff : QString(); };
        PageModel m = templatePageModel();
        m.PageKind = number(0, 1) ? u8("txt") : u8("img");
        m.Returnable = number(0, 1);
        m.BackImage = word(8);
        m.InitialSound = word(8);
        m.ScreenImage = word(8) + u8(".png");
        m.TextSize = word(2);
        m.FontName = word(6);
        m.BackColor = word(6);
        m.TextColor = word(6) + u8(",") + word(3);
        m.Bold = number(0, 1);
        m.Italic = number(0, 1);
        m.Underline = number(0, 1);
        m.ObjBarMark = mark();
        for (IconSlot &icon : m.IconSlots)
            icon = {mark(), word(6), word(4) + u8(",") + word(4)};
        for (ScreenLink &l : m.ScreenLinks)
            l = {mark(), word(3), word(3), word(3), word(3), word(3), word(5), word(5), word(3) + u8(",") + word(3)};
        for (int k = number(0, 3); k > 0; --k)
            m.PageText.append(word(10));
        for (int k = number(0, 3); k > 0; --k)
            m.FreeSection.append(u8("x") + word(10));
        m.FreeSection.append(u8("fim"));
        return m;
    }

    // The script after a few hand edits, with any line ends, mixed ones too.
    QString edit(QStringList lines)
    {
        for (int m = number(1, 5); m > 0; --m) {
            const int at = lines.isEmpty() ? 0 : number(0, int(lines.size()) - 1);
            const qsizetype header = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*//mob")));
            int kind = number(0, 6);
            if (kind == 6)
                kind += header < 0 ? 5 : number(0, 4); // damages the header
            if (lines.isEmpty() && kind <= 2)
                continue;
            switch (kind) {
            case 0: lines.removeAt(at); break;
            case 1: lines.insert(at, lines[at]); break;
            case 2: lines.swapItemsAt(at, number(0, int(lines.size()) - 1)); break;
            case 3: lines = lines.mid(0, at + 1); break;
            case 4: lines.insert(at, QStringLiteral("  nota %1 do autor").arg(m_count++)); break;
            case 5: lines.insert(at, keyLine()); break;
            case 6: lines.removeAt(header); break;
            case 7: lines[header].replace(QStringLiteral("//mob"), QStringLiteral("// mob")); break;
            case 8: lines[header].insert(lines[header].indexOf(u'/') + 6, u'x'); break;
            case 9: lines.insert(header, QStringLiteral("Ok")); break;
            case 10:
                if (!lines.isEmpty())
                    lines[0].prepend(number(0, 1) ? QString(QChar(0xFEFF)) : u8("ï»¿"));
                break;
            }
        }
        static const QString ends[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")};
        const int style = number(0, 3);
        QString text;
        for (const QString &line : lines)
            text += line + ends[style < 3 ? style : number(0, 2)];
        return text;
    }

private:
    QString keyLine()
    {
        static const char *const keys[] = {
            "somini= som%1.mp3", "backtxt= fundo%1.png", "telpos= tela%1.png", "texto= 0,0,852,358,%1,Arial,000000,bIu00FF00",
            "boxon", "boxoff", "//6:Links", "//1:Ícones", "//5:", "cmd= fig,862,120,58,58,n%1.png,p%1",
            "//cmd= fig,789,382,58,58,o%1.png,q%1", "cmd= txt,1,2,3,4, argumento %1", "fim", "//0:", ":rotulo%1",
            "retscp= r%1", "objjog= 076,382,696,58,58,12", "margem= 0,10,0,0", "//mob img outra%1"};
        return u8(keys[number(0, int(std::size(keys)) - 1)]).replace(QStringLiteral("%1"), QString::number(m_count++));
    }

    std::mt19937 m_random;
    int m_count = 0;
};

// New pages and two pages the writer wrote, to start hand edits from.
QStringList corpus()
{
    const QDir cases(QStringLiteral(NIMBRA_SCRIPT_CASES));
    QStringList scripts = {pageTemplate(NewPageKind::Text, u8("t")), pageTemplate(NewPageKind::Image, u8("i"))};
    for (const char *name : {"written-image-page-checks-clean", "written-text-page-with-a-blank-text-line"})
        scripts.append(fromCp1252(readBytes(cases.filePath(u8(name) + u8("/input.txt")))));
    return scripts;
}

// The kind a script's first line names, if it is a well-formed header.
QString headerKind(const QString &script)
{
    const QString first = trimLine(splitLines(script).value(0));
    const QString kind = first.mid(6, 3);
    return first.startsWith(u8("//mob ")) && (kind == u8("txt") || kind == u8("img")) ? kind : QString();
}

} // namespace

// A page of random values reads back as written, but for the other kind's
// values. In a hand-edited page every line the author wrote stays, in order, unless the format
// itself rewrites it, and formatting is stable (formatFault); the header's
// kind is the page's; a written script without kept lines checks clean.
TEST(RoundTrip, WrittenAndHandEditedPagesKeepTheirValues)
{
    Author author(20261206);
    const PageModel fresh = templatePageModel();
    const QStringList sources = corpus();
    int written = 0;
    for (int round = 0; round < 2000; ++round) {
        const PageModel m = author.page();
        const QString name = u8("p") + author.word(5);
        const QString generated = generateScript(m, name);
        PageModel expected = m;
        expected.HeaderName = name;
        expected.ReturnScript = m.Returnable ? name : QString();
        if (m.PageKind == u8("txt")) {
            expected.ScreenImage = fresh.ScreenImage;
            expected.ScreenLinks = fresh.ScreenLinks;
        } else {
            expected.PageText.clear();
            expected.TextSize = fresh.TextSize;
            expected.FontName = fresh.FontName;
            expected.BackColor = fresh.BackColor;
            expected.TextColor = fresh.TextColor;
            expected.Bold = expected.Italic = expected.Underline = false;
        }
        ASSERT_EQ(parseScriptText(generated), expected) << generated.toStdString();

        const QString script = author.edit(splitLines(sources[round % sources.size()]));
        const PageModel page = parseScriptText(script);
        if (compileRefusal(page))
            continue; // nothing is stored
        ++written;
        const QString once = generateScript(page, page.HeaderName);
        ASSERT_TRUE(once.startsWith(u8("//mob ") + page.PageKind)) << script.toStdString();
        if (const QString kind = headerKind(script); !kind.isEmpty()) {
            ASSERT_EQ(page.PageKind, kind) << script.toStdString();
        }
        const std::optional<std::string> fault = formatFault(script);
        ASSERT_FALSE(fault) << *fault << "\n----\n" << script.toStdString();
        std::vector<ScriptIssue> issues;
        if (parseScriptText(once, &issues).KeptLines.empty()) {
            ASSERT_TRUE(issues.empty()) << issues[0].Line << ": " << issues[0].Text.toStdString() << "\n"
                                        << once.toStdString();
        }
    }
    EXPECT_GT(written, 1000);
}
