#include "codepage.h"
#include "files.h"
#include "generator.h"
#include "invariants.h"
#include "pagesession.h"
#include "parser.h"
#include "templates.h"
#include "textlines.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include <iterator>
#include <random>

using namespace nimbra;

namespace {

QString format(const QString &script)
{
    const PageModel page = parseScriptText(script);
    return generateScript(page, page.HeaderName);
}

// New pages and two pages the writer wrote, to start hand edits from.
QStringList corpus()
{
    const QDir cases(QStringLiteral(NIMBRA_SCRIPT_CASES));
    QStringList scripts = {pageTemplate(NewPageKind::Text, u8("t")), pageTemplate(NewPageKind::Image, u8("i"))};
    for (const char *name : {"written-image-page-checks-clean", "written-text-page-with-a-blank-text-line"})
        scripts.append(fromCp1252(readBytes(cases.filePath(u8(name) + u8("/input.txt")))));
    return scripts;
}

} // namespace

TEST(RoundTrip, GeneratedModelsReadBackEqual)
{
    std::mt19937 random(20261206);
    const QString alphabet = u8("abcxyzáçõ0129_.$-");
    auto word = [&](int maxLength) {
        QString w;
        const int n = std::uniform_int_distribution<int>(0, maxLength)(random);
        for (int i = 0; i < n; ++i)
            w += alphabet[std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(random)];
        return w;
    };
    auto mark = [&] { return random() % 2 ? kSwitchedOff : QString(); };
    for (int round = 0; round < 300; ++round) {
        PageModel m = templatePageModel();
        m.PageKind = random() % 2 ? u8("txt") : u8("img");
        m.Returnable = random() % 2;
        m.BackImage = word(8);
        m.InitialSound = word(8);
        m.ScreenImage = word(8) + u8(".png");
        m.TextSize = word(2);
        m.FontName = word(6);
        m.BackColor = word(6);
        m.TextColor = word(6) + u8(",") + word(3);
        m.Bold = random() % 2;
        m.Italic = random() % 2;
        m.Underline = random() % 2;
        m.ObjBarMark = mark();
        for (IconSlot &icon : m.IconSlots)
            icon = {mark(), word(6), word(4) + u8(",") + word(4)};
        for (ScreenLink &l : m.ScreenLinks)
            l = {mark(), word(3), word(3), word(3), word(3), word(3), word(5), word(5), word(3) + u8(",") + word(3)};
        for (int k = std::uniform_int_distribution<int>(0, 3)(random); k > 0; --k)
            m.PageText.append(word(10));
        for (int k = std::uniform_int_distribution<int>(0, 3)(random); k > 0; --k)
            m.FreeSection.append(u8("x") + word(10));
        m.FreeSection.append(u8("fim"));

        const QString name = u8("p") + word(5);
        PageModel back = parseScriptText(generateScript(m, name));
        PageModel expected = m;
        expected.HeaderName = name;
        expected.ReturnScript = m.Returnable ? name : QString();
        if (m.PageKind == u8("txt")) {
            expected.ScreenImage = templatePageModel().ScreenImage;
            expected.ScreenLinks = templatePageModel().ScreenLinks;
        } else {
            expected.PageText.clear();
            expected.TextSize = templatePageModel().TextSize;
            expected.FontName = templatePageModel().FontName;
            expected.BackColor = templatePageModel().BackColor;
            expected.TextColor = templatePageModel().TextColor;
            expected.Bold = expected.Italic = expected.Underline = false;
        }
        ASSERT_EQ(back, expected) << generateScript(m, name).toStdString();
    }
}

namespace {

// Hand edits an author makes to a script, chosen at random.
class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    QStringList mutate(QStringList lines)
    {
        for (int m = number(1, 5); m > 0; --m) {
            const int at = lines.isEmpty() ? 0 : number(0, int(lines.size()) - 1);
            switch (number(0, 6)) {
            case 0:
                if (!lines.isEmpty())
                    lines.removeAt(at);
                break;
            case 1:
                if (!lines.isEmpty())
                    lines.insert(at, lines[at]);
                break;
            case 2:
                if (!lines.isEmpty())
                    lines.swapItemsAt(at, number(0, int(lines.size()) - 1));
                break;
            case 3:
                lines = lines.mid(0, at + 1);
                break;
            case 4:
                lines.insert(at, QStringLiteral("  nota %1 do autor").arg(m_count++));
                break;
            case 5:
                lines.insert(at, keyLine());
                break;
            default:
                damageHeader(lines);
                break;
            }
        }
        return lines;
    }

    // Every line end a script may come with, mixed ones too.
    QString join(const QStringList &lines)
    {
        static const QString ends[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")};
        const int style = number(0, 3);
        QString text;
        for (const QString &line : lines)
            text += line + ends[style < 3 ? style : number(0, 2)];
        return text;
    }

private:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    QString keyLine()
    {
        static const char *const keys[] = {
            "somini= som%1.mp3", "backtxt= fundo%1.png", "telpos= tela%1.png", "texto= 0,0,852,358,%1,Arial,000000,bIu00FF00",
            "boxon", "boxoff", "//6:Links", "//1:Ícones", "//5:", "cmd= fig,862,120,58,58,n%1.png,p%1",
            "//cmd= fig,789,382,58,58,o%1.png,q%1", "cmd= txt,1,2,3,4, argumento %1", "fim", "//0:", ":rotulo%1",
            "retscp= r%1", "objjog= 076,382,696,58,58,12", "margem= 0,10,0,0", "//mob img outra%1"};
        return u8(keys[number(0, int(std::size(keys)) - 1)]).replace(QStringLiteral("%1"), QString::number(m_count++));
    }

    void damageHeader(QStringList &lines)
    {
        const qsizetype header = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*//mob")));
        if (header < 0)
            return;
        switch (number(0, 4)) {
        case 0:
            lines.removeAt(header);
            break;
        case 1:
            lines[header].replace(QStringLiteral("//mob"), QStringLiteral("// mob"));
            break;
        case 2:
            lines[header].insert(lines[header].indexOf(u'/') + 6, u'x');
            break;
        case 3:
            lines.insert(header, QStringLiteral("Ok"));
            break;
        default:
            if (!lines.isEmpty())
                lines[0].prepend(number(0, 1) ? QString(QChar(0xFEFF)) : u8("ï»¿"));
            break;
        }
    }

    std::mt19937 m_random;
    int m_count = 0;
};

// The kind a script's first line names, if it is a well-formed header.
QString headerKind(const QString &script)
{
    const QString first = trimLine(splitLines(script).value(0));
    const QString kind = first.mid(6, 3);
    return first.startsWith(u8("//mob ")) && (kind == u8("txt") || kind == u8("img")) ? kind : QString();
}

} // namespace

// Every line the author wrote stays, in order, unless the format itself
// rewrites it; its value does not change; formatting is stable from the
// second pass on; a written script without kept lines checks clean.
TEST(RoundTrip, HandEditedScriptsLoseNoLine)
{
    Mutator mutator(20240615);
    const QStringList sources = corpus();
    int written = 0;
    for (int round = 0; round < 2000; ++round) {
        const QString script = mutator.join(mutator.mutate(splitLines(sources[round % sources.size()])));
        const PageModel page = parseScriptText(script);
        if (compileRefusal(page))
            continue; // nothing is stored
        ++written;
        const QString once = generateScript(page, page.HeaderName);
        ASSERT_TRUE(once.startsWith(u8("//mob ") + page.PageKind)) << script.toStdString();
        if (const QString kind = headerKind(script); !kind.isEmpty()) {
            ASSERT_EQ(page.PageKind, kind) << script.toStdString();
        }
        const std::optional<QString> lost = firstLostLine(script, once);
        ASSERT_FALSE(lost) << lost->toStdString() << "\n----\n" << script.toStdString() << "\n----\n" << once.toStdString();
        const QString twice = format(once);
        ASSERT_EQ(format(twice), twice) << script.toStdString();
        if (!page.FreeSection.isEmpty()) {
            ASSERT_EQ(twice, once) << script.toStdString();
        }
        std::vector<ScriptIssue> issues;
        if (parseScriptText(once, &issues).KeptLines.empty()) {
            ASSERT_TRUE(issues.empty()) << issues[0].Line << ": " << issues[0].Text.toStdString() << "\n"
                                        << once.toStdString();
        }
    }
    EXPECT_GT(written, 1000);
}
