#include "generator.h"
#include "parser.h"
#include "templates.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(Generator, UnknownKindWritesNeitherContentPart)
{
    const QStringList out = generateScriptLines(
        parseScriptText(u8("//mob xyz p\ntelpos= a.png\ntexto= 0,0,852,358,1,a,b,biu0\n")), u8("p"));
    EXPECT_EQ(out.mid(0, 5), u8Lines({"//mob xyz p", "  telpos= a.png", "  texto= 0,0,852,358,1,a,b,biu0", "",
                                      "  //1:Opções e funções - lateral direita"}));
}

// A value with a comma or a line end that would read back as other fields
// is named; the values that can be written read back as they were.
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
        {"img", [](PageModel &m) { m.ScreenLinks[1] = {{}, u8("fig"), u8("1"), u8("2"), u8("3"), u8("4"), u8(" a.png"), u8("sala 2"), u8("x")}; }, nullptr},
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
        if (!field && page.PageKind == u8("img")) {
            const PageModel back = parseScriptText(generateScript(page, u8("p")));
            EXPECT_EQ(back.ScreenLinks, page.ScreenLinks);
            EXPECT_EQ(back.IconSlots, page.IconSlots);
            EXPECT_EQ(back.ScreenImage, page.ScreenImage);
        }
    }
}
