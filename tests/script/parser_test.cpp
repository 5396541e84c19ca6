#include "parser.h"
#include "templates.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

PageModel parseLines(std::initializer_list<const char *> scriptLines)
{
    QStringList reply = u8Lines(scriptLines);
    reply.prepend(QStringLiteral("Ok"));
    return parsePage(reply);
}

} // namespace

TEST(Parser, ReadsTheTextLookByItsFields)
{
    struct Case {
        const char *line;
        const char *size, *font, *back, *color;
        bool bold, italic, underline;
    };
    const Case cases[] = {
        {"texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000", "5", "Courier New", "FFFFFF", "000000", false, false, false},
        {"texto= 0,0,852,358,7,Arial,000000,BiUFF00AA", "7", "Arial", "000000", "FF00AA", true, false, true},
        {"texto= 0,0,852,358,3,Times,112233,bIu", "3", "Times", "112233", "", false, true, false},
        {"texto= 0,0,852,358,3,Times,112233,biUx,y", "3", "Times", "112233", "x,y", false, false, true},
        // lower-case flags and other letters count as off
        {"texto= 0,0,852,358,3,Times,112233,bxu0", "3", "Times", "112233", "0", false, false, false},
        // short lines read what is there
        {"texto= 0,0,852,358,9", "9", "", "", "", false, false, false},
        {"texto= 0,0,852,358,9,Verdana", "9", "Verdana", "", "", false, false, false},
        {"texto= 0,0,852,358,9,Verdana,FFFFFF,B", "9", "Verdana", "FFFFFF", "", true, false, false},
        {"texto= 0,0,852,358", "", "", "", "", false, false, false},
        // without the fixed prefix the fields are still the same fields
        {"texto=  0,0,852,358,5,Arial,FFFFFF,BIU112233", "5", "Arial", "FFFFFF", "112233", true, true, true},
        {"texto=0,00,0852,358,5, Arial ,FFFFFF,biu1", "5", " Arial ", "FFFFFF", "1", false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const PageModel m = parseLines({"//mob txt p", c.line});
        EXPECT_EQ(m.TextSize, u8(c.size));
        EXPECT_EQ(m.FontName, u8(c.font));
        EXPECT_EQ(m.BackColor, u8(c.back));
        EXPECT_EQ(m.TextColor, u8(c.color));
        EXPECT_EQ(m.Bold, c.bold);
        EXPECT_EQ(m.Italic, c.italic);
        EXPECT_EQ(m.Underline, c.underline);
    }
}

TEST(Parser, ATextLookWithoutTheTextAreaIsKept)
{
    for (const char *line : {"texto=", "texto= 0,0,800,358,5,Arial,FFFFFF,biu0", "texto= 0,0,852", "texto= a,0,852,358,5"}) {
        SCOPED_TRACE(line);
        const PageModel m = parseLines({"//mob txt p", line});
        EXPECT_EQ(m.FontName, templatePageModel().FontName);
        ASSERT_EQ(m.KeptLines.size(), 1u);
        EXPECT_EQ(m.KeptLines[0].Text, u8(line));
    }
}

TEST(Parser, PlacesIconsByTheirCoordinates)
{
    struct Case {
        const char *line;
        int slot; // IconSlots index, -1 for a line kept as it is
        const char *mark, *image, *target;
    };
    const Case cases[] = {
        {"  //cmd= fig,862,060,58,58,icone.png,$start", 1, "//", "icone.png", "$start"},
        {"cmd= fig,862,060,58,58,icone.png,$start", 1, "", "icone.png", "$start"},
        {"cmd= fig,862,060,58,58,a.png,alvo,com,virgulas", 1, "", "a.png", "alvo,com,virgulas"},
        {"cmd= fig,862,060,58,58,a.png,", 1, "", "a.png", ""},
        {"cmd= fig,862,060,58,58,a.png", 1, "", "a.png", ""},
        {"cmd= fig,862,060,58,58,,xvlt", 1, "", "", "xvlt"},
        {"cmd= fig,862,60,58,58,sair.png,$fim", 1, "", "sair.png", "$fim"},
        {"cmd= fig,0862,120,058,58,b.png, c", 2, "", "b.png", " c"},
        {"cmd= fig,0,382,58,58,f.png,g", 6, "", "f.png", "g"},
        {"//cmd= fig,789,382,58,58,d.png,e", 7, "//", "d.png", "e"},
        {"cmd= fig,862,382,58,58,h.png,i", 8, "", "h.png", "i"},
        {"cmd= fig", -1, "", "", ""},
        {"//cmd= fig,862", -1, "", "", ""},
        {"cmd= fig,862,061,58,58,a.png,b", -1, "", "", ""},
        {"cmd= fig,862,060,50,58,a.png,b", -1, "", "", ""},
        {"cmd= shp,862,060,58,58,a.png,b", -1, "", "", ""},
        {"cmd= fig, 862,060,58,58,a.png,b", -1, "", "", ""},
        {"cmd=fig,862,060,58,58,a.png,b", -1, "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const char *section = c.slot == 6 ? "//3:x" : c.slot > 6 ? "//5:x" : "//1:x";
        const PageModel m = parseLines({"//mob txt p", section, c.line});
        PageModel expected = templatePageModel();
        if (c.slot >= 0)
            expected.IconSlots[c.slot] = {u8(c.mark), u8(c.image), u8(c.target)};
        EXPECT_EQ(m.IconSlots, expected.IconSlots);
        EXPECT_EQ(m.KeptLines.size(), c.slot < 0 ? 1u : 0u);
    }
}


TEST(Parser, ReadsScreenLinksFromCharacterSixOrEight)
{
    struct Case {
        const char *line;
        std::initializer_list<const char *> fields; // mark, kind, x, y, w, h, arg1, arg2, arg3
    };
    const Case cases[] = {
        {"//cmd= fig,000,000,100,100,icone.png,$start", {"//", "fig", "000", "000", "100", "100", "icone.png", "$start", ""}},
        {"cmd= fig,010,020,030,040,a.png,p2", {"", "fig", "010", "020", "030", "040", "a.png", "p2", ""}},
        {"cmd= txt,1,2,3,4,um,dois,tres,quatro,cinco", {"", "txt", "1", "2", "3", "4", "um", "dois", "tres,quatro,cinco"}},
        {"cmd= url,1,2,3,4,http://x", {"", "url", "1", "2", "3", "4", "http://x", "", ""}},
        {"cmd= map,1,2,3,4,a,,c", {"", "map", "1", "2", "3", "4", "a", "", "c"}},
        {"cmd= shp,10,20", {"", "shp", "10", "20", "", "", "", "", ""}},
        {"//cmd= ,,,,,", {"//", "", "", "", "", "", "", "", ""}},
        // the last argument the writer puts down ends its line
        {"cmd= fig,1,2,3,4,a.png\x01 ,", {"", "fig", "1", "2", "3", "4", "a.png", "", ""}},
        {"cmd= fig,1,2,3,4,a.png ,b \x02,", {"", "fig", "1", "2", "3", "4", "a.png ", "b", ""}},
        // leading blanks of the last argument are the author's
        {"cmd= txt,1,2,3,4, Olá mundo", {"", "txt", "1", "2", "3", "4", " Olá mundo", "", ""}},
        {"cmd= txt,1,2,3,4,a,b,  c, d ", {"", "txt", "1", "2", "3", "4", "a", "b", "  c, d"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const PageModel m = parseLines({"//mob img p", "//6:x", c.line});
        const ScreenLink &l = m.ScreenLinks[0];
        const QStringList got = {l.Mark, l.Kind, l.X, l.Y, l.Width, l.Height, l.Arg1, l.Arg2, l.Arg3};
        EXPECT_EQ(got, u8Lines(c.fields));
    }
}

// A page read, or a reply without a script, takes only the return script
// of the page before; all else is as on a new page.
TEST(Parser, TakesOnlyTheReturnScriptFromThePageBefore)
{
    const PageModel fresh = templatePageModel();
    for (const QStringList &reply : {u8Lines({"Ok", "//mob txt b"}), u8Lines({"Tente novamente!"})}) {
        SCOPED_TRACE(reply.join(u'|').toStdString());
        const PageModel m = parsePage(reply, u8("a"));
        EXPECT_EQ(m.ReturnScript, u8("a"));
        EXPECT_FALSE(m.Returnable);
        EXPECT_EQ(m.BackImage + m.InitialSound, QString());
        EXPECT_EQ(m.IconSlots, fresh.IconSlots);
        EXPECT_EQ(m.ScreenLinks, fresh.ScreenLinks);
        EXPECT_EQ(m.TextSize, fresh.TextSize);
        EXPECT_EQ(m.ScreenImage, fresh.ScreenImage);
    }
}

// The header names the kind and the page; without a known kind the
// content decides, but not lines inside the page text or the free section.
TEST(Parser, TheKindComesFromTheHeaderElseFromTheContent)
{
    struct Case {
        std::initializer_list<const char *> script;
        const char *kind, *name;
    };
    const Case cases[] = {
        {{"//mob img p", "texto= 0,0,852,358,5,A,B,biu0"}, "img", "p"},
        {{"//mob txt p", "telpos= t.png"}, "txt", "p"},
        {{"//mob xyz p"}, "xyz", "p"},
        {{"//mob t"}, "t", ""},
        {{"//mob tx p"}, "tx", "p"},
        {{"//mob tx "}, "tx", ""},
        {{"//mob  img   sala 2 "}, "img", "sala 2"},
        {{"telpos= t.png"}, "img", ""},
        {{"// mob img p", "//6:"}, "img", ""},
        {{"//mob imgx p", "boxon", "telpos= no texto", "boxoff"}, "txt", "p"},
        {{"ï»¿  //mob img p"}, "img", "p"}, // the same mark read as code-page bytes
        {{"texto= 0,0,852,358,5,A,B,biu0", "//0:", "telpos= x"}, "txt", ""},
        {{"//mob wav p", "texto= 0,0,852,358,5,A,B,biu0", "telpos= t.png"}, "wav", "p"},
        {{"nota", "//1:"}, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(u8Lines(c.script).join(u'|').toStdString());
        const PageModel m = parseLines(c.script);
        EXPECT_EQ(m.PageKind, u8(c.kind));
        EXPECT_EQ(m.HeaderName, u8(c.name));
    }
    const QString byteOrderMark(QChar(0xFEFF));
    EXPECT_EQ(parseScriptText(byteOrderMark + u8("//mob img p\n")).PageKind, u8("img"));
}
