#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "templates.h"
#include "textlines.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

QStringList formatLines(std::initializer_list<const char *> scriptLines, const QString &name = QStringLiteral("p"))
{
    return generateScriptLines(parseScriptText(u8Lines(scriptLines).join(u'\n')), name);
}

} // namespace

TEST(Templates, AreByteExact)
{
    const QByteArray text = toCp1252(pageTemplate(NewPageKind::Text, QStringLiteral("sala")));
    EXPECT_TRUE(text.startsWith("//mob txt sala\r\n  margem= 0,10,0,0\r\n"
                                "  texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000\r\n"
                                "  boxon\r\n  <p>P\xE1gina de texto.</p>\r\n  boxoff\r\n\r\n"
                                "  //1:Op\xE7\xF5" "es e fun\xE7\xF5" "es - lateral direita\r\n"));
    EXPECT_TRUE(text.contains("\r\n  //3:Barra inferior - fun\xE7\xE3o esquerda\r\n"));
    EXPECT_TRUE(text.contains("\r\n  //5:Barra inferior - fun\xE7\xF5" "es \xE0 direita\r\n"));
    EXPECT_TRUE(text.endsWith("  //cmd= fig,862,382,58,58,icone.png,$pag01\r\n\r\n"
                              "  //0:Programa\xE7\xE3o ignorada...\r\n\r\n  fim\r\n"));
    EXPECT_EQ(text.count("\r\n"), 6 + 25);
    EXPECT_EQ(text.count('\n'), text.count("\r\n"));

    const QByteArray image = toCp1252(pageTemplate(NewPageKind::Image, QStringLiteral("sala")));
    EXPECT_TRUE(image.startsWith("//mob img sala\r\n  telpos= tela01.png\r\n\r\n  //6:Links da tela gr\xE1" "fica\r\n"
                                 "  //cmd= fig,000,000,100,100,icone.png,$start\r\n"));
    EXPECT_EQ(image.count("  //cmd= fig,000,000,100,100,icone.png,$start\r\n"), 10);
    EXPECT_EQ(image.count("\r\n"), 14 + 25);
}

TEST(Generator, WritesTheTextPageOfTheTemplateBack)
{
    const QStringList out = generateScriptLines(parseScriptText(pageTemplate(NewPageKind::Text, QStringLiteral("a"))),
                                                QStringLiteral("a"));
    const QStringList expected = u8Lines({
        "//mob txt a", "  margem= 0,10,0,0", "  texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000", "  boxon",
        "  <p>Página de texto.</p> ", "  boxoff", "", "  //1:Opções e funções - lateral direita",
        "  //cmd= fig,862,000,58,58,icone.png,$start", "  //cmd= fig,862,060,58,58,icone.png,$start",
        "  //cmd= fig,862,120,58,58,icone.png,$start", "  //cmd= fig,862,180,58,58,icone.png,$start",
        "  //cmd= fig,862,240,58,58,icone.png,$start", "  //cmd= fig,862,300,58,58,icone.png,$start", "",
        "  //2:Fio divisor", "  cmd= shp,000,369,920,2,fio.png", "", "  //3:Barra inferior - função esqueda",
        "  //cmd= fig,000,382,58,58,icone.png,$start", "", "  //4:Barra inferior - objetos com o jogador",
        "  //objjog= 076,382,696,58,58,12", "", "  //5:Barra inferior - funções à direita",
        "  //cmd= fig,789,382,58,58,icone.png,$start", "  //cmd= fig,862,382,58,58,icone.png,$pag01", "",
        "  //0:Programação ignorada...", "  fim",
    });
    EXPECT_EQ(out, expected);
    EXPECT_TRUE(generateScript(parseScriptText(pageTemplate(NewPageKind::Text, QStringLiteral("a"))), QStringLiteral("a"))
                    .endsWith(QStringLiteral("  fim\r\n")));
}

TEST(Generator, FollowsTheFormatRules)
{
    struct Case {
        const char *what;
        std::initializer_list<const char *> script;
        std::initializer_list<const char *> present; // lines expected in the output, in order
        std::initializer_list<const char *> absent;
    };
    const Case cases[] = {
        {"empty page text", {"//mob txt p", "boxon", "boxoff"}, {"  boxon", "  boxoff"}, {}},
        {"blank text line", {"//mob txt p", "boxon", "a", "", "boxoff"}, {"  a ", "   ", "  boxoff"}, {}},
        {"no free section", {"//mob txt p"}, {"  //0:Programação ignorada...", "", "  fim"}, {}},
        {"free section rules", {"//mob txt p", "//0:", ":rot", "", "   x  ", "   fim "}, {"  //0:Programação ignorada...", ":rot", "  x", "  fim"}, {"   fim "}},
        {"free section without fim", {"//mob txt p", "//0:", "a"}, {"  a", "  fim"}, {}},
        {"returnable uses own name", {"//mob txt p", "retscp= outra"}, {"//mob txt nova", "  retscp= nova"}, {"  retscp= outra"}},
        {"not returnable", {"//mob txt p"}, {}, {"  retscp= nova"}},
        // the other kind's lines are the author's, kept where they stand
        {"image page has no text block", {"//mob img p", "margem= 0,10,0,0", "texto= 0,0,852,358,1,a,b,biu0", "boxon", "x", "boxoff", "//1:", "cmd= fig,862,000,58,58,a.png,b"}, {"//mob img nova", "  margem= 0,10,0,0", "  texto= 0,0,852,358,1,a,b,biu0", "  boxon", "  x", "  boxoff", "  telpos= tela01.png", "  //6:Links da tela gráfica", "  //1:Opções e funções - lateral direita", "  cmd= fig,862,000,58,58,a.png,b"}, {"  x "}},
        {"text page has no image part", {"//mob txt p", "telpos= t.png", "//6:", "cmd= fig,1,2,3,4,a,b"}, {"  telpos= t.png", "  //6:", "  cmd= fig,1,2,3,4,a,b", "  margem= 0,10,0,0"}, {"  //6:Links da tela gráfica"}},
        {"links never set", {"//mob img p"}, {"  //cmd= ,,,,,"}, {}},
        {"empty argument 2 stays", {"//mob img p", "//6:", "cmd= txt,1,2,3,4,a,,c,d"}, {"  cmd= txt,1,2,3,4,a,,c,d"}, {}},
        {"argument 3 with commas", {"//mob img p", "//6:", "//cmd= txt,1,2,3,4,a,b,c,d,e"}, {"  //cmd= txt,1,2,3,4,a,b,c,d,e"}, {}},
        {"style flags", {"//mob txt p", "texto= 0,0,852,358,4,Arial,FFFFFF,BiU00FF00"}, {"  texto= 0,0,852,358,4,Arial,FFFFFF,BiU00FF00"}, {}},
        {"objects bar on", {"//mob txt p", "//4:", "objjog= 76,382,696,58,58,12"}, {"  objjog= 076,382,696,58,58,12"}, {}},
        {"divider never doubled", {"//mob txt p", "//2:Fio", "cmd= shp,000,369,920,2,fio.png", "//2:Fio"}, {"  //2:Fio divisor"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList out = formatLines(c.script, QStringLiteral("nova"));
        qsizetype from = 0;
        for (const char *line : c.present) {
            const qsizetype at = out.indexOf(u8(line), from);
            EXPECT_GE(at, 0) << "missing: " << line << "\n" << out.join(u'\n').toStdString();
            from = at < 0 ? from : at + 1;
        }
        for (const char *line : c.absent)
            EXPECT_EQ(out.indexOf(u8(line)), -1) << line;
        EXPECT_EQ(out.count(u8("  //2:Fio divisor")), 1);
        EXPECT_EQ(out.count(u8("  cmd= shp,000,369,920,2,fio.png")), 1);
        EXPECT_EQ(trimLine(out.constLast()), u8("fim"));
    }
}

TEST(Generator, FreeSectionDropsBlankLines)
{
    const QStringList out = formatLines({"//mob txt p", "//0:", "", ":rot", "", "fim"});
    EXPECT_EQ(out.mid(out.size() - 3), u8Lines({"  //0:Programação ignorada...", ":rot", "  fim"}));
}

TEST(Generator, UnknownKindWritesNeitherContentPart)
{
    const QStringList out = formatLines({"//mob xyz p", "telpos= a.png", "texto= 0,0,852,358,1,a,b,biu0"});
    EXPECT_EQ(out.mid(0, 5), u8Lines({"//mob xyz p", "  telpos= a.png", "  texto= 0,0,852,358,1,a,b,biu0", "",
                                      "  //1:Opções e funções - lateral direita"}));
}

TEST(Generator, NamesTheFirstFieldThatWouldNotReadBack)
{
    struct Case {
        const char *kind;
        void (*edit)(PageModel &);
        const char *field; // nullptr: every value can be written
    };
    const Case cases[] = {
        {"txt", [](PageModel &) {}, nullptr},
        {"img", [](PageModel &) {}, nullptr},
        {"txt", [](PageModel &m) { m.FontName = u8("Arial, sans-serif"); }, "fonte"},
        {"txt", [](PageModel &m) { m.TextSize = u8("5,5"); }, "tamanho do texto"},
        {"txt", [](PageModel &m) { m.BackColor = u8("FF,FFFF"); }, "cor do fundo"},
        {"txt", [](PageModel &m) { m.TextColor = u8("00,0000"); }, "cor do texto"},
        {"txt", [](PageModel &m) { m.PageText = {u8("a, b e c"), u8("d\ne")}; }, "texto da página"},
        {"txt", [](PageModel &m) { m.BackImage = u8("a\r.png"); }, "imagem de fundo"},
        {"txt", [](PageModel &m) { m.InitialSound = u8("a\n"); }, "som inicial"},
        {"img", [](PageModel &m) { m.ScreenImage = u8("a,b\n.png"); }, "imagem da tela"},
        {"img", [](PageModel &m) { m.ScreenImage = u8("a,b.png"); }, nullptr},
        {"img", [](PageModel &m) { m.ScreenLinks[2].Kind = u8("f,g"); }, "link 2: tipo"},
        {"img", [](PageModel &m) { m.ScreenLinks[0].X = u8("1,"); }, "link 0: x"},
        {"img", [](PageModel &m) { m.ScreenLinks[0].Y = u8(",1"); }, "link 0: y"},
        {"img", [](PageModel &m) { m.ScreenLinks[9].Width = u8("1,0"); }, "link 9: largura"},
        {"img", [](PageModel &m) { m.ScreenLinks[9].Height = u8("1,0"); }, "link 9: altura"},
        {"img", [](PageModel &m) { m.ScreenLinks[1].Arg1 = u8("a,b.png"); }, "link 1: argumento 1"},
        {"img", [](PageModel &m) { m.ScreenLinks[1].Arg2 = u8("sala,2"); }, "link 1: argumento 2"},
        {"img", [](PageModel &m) { m.ScreenLinks[1].Arg3 = u8("um, dois, três"); }, nullptr},
        {"img", [](PageModel &m) { m.ScreenLinks[1].Arg3 = u8("um\r\ndois"); }, "link 1: argumento 3"},
        {"img", [](PageModel &m) { m.FontName = u8("a,b"); }, nullptr}, // not written on an image page
        {"txt", [](PageModel &m) { m.ScreenLinks[0].Kind = u8("a,b"); }, nullptr},
        {"txt", [](PageModel &m) { m.IconSlots[2].Image = u8("a,b.png"); }, "ícone 3: figura"},
        {"img", [](PageModel &m) { m.IconSlots[8].Target = u8("b.png,$start"); }, nullptr},
        {"img", [](PageModel &m) { m.IconSlots[8].Target = u8("$start\n"); }, "ícone 9: script link"},
        {"txt", [](PageModel &m) { m.FreeSection = {u8("se a, b"), u8("x\ry")}; }, "programação ignorada"},
        // the first field in writing order is named
        {"txt", [](PageModel &m) { m.IconSlots[0].Image = u8("a,b"); m.FontName = u8("c,d"); }, "fonte"},
    };
    for (const Case &c : cases) {
        PageModel page = templatePageModel();
        page.PageKind = u8(c.kind);
        c.edit(page);
        const std::optional<QString> field = unwritableField(page);
        EXPECT_EQ(field.value_or(u8("(nenhum)")), u8(c.field ? c.field : "(nenhum)")) << c.kind << " " << (c.field ? c.field : "");
    }
}

TEST(Generator, WritableValuesReadBackAsTheyWere)
{
    PageModel page = templatePageModel();
    page.PageKind = u8("img");
    page.ScreenLinks[1] = {QString(), u8("fig"), u8("1"), u8("2"), u8("3"), u8("4"), u8(" a.png"), u8("sala 2"), u8("x, y")};
    page.IconSlots[8] = {QString(), u8("b.png"), u8("$start,c")};
    page.ScreenImage = u8("a,b.png");
    ASSERT_FALSE(unwritableField(page));
    PageModel back = parseScriptText(generateScript(page, u8("p")));
    EXPECT_EQ(back.ScreenLinks, page.ScreenLinks);
    EXPECT_EQ(back.IconSlots, page.IconSlots);
    EXPECT_EQ(back.ScreenImage, page.ScreenImage);
}
