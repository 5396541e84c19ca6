#include "codepage.h"
#include "files.h"
#include "parser.h"
#include "storymap.h"
#include "testutil.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

const QString kAdventure = QStringLiteral(NIMBRA_SCRIPT_MAPS "/adventure");

MapSource page(const char *name, std::initializer_list<const char *> lines)
{
    return {u8(name), parseScriptText(u8Lines(lines).join(u'\n')), true, {}};
}

// The pages of the recorded adventure in file name order, each named by its header.
std::vector<MapSource> adventure()
{
    std::vector<MapSource> pages;
    const QDir dir(kAdventure + u8("/pages"));
    for (const QString &file : dir.entryList(QDir::Files, QDir::Name)) {
        const PageModel model = parseScriptText(fromCp1252(readBytes(dir.filePath(file))));
        pages.push_back({model.HeaderName, model, true, {}});
    }
    return pages;
}

} // namespace

// Icons and the screen links of image pages that lead on (a "txt" link
// here) are drawn, switched-off ones are not; "$start" leads to the start
// page, "xvlt" is a mark;
// a page that only links to itself is still reached by nothing.
TEST(StoryMap, TheAdventureGivesTheRecordedGraph)
{
    const QString dot = storyMapToDot(buildStoryMap(adventure(), u8("inicio")));
    EXPECT_EQ(dot.toUtf8().toStdString(), readBytes(kAdventure + u8("/graph.dot")).toStdString());
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
    pages[0].Loaded = false; // corredor, with its broken link
    const StoryMap map = buildStoryMap(pages, u8("inicio"));
    EXPECT_FALSE(map.Pages[0].Loaded);
    for (const MapLink &l : map.Links)
        EXPECT_NE(l.From, 0);
}

TEST(StoryMap, LayoutIsLayeredFromTheStartAndStable)
{
    const StoryMap map = buildStoryMap(adventure(), u8("inicio"));
    const std::vector<QPointF> places = layoutStoryMap(map, {}, {100, 10});
    const auto at = [&](const char *name) { return places[size_t(map.indexOf(u8(name)))]; };
    EXPECT_EQ(at("inicio"), QPointF(0, 0));
    EXPECT_EQ(at("sala 1"), QPointF(100, 0));
    EXPECT_EQ(at("corredor"), QPointF(200, 0));
    EXPECT_EQ(at("isolada"), QPointF(300, 0)) << "after the pages the start page reaches";
    EXPECT_EQ(layoutStoryMap(map, {}, {100, 10}), places);

    const std::vector<QPointF> moved = layoutStoryMap(map, {{u8("corredor"), QPointF(5, 7)}}, {100, 10});
    EXPECT_EQ(moved[size_t(map.indexOf(u8("corredor")))], QPointF(5, 7));
    EXPECT_EQ(moved[size_t(map.indexOf(u8("sala 1")))], at("sala 1"));
}

// One "name<TAB>x<TAB>y" line a place; any other line is skipped.
TEST(StoryMap, PlacesFileKeepsOnlyWellFormedLines)
{
    const QHash<QString, QPointF> places = {{u8("sala 1"), QPointF(1.5, -2)}, {u8("início"), QPointF(0, 300)}};
    EXPECT_EQ(readMapPlaces(writeMapPlaces(places)), places);
    const std::pair<const char *, QString> bad[] = {
        {"binary", fromCp1252(QByteArray("\x00\xFF\x01\x89PNG\r\n\x1A\n\x00\x00", 12))},
        {"words", u8("sala\tx\ty")},
        {"too few fields", u8("sala\t1")},
        {"too many fields", u8("sala\t1\t2\t3")},
        {"no name", u8("\t1\t2")},
        {"infinite", u8("sala\t1e999\t0")},
        {"written infinite", u8("sala\tinf\t1")},
        {"not a number", u8("sala\tnan\t0")},
        {"blanks for tabs", u8("sala 1 2")},
    };
    for (const auto &[what, line] : bad) {
        SCOPED_TRACE(what);
        EXPECT_EQ(readMapPlaces(u8("a\t1\t2\r\n") + line + u8("\r\n")), (QHash<QString, QPointF>{{u8("a"), QPointF(1, 2)}}));
    }
}

TEST(StoryMap, DotQuotesNames)
{
    const QString dot = storyMapToDot(buildStoryMap({page("a\"b\\", {"//mob txt x"})}, u8("a\"b\\")));
    EXPECT_TRUE(dot.contains(u8("\"a\\\"b\\\\\" [label=\"a\\\"b\\\\\\ntxt\"")));
}
