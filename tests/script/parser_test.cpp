#include "generator.h"
#include "parser.h"
#include "templates.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

PageModel parseLines(std::initializer_list<const char *> scriptLines, const QString &previousReturn = {})
{
    QStringList reply = u8Lines(scriptLines);
    reply.prepend(QStringLiteral("Ok"));
    return parsePage(reply, previousReturn);
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

TEST(Parser, StrayFixedLinesBeforeTheirSectionsAreKept)
{
    const PageModel m = parseLines({"cmd= fig,789,382,58,58,a.png,b", "//mob txt p", "objjog= 076,382,696,58,58,12",
                                    "cmd= shp,000,369,920,2,fio.png", "somini= s.mp3", "//1:",
                                    "cmd= fig,862,000,58,58,c.png,d"});
    EXPECT_EQ(m.InitialSound, u8("s.mp3")) << "the stray lines push nothing out of order";
    EXPECT_EQ(m.IconSlots[0].Image, u8("c.png"));
    EXPECT_EQ(m.IconSlots[7].Mark, kSwitchedOff);
    EXPECT_EQ(m.ObjBarMark, kSwitchedOff);
    EXPECT_EQ(m.KeptLines.size(), 3u);
}

TEST(Parser, AnIconLineWhoseSlotIsTakenOrPassedIsKept)
{
    const PageModel m = parseLines({"//mob txt p", "//1:", "cmd= fig,862,120,58,58,c.png,3", "cmd= fig,862,060,58,58,b.png,2",
                                    "cmd= fig,862,120,58,58,d.png,3", "cmd= fig,862,180,58,58,e.png,4"});
    EXPECT_EQ(m.IconSlots[1].Mark, kSwitchedOff) << "icon 3 does not move up to icon 2's slot";
    EXPECT_EQ(m.IconSlots[2].Image, u8("c.png"));
    EXPECT_EQ(m.IconSlots[3].Image, u8("e.png"));
    ASSERT_EQ(m.KeptLines.size(), 2u);
    EXPECT_EQ(m.KeptLines[0], (KeptLine{placeAfter(ScriptPlace::Icon1, 2), u8("cmd= fig,862,060,58,58,b.png,2")}));
    EXPECT_EQ(m.KeptLines[1], (KeptLine{placeAfter(ScriptPlace::Icon1, 2), u8("cmd= fig,862,120,58,58,d.png,3")}));
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

TEST(Parser, ReadsKeysAndKind)
{
    const PageModel m = parseLines({"  //mob img sala_1", "  retscp= sala_1 ", "  backtxt=  fundo.png",
                                    "  somini= porta01.mp3", "  telpos= tela02.jpg"});
    EXPECT_EQ(m.PageKind, u8("img"));
    EXPECT_EQ(m.HeaderName, u8("sala_1"));
    EXPECT_TRUE(m.Returnable);
    EXPECT_EQ(m.ReturnScript, u8("sala_1"));
    EXPECT_EQ(m.BackImage, u8("fundo.png"));
    EXPECT_EQ(m.InitialSound, u8("porta01.mp3"));
    EXPECT_EQ(m.ScreenImage, u8("tela02.jpg"));

    EXPECT_EQ(parseLines({"//mob xyz p"}).PageKind, u8("xyz"));
    EXPECT_EQ(parseLines({"//mob t"}).PageKind, u8("t"));
    EXPECT_EQ(parseLines({"//mob tx p"}).PageKind, u8("tx"));
    EXPECT_EQ(parseLines({"//mob  img   sala 2 "}).HeaderName, u8("sala 2"));
    EXPECT_EQ(parseLines({"//mob tx "}).PageKind, u8("tx"));
    EXPECT_EQ(parseLines({"//mob tx p"}).HeaderName, u8("p"));
}

TEST(Parser, KeepsTheReturnScriptAcrossPagesButNothingElse)
{
    const PageModel first = parseLines({"//mob txt a", "backtxt= f.png", "somini= s.mp3", "//1:", "cmd= fig,862,000,58,58,x.png,b"});
    const PageModel second = parseLines({"//mob txt b"}, QStringLiteral("a"));
    EXPECT_EQ(second.ReturnScript, u8("a"));
    EXPECT_FALSE(second.Returnable);
    EXPECT_EQ(second.BackImage, QString());
    EXPECT_EQ(second.InitialSound, QString());
    EXPECT_EQ(second.IconSlots[0].Image, u8("icone.png"));
    EXPECT_EQ(second.IconSlots[0].Mark, u8("//"));
    EXPECT_EQ(second.TextSize, u8("5"));
    EXPECT_EQ(second.ScreenImage, u8("tela01.png"));
}

TEST(Parser, SectionsTakeTheirCountOfLines)
{
    const PageModel m = parseLines({
        "//mob img p", "//6:", "cmd= fig,1,1,1,1,a,l0", "cmd= fig,1,1,1,1,a,l1", "cmd= fig,1,1,1,1,a,l2",
        "cmd= fig,1,1,1,1,a,l3", "cmd= fig,1,1,1,1,a,l4", "cmd= fig,1,1,1,1,a,l5", "cmd= fig,1,1,1,1,a,l6",
        "cmd= fig,1,1,1,1,a,l7", "cmd= fig,1,1,1,1,a,l8", "cmd= fig,1,1,1,1,a,l9", "cmd= fig,1,1,1,1,a,l10",
        "//4:", "objjog= 076,382,696,58,58,12",
        "//5:", "cmd= fig,789,382,58,58,b.png,t8", "//cmd= fig,862,382,58,58,c.png,t9",
    });
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(m.ScreenLinks[k].Arg2, QStringLiteral("l%1").arg(k));
    ASSERT_EQ(m.KeptLines.size(), 1u);
    EXPECT_EQ(m.KeptLines[0].Text, u8("cmd= fig,1,1,1,1,a,l10"));
    EXPECT_EQ(m.KeptLines[0].After, ScriptPlace::Link9);
    EXPECT_EQ(m.IconSlots[7].Target, u8("t8"));
    EXPECT_EQ(m.IconSlots[7].Mark, QString());
    EXPECT_EQ(m.IconSlots[8].Mark, u8("//"));
    EXPECT_EQ(m.ObjBarMark, QString());
}

TEST(Parser, ALinkWrittenLikeTheDividerStaysALink)
{
    // This link is written back with exactly the text of the divider line.
    const PageModel m = parseLines({"//mob img p", "  //6:", "  cmd= shp,000,369,920,2,fio.png", "  cmd= fig,1,1,1,1,a,l1",
                                    "  //2:", "  cmd= shp,000,369,920,2,fio.png", "  //3:"});
    ASSERT_EQ(m.ScreenLinks[1].Arg2, u8("l1"));
    const QString once = generateScript(m, m.HeaderName);
    const PageModel again = parseScriptText(once);
    EXPECT_EQ(again.ScreenLinks[0].Mark, QString());
    EXPECT_EQ(again.ScreenLinks[1].Arg2, u8("l1")) << "the divider-like link does not end the links section";
    const QString twice = generateScript(again, m.HeaderName);
    EXPECT_EQ(generateScript(parseScriptText(twice), m.HeaderName), twice);
}

TEST(Parser, ShortSectionsLeaveTheRestSwitchedOff)
{
    const PageModel m = parseLines({"//mob txt p", "//1:", "cmd= fig,862,000,58,58,a.png,x", "", "//4:", "", "//0:", "fim"});
    EXPECT_EQ(m.IconSlots[0].Mark, QString());
    for (int k = 1; k < kIconCount; ++k)
        EXPECT_EQ(m.IconSlots[k].Mark, u8("//")) << k;
    EXPECT_EQ(m.ObjBarMark, u8("//")) << "a missing objects bar line is not an active one";
    EXPECT_TRUE(m.KeptLines.empty());
}

TEST(Parser, ForeignLinesInsideASectionAreNotEntries)
{
    const PageModel m = parseLines({"//mob txt p", "//1:", "cmd= fig,862,000,58,58,a.png,x", "nota do autor",
                                    "cmd= fig,862,060,58,58,b.png,y"});
    EXPECT_EQ(m.IconSlots[1].Image, u8("b.png"));
    ASSERT_EQ(m.KeptLines.size(), 1u);
    EXPECT_EQ(m.KeptLines[0].After, ScriptPlace::Icon1);
}

TEST(Parser, PageTextEndsAtBoxoffOrAtTheEnd)
{
    const PageModel closed = parseLines({"//mob txt p", "boxon", "  <p>um</p>  ", "", "boxoff", "depois"});
    EXPECT_EQ(closed.PageText, u8Lines({"<p>um</p>", ""}));
    ASSERT_EQ(closed.KeptLines.size(), 1u);
    EXPECT_EQ(closed.KeptLines[0].After, ScriptPlace::Boxoff);

    const PageModel open = parseLines({"//mob txt p", "boxon", "a", "//1:", "fim"});
    EXPECT_EQ(open.PageText, u8Lines({"a", "//1:", "fim"}));
}

TEST(Parser, FreeSectionTakesEverythingAfterSectionZero)
{
    const PageModel m = parseLines({"//mob txt p", "//0:x", "", ":rotulo", "  cmd= x", "//1:", "fim"});
    EXPECT_EQ(m.FreeSection, u8Lines({"", ":rotulo", "cmd= x", "//1:", "fim"}));
    EXPECT_EQ(parseLines({"//mob txt p"}).FreeSection, QStringList());
}

TEST(Parser, StatusOnlyReplyLeavesEverythingOff)
{
    const PageModel m = parsePage({u8("Tente novamente!")}, QStringLiteral("r"));
    for (const IconSlot &icon : m.IconSlots)
        EXPECT_EQ(icon.Mark, u8("//"));
    ScreenLink off;
    off.Mark = u8("//");
    for (const ScreenLink &link : m.ScreenLinks)
        EXPECT_EQ(link, off);
    EXPECT_EQ(m.ReturnScript, u8("r"));
    EXPECT_EQ(parsePage({}).PageKind, QString()) << "an empty script has no kind to write";
}

TEST(Parser, KeyLinesOutOfOrderStayWhereTheyAre)
{
    const PageModel m = parseLines({"//mob txt p", "texto= 0,0,852,358,5,Arial,FFFFFF,biu000000", "retscp= p",
                                    "somini= s.mp3", "backtxt= b.png"});
    EXPECT_FALSE(m.Returnable);
    EXPECT_EQ(m.InitialSound, QString());
    EXPECT_EQ(m.FontName, u8("Arial"));
    const std::vector<KeptLine> kept = {{ScriptPlace::Texto, u8("retscp= p")},
                                        {ScriptPlace::Texto, u8("somini= s.mp3")},
                                        {ScriptPlace::Texto, u8("backtxt= b.png")}};
    EXPECT_EQ(m.KeptLines, kept);
}

TEST(Parser, TheFirstOfRepeatedLinesIsRead)
{
    const PageModel m = parseLines({"//mob txt p", "somini= a.mp3", "somini= b.mp3", "//mob img q"});
    EXPECT_EQ(m.InitialSound, u8("a.mp3"));
    EXPECT_EQ(m.PageKind, u8("txt"));
    const std::vector<KeptLine> kept = {{ScriptPlace::Somini, u8("somini= b.mp3")},
                                        {ScriptPlace::Somini, u8("//mob img q")}};
    EXPECT_EQ(m.KeptLines, kept);
}

TEST(Parser, TheKindComesFromTheHeaderElseFromTheContent)
{
    struct Case {
        std::initializer_list<const char *> script;
        const char *kind;
    };
    const Case cases[] = {
        {{"//mob img p", "texto= 0,0,852,358,5,A,B,biu0"}, "img"},
        {{"//mob txt p", "telpos= t.png"}, "txt"},
        {{"telpos= t.png"}, "img"},
        {{"// mob img p", "//6:"}, "img"},
        {{"//mob imgx p", "boxon", "telpos= no texto", "boxoff"}, "txt"},
        {{"ï»¿  //mob img p"}, "img"}, // the same mark read as code-page bytes
        {{"texto= 0,0,852,358,5,A,B,biu0", "//0:", "telpos= x"}, "txt"},
        {{"//mob wav p", "texto= 0,0,852,358,5,A,B,biu0", "telpos= t.png"}, "wav"},
        {{"nota", "//1:"}, ""},
    };
    for (const Case &c : cases) {
        const PageModel m = parseLines(c.script);
        EXPECT_EQ(m.PageKind, u8(c.kind)) << u8Lines(c.script).join(u'|').toStdString();
    }
    const QString byteOrderMark(QChar(0xFEFF));
    EXPECT_EQ(parseScriptText(byteOrderMark + u8("//mob img p\n")).PageKind, u8("img"));
}

TEST(Parser, ReportsWhatDoesNotFollowTheFormat)
{
    struct Case {
        std::initializer_list<const char *> script;
        std::vector<int> lines; // the line numbers reported, in order
    };
    const Case cases[] = {
        {{"//mob txt p", "//0:", "fim"}, {}},
        {{"//mob zzz p", "//0:", "fim"}, {1}},
        {{"//mob txt p", "//1:", "cmd= fig,862,000,58,58,a,b", "//0:", "fim"}, {2}},
        {{"//mob txt p", "texto= 0,0,852,358,5,a,b,biu0", "retscp= p", "//0:", "fim"}, {3}},
        {{"//mob txt p", "boxon", "x"}, {2, 3}},
        {{"//mob txt p", "boxoff", "//0:", "fim"}, {2}},
        {{"//mob txt p", "//0:", "a"}, {3}},
        {{"//mob txt p", "somini= a", "somini= b", "//0:", "fim"}, {3}},
        {{"boxon? não", "//mob txt p", "//0:", "fim"}, {1, 2}},
        {{"//mob txt p", "//1:", "cmd= fig,862,60,58,58,a,b", "//0:", "fim"}, {2, 3}},
        {{"//mob txt p", "telpos= t.png", "//0:", "fim"}, {2}},
        {{"ï»¿//mob txt p", "//0:", "fim"}, {1}},
    };
    for (const Case &c : cases) {
        std::vector<ScriptIssue> issues;
        QStringList reply = u8Lines(c.script);
        reply.prepend(QStringLiteral("Ok"));
        parsePage(reply, {}, &issues);
        std::vector<int> lines;
        for (const ScriptIssue &issue : issues)
            lines.push_back(issue.Line);
        EXPECT_EQ(lines, c.lines) << reply.join(u'|').toStdString();
    }
}

TEST(Parser, TemplatesFollowTheFormat)
{
    for (NewPageKind kind : {NewPageKind::Text, NewPageKind::Image}) {
        std::vector<ScriptIssue> issues;
        parseScriptText(pageTemplate(kind, QStringLiteral("p")), &issues);
        EXPECT_TRUE(issues.empty()) << (issues.empty() ? "" : issues[0].Text.toStdString());
    }
}
