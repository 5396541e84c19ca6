// Fetching the pages, the places file and the thumbnails of the map.
#include "map_fixture.h"

#include "files.h"
#include "largeadventure.h"
#include "maploader.h"

#include <QFile>
#include <QImage>

using namespace nimbra;

namespace {

// Replies the service never gives.
class CannedStore final : public ScriptStore {
public:
    explicit CannedStore(QString reply) : m_reply(std::move(reply)) {}
    QString fetchScript(const QString &) override { return m_reply; }
    QString storeScript(const QString &, const QString &) override { return {}; }

private:
    QString m_reply;
};

MapPage imagePage(const QString &screen)
{
    MapPage page;
    page.Name = QStringLiteral("sala");
    page.Kind = QStringLiteral("img");
    page.ScreenImage = screen;
    return page;
}

} // namespace

TEST_F(DemoMap, EachPageComesFromItsFetch)
{
    struct Case {
        const char *name;
        bool loaded;
        const char *status;
        const char *kind;
    };
    const Case cases[] = {
        {"inicio", true, "Ok", "txt"},
        {"sala", true, "Ok", "img"},
        {"sumida", false, "Script não encontrado", "txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const MapSource source = fetchMapSource(m_service, u8(c.name));
        EXPECT_EQ(source.Name, u8(c.name));
        EXPECT_EQ(source.Loaded, c.loaded);
        EXPECT_EQ(source.Status, u8(c.status));
        EXPECT_EQ(source.Page.PageKind, u8(c.kind));
    }
    EXPECT_EQ(fetchMapSource(m_service, u8("sala")).Page.ScreenImage, u8("sala.png"));

    m_process->stop();
    const MapSource gone = fetchMapSource(m_service, u8("inicio"));
    EXPECT_FALSE(gone.Loaded);
    EXPECT_EQ(gone.Status, u8("Tente novamente!")) << "a service that is gone";
}

// Fetched several at a time, a large adventure gives the map its pages give
// one by one: every page in its place, every link, every broken one.
TEST_F(DemoMap, AThousandPagesFetchedTogetherGiveTheMapOfTheirOwnFetches)
{
    const QStringList added = storeLargeAdventure(m_service, 1000);
    ASSERT_EQ(added.size(), 1000);
    const QStringList names = m_service.listScripts();
    std::vector<std::pair<int, int>> told;
    const std::vector<MapSource> sources =
        fetchMapSources(m_service, names, [&](int done, int total) { told.emplace_back(done, total); });
    const StoryMap together = buildStoryMap(sources, m_startPage);
    const StoryMap alone = expectedMap(names);

    ASSERT_EQ(together.Pages.size(), alone.Pages.size());
    for (size_t i = 0; i < alone.Pages.size(); ++i) {
        EXPECT_EQ(together.Pages[i].Name, alone.Pages[i].Name);
        EXPECT_TRUE(together.Pages[i].Loaded) << together.Pages[i].Name.toStdString();
        EXPECT_EQ(together.Pages[i].Unreachable, alone.Pages[i].Unreachable);
    }
    EXPECT_EQ(together.Links, alone.Links);
    EXPECT_EQ(together.brokenLinks().size(), alone.brokenLinks().size());
    EXPECT_GE(together.brokenLinks().size(), 100u);
    ASSERT_EQ(told.size(), size_t(names.size()) + 1);
    EXPECT_EQ(told.back(), std::make_pair(int(names.size()), int(names.size())));
}

TEST(MapLoader, ARepliesFirstLineDecides)
{
    struct Case {
        const char *reply;
        bool loaded;
        const char *status;
    };
    const Case cases[] = {
        {"", false, "Tente novamente!"},
        {"\r\n//mob txt inicio\r\n", false, "Tente novamente!"},
        {" Ok\r\n//mob txt inicio\r\n", false, " Ok"},
        {"ok\r\n//mob txt inicio\r\n", false, "ok"},
        {"Login ou senha inválidos", false, "Login ou senha inválidos"},
        {"Ok", true, "Ok"},
        {"Ok\n//mob img porao\n  telpos= porao.png\n", true, "Ok"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        CannedStore store(u8(c.reply));
        const MapSource source = fetchMapSource(store, u8("inicio"));
        EXPECT_EQ(source.Loaded, c.loaded);
        EXPECT_EQ(source.Status, u8(c.status));
    }
}

TEST(MapPlaces, ComeBackAsTheyWereSaved)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QHash<QString, QPointF> places = {{u8("inicio"), {0, 0}}, {u8("sótão 2"), {-12.5, 300}},
                                            {u8("sala"), {260, 140.25}}};
    EXPECT_EQ(saveMapPlaces(folder, places), std::nullopt);
    EXPECT_EQ(loadMapPlaces(folder), places);
    const QByteArray bytes = readBytes(folder + u8("mapa.txt"));
    EXPECT_TRUE(bytes.contains("s\xF3t\xE3o 2\t-12.5\t300\r\n")) << bytes.toStdString();

    const QHash<QString, QPointF> fewer = {{u8("sala"), {1, 2}}};
    EXPECT_EQ(saveMapPlaces(folder, fewer), std::nullopt);
    EXPECT_EQ(loadMapPlaces(folder), fewer);
}

// Without an adventure, or with a folder where the file goes, there are no
// places and none can be saved; the lines of the file are the story map's.
TEST(MapPlaces, NoneWithoutAFileToReadAndAFailedSaveSaysWhy)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    EXPECT_TRUE(loadMapPlaces(folder).isEmpty()) << "no file yet";
    EXPECT_TRUE(loadMapPlaces(QString()).isEmpty()) << "no adventure";
    ASSERT_TRUE(QDir(dir.path()).mkdir(u8("mapa.txt")));
    EXPECT_TRUE(loadMapPlaces(folder).isEmpty()) << "a folder in its place";
    EXPECT_EQ(saveMapPlaces(folder, {{u8("sala"), {1, 2}}}), u8("Não foi possível gravar ") + folder + u8("mapa.txt!!!"));
    EXPECT_EQ(saveMapPlaces(QString(), {{u8("sala"), {1, 2}}}), u8("Não tem aventura em edição!!!"));
}

// The screen image of an image page, from the adventure's folder, scaled to
// fit; none when there is no picture there to show.
TEST(MapThumbnail, ShowsTheScreenImageOfTheFolderScaledToFit)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QImage screen(920, 440, QImage::Format_RGB32);
    screen.fill(QColor(0x8C, 0x6B, 0x4F));
    ASSERT_TRUE(screen.save(folder + u8("sala.png")));
    ASSERT_TRUE(screen.save(dir.path() + u8("/fora.png")));
    ASSERT_TRUE(writeBytes(folder + u8("quebrada.png"), QByteArray("\x89PNG\r\n\x1A\n garbage")));
    const QImage thumbnail = pageThumbnail(folder, imagePage(u8("sala.png")), QSize(148, 58));
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.height(), 58);
    EXPECT_LE(thumbnail.width(), 148);
    EXPECT_EQ(thumbnail.pixelColor(thumbnail.width() / 2, 29), QColor(0x8C, 0x6B, 0x4F));
    struct Case {
        const char *what;
        QString folder;
        const char *screen;
    };
    const Case cases[] = {
        {"text page", folder, ""},
        {"no such file", folder, "porao.png"},
        {"does not decode", folder, "quebrada.png"},
        {"not a picture kind", folder, "sala.txt"},
        {"outside the folder", folder + u8("sub/"), "../fora.png"},
        {"no adventure", QString(), "fora.png"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(pageThumbnail(c.folder, imagePage(u8(c.screen)), QSize(148, 58)).isNull());
    }
}
