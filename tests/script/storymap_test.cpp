#include "parser.h"
#include "storymap.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

// A page from its header and a few body lines.
MapSource page(const char *name, std::initializer_list<const char *> lines)
{
    return {u8(name), parseScriptText(u8Lines(lines).join(u'\n')), true, {}};
}

std::vector<std::pair<QString, QString>> edges(const StoryMap &map)
{
    std::vector<std::pair<QString, QString>> e;
    for (const MapLink &l : map.Links)
        e.emplace_back(map.Pages[l.From].Name, l.To < 0 ? u8("?") + l.Target : map.Pages[l.To].Name);
    return e;
}

std::vector<MapSource> adventure()
{
    return {
        page("inicio", {"//mob txt inicio", "//5:", "//cmd= fig,789,382,58,58,a,desligado",
                        "cmd= fig,862,382,58,58,seta.png,sala_1"}),
        page("sala 1", {"//mob img sala_1", "//6:", "cmd= fig,1,1,1,1,porta.png,corredor",
                        "cmd= txt,1,1,1,1,texto,inicio", "cmd= fig,1,1,1,1,x.png,$start", "//cmd= fig,1,1,1,1,x,sala 1",
                        "//1:", "cmd= fig,862,000,58,58,v.png,xvlt", "cmd= fig,862,060,58,58,m.png,sala 1"}),
        page("corredor", {"//mob txt corredor", "//6:", "cmd= fig,1,1,1,1,porta.png,inicio", "//3:",
                          "cmd= fig,000,382,58,58,b.png,$pag01"}),
        page("isolada", {"//mob txt isolada", "//3:", "cmd= fig,000,382,58,58,b.png,corredor"}),
    };
}

} // namespace

TEST(StoryMap, DrawsActiveIconsAndFigLinksOnly)
{
    const StoryMap map = buildStoryMap(adventure(), u8("inicio"));
    const std::vector<std::pair<QString, QString>> expected = {
        {u8("inicio"), u8("sala 1")},
        {u8("sala 1"), u8("sala 1")},   // icon 2
        {u8("sala 1"), u8("corredor")}, // fig link
        {u8("sala 1"), u8("inicio")},   // "$start"
        {u8("corredor"), u8("?$pag01")},
        {u8("isolada"), u8("corredor")},
    };
    EXPECT_EQ(edges(map), expected) << "a txt page's links and a switched-off or non-fig link are not drawn";
    EXPECT_TRUE(map.Pages[1].Returns);
    EXPECT_FALSE(map.Pages[0].Returns);
    ASSERT_EQ(map.brokenLinks().size(), 1u);
    EXPECT_EQ(map.brokenLinks()[0]->Target, u8("$pag01"));
}

TEST(StoryMap, MarksPagesNoOtherPageLinksTo)
{
    const StoryMap map = buildStoryMap(adventure(), u8("inicio"));
    const std::vector<bool> unreachable = {false, false, false, true};
    for (size_t i = 0; i < map.Pages.size(); ++i)
        EXPECT_EQ(map.Pages[i].Unreachable, unreachable[i]) << map.Pages[i].Name.toStdString();

    // a page reached only from itself is still unreachable; the start page never is
    const StoryMap alone = buildStoryMap({page("a", {"//mob txt a"}), page("b", {"//mob txt b", "//3:", "cmd= fig,0,0,0,0,i,b"})},
                                         u8("a"));
    EXPECT_FALSE(alone.Pages[0].Unreachable);
    EXPECT_TRUE(alone.Pages[1].Unreachable);
}

TEST(StoryMap, StartTargetWithoutStartPageIsBroken)
{
    const StoryMap map = buildStoryMap({page("a", {"//mob txt a", "//3:", "cmd= fig,000,382,58,58,i,$start"})}, u8("nenhuma"));
    EXPECT_EQ(map.StartPage, -1);
    ASSERT_EQ(map.Links.size(), 1u);
    EXPECT_EQ(map.Links[0].To, -1);
}

TEST(StoryMap, PagesThatFailedToLoadHaveNoLinks)
{
    std::vector<MapSource> pages = adventure();
    pages[0].Loaded = false;
    pages[0].Status = u8("Tente novamente!");
    const StoryMap map = buildStoryMap(pages, u8("inicio"));
    EXPECT_FALSE(map.Pages[0].Loaded);
    for (const MapLink &l : map.Links)
        EXPECT_NE(l.From, 0);
}

TEST(StoryMap, LayoutIsLayeredFromTheStartAndStable)
{
    const StoryMap map = buildStoryMap(adventure(), u8("inicio"));
    const std::vector<QPointF> places = layoutStoryMap(map, {}, {100, 10});
    EXPECT_EQ(places[0], QPointF(0, 0));     // inicio
    EXPECT_EQ(places[1], QPointF(100, 0));   // sala 1
    EXPECT_EQ(places[2], QPointF(200, 0));   // corredor
    EXPECT_EQ(places[3], QPointF(300, 0));   // isolada, after the reached pages
    EXPECT_EQ(layoutStoryMap(map, {}, {100, 10}), places);

    const std::vector<QPointF> moved = layoutStoryMap(map, {{u8("corredor"), QPointF(5, 7)}}, {100, 10});
    EXPECT_EQ(moved[2], QPointF(5, 7));
    EXPECT_EQ(moved[1], places[1]);
}

TEST(StoryMap, PlacesFileRoundTripsAndSkipsBadLines)
{
    const QHash<QString, QPointF> places = {{u8("sala 1"), QPointF(1.5, -2)}, {u8("início"), QPointF(0, 300)}};
    EXPECT_EQ(readMapPlaces(writeMapPlaces(places)), places);
    const QHash<QString, QPointF> read = readMapPlaces(u8("a\t1\t2\nb\tx\t2\nc\t1\n\t1\t2\nd\tinf\t1\ne\t3\t4\t5\n"));
    EXPECT_EQ(read, (QHash<QString, QPointF>{{u8("a"), QPointF(1, 2)}}));
}

TEST(StoryMap, DotNamesEveryPageAndLink)
{
    const QString dot = storyMapToDot(buildStoryMap(adventure(), u8("inicio")));
    EXPECT_TRUE(dot.startsWith(u8("digraph aventura {")));
    EXPECT_TRUE(dot.contains(u8("\"inicio\" [label=\"inicio\\ntxt\", peripheries=2];")));
    EXPECT_TRUE(dot.contains(u8("\"sala 1\" -> \"corredor\";")));
    EXPECT_TRUE(dot.contains(u8("\"corredor\" -> \"? $pag01\" [color=red];")));
    EXPECT_TRUE(dot.contains(u8("\"isolada\" [label=\"isolada\\ntxt\", style=filled, fillcolor=lightgrey];")));
    EXPECT_TRUE(dot.contains(u8("sala 1\\nimg ↩")));

    const QString quoted = storyMapToDot(buildStoryMap({page("a\"b\\", {"//mob txt x"})}, u8("a\"b\\")));
    EXPECT_TRUE(quoted.contains(u8("\"a\\\"b\\\\\" [label=\"a\\\"b\\\\\\ntxt\"")));
}
