// The map window: one box per page, one arrow per link, the marks and the
// side list, fetched from the demo service.
#include "map_fixture.h"

#include "imagebutton.h"
#include "statuslabel.h"

#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QListWidget>
#include <QSignalSpy>

using namespace nimbra;

namespace {

QStringList sideEntries(const TForm6 &window)
{
    QStringList entries;
    for (int i = 0; i < window.Lbx1->count(); ++i)
        entries.append(window.Lbx1->item(i)->text());
    return entries;
}

int arrowsBetween(const TForm6 &window, const QString &from, const QString &to)
{
    int count = 0;
    for (const LinkArrow *arrow : window.View->arrows())
        if (arrow->from()->page().Name == from && arrow->to() && arrow->to()->page().Name == to)
            ++count;
    return count;
}

} // namespace

TEST(MapWindow, IsTheBorderlessMapWindow)
{
    TForm6 window;
    EXPECT_EQ(window.objectName(), u8("TForm6"));
    EXPECT_EQ(window.windowTitle(), u8("Mapa da história"));
    EXPECT_EQ(window.titleLabel()->text(), u8("Mapa"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.Sta->text(), u8("Status..."));
    EXPECT_EQ(window.boxCount(), 0);
}

TEST(MapWindow, ReloadingBeforeAnyAdventureSaysSo)
{
    TForm6 window;
    QTest::mouseClick(window.btRec, Qt::LeftButton);
    EXPECT_EQ(window.Sta->text(), u8("Não tem aventura em edição!!!"));
    EXPECT_EQ(window.boxCount(), 0);
}

TEST_F(DemoMap, OneBoxPerPageAndOneArrowPerLink)
{
    TForm6 window;
    loadMap(window);
    const StoryMap expected = expectedMap(m_names);
    ASSERT_EQ(window.boxCount(), int(expected.Pages.size()));
    EXPECT_EQ(window.arrowCount(), int(expected.Links.size()));
    EXPECT_GT(window.arrowCount(), 0);
    EXPECT_EQ(window.brokenCount(), int(expected.brokenLinks().size()));
    EXPECT_EQ(window.storyMap().Links, expected.Links);
    for (const MapPage &page : expected.Pages) {
        SCOPED_TRACE(page.Name.toStdString());
        const PageBox *box = window.View->box(page.Name);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->page().Kind, page.Kind);
        EXPECT_TRUE(box->page().Loaded);
        EXPECT_EQ(box->page().Unreachable, page.Unreachable);
        EXPECT_EQ(box->returnMark() != nullptr, page.Returns);
        EXPECT_EQ(box->isStart(), page.Name == m_startPage);
    }
    EXPECT_EQ(window.Sta->text(), u8("Páginas: 6   Não carregadas: 0   Links quebrados: 0   Inalcançáveis: 2"));
}

TEST_F(DemoMap, StartLeadsToTheStartPageAndReturnIsAMarkNotAnArrow)
{
    TForm6 window;
    loadMap(window);
    // every demo page has a home icon ("$start") and a back icon ("xvlt")
    for (const QString &name : {u8("sala"), u8("chave"), u8("ajuda")})
        EXPECT_EQ(arrowsBetween(window, name, u8("inicio")), 1) << name.toStdString();
    EXPECT_EQ(arrowsBetween(window, u8("inicio"), u8("inicio")), 1) << "the start page's own home icon";
    EXPECT_EQ(arrowsBetween(window, u8("inicio"), u8("sala")), 1);
    EXPECT_EQ(arrowsBetween(window, u8("sala"), u8("chave")), 1) << "a fig screen link";
    for (const LinkArrow *arrow : window.View->arrows())
        EXPECT_NE(arrow->target(), u8("xvlt"));
    const PageBox *sala = window.View->box(u8("sala"));
    ASSERT_TRUE(sala && sala->returnMark());
    EXPECT_EQ(sala->returnMark()->text(), u8("↩"));
}

TEST_F(DemoMap, MapAreasAreNoArrowsSoTheirPagesAreUnreachable)
{
    TForm6 window;
    loadMap(window);
    const PageBox *cellar = window.View->box(u8("porao"));
    ASSERT_TRUE(cellar);
    EXPECT_TRUE(cellar->page().Unreachable);
    EXPECT_EQ(cellar->toolTip(), u8("Nenhuma página leva a esta página"));
    EXPECT_FALSE(window.View->box(u8("inicio"))->page().Unreachable) << "the start page is always reached";
    // the demo reaches "porao" and "janela" only through "map" areas of "sala"
    QStringList entries = sideEntries(window);
    entries.sort();
    EXPECT_EQ(entries, (QStringList{u8("Página inalcançável: janela"), u8("Página inalcançável: porao")}));
    EXPECT_EQ(window.unreachableCount(), 2);
}

TEST_F(DemoMap, BrokenLinksAreRedAndListed)
{
    addPage(u8("beco"), {u8("fantasma"), u8("sala"), u8("sótão")});
    addPage(u8("jardim"), {u8("beco")});
    const QStringList names = m_service.listScripts();
    TForm6 window;
    loadMap(window, names);
    const StoryMap expected = expectedMap(names);
    EXPECT_EQ(window.boxCount(), int(expected.Pages.size()));
    EXPECT_EQ(window.arrowCount(), int(expected.Links.size()));
    ASSERT_EQ(window.brokenCount(), 2);
    for (const LinkArrow *arrow : window.View->arrows()) {
        if (!arrow->isBroken())
            continue;
        EXPECT_EQ(arrow->from()->page().Name, u8("beco"));
        EXPECT_EQ(arrow->pen().color(), QColor(0xCC, 0x00, 0x00));
    }
    EXPECT_EQ(arrowsBetween(window, u8("beco"), u8("sala")), 1);
    QStringList entries = sideEntries(window);
    entries.sort();
    EXPECT_EQ(entries, (QStringList{u8("Link quebrado: beco -> fantasma"), u8("Link quebrado: beco -> sótão"),
                                    u8("Página inalcançável: janela"), u8("Página inalcançável: jardim"),
                                    u8("Página inalcançável: porao")}));
    EXPECT_EQ(window.Lbx1->item(0)->foreground().color(), QColor(0xCC, 0x00, 0x00));
    EXPECT_FALSE(window.View->box(u8("beco"))->page().Unreachable) << "jardim leads to it";
}

TEST_F(DemoMap, DoubleClickingAListEntryOpensItsPage)
{
    addPage(u8("beco"), {u8("fantasma")});
    TForm6 window;
    loadMap(window, m_service.listScripts());
    showWindow(window);
    QSignalSpy opened(&window, &TForm6::openPageRequested);
    ASSERT_GE(window.Lbx1->count(), 2);
    for (int row : {0, 1}) {
        const QRect place = window.Lbx1->visualItemRect(window.Lbx1->item(row));
        doubleClick(window.Lbx1->viewport(), place.center());
    }
    ASSERT_EQ(opened.count(), 2);
    EXPECT_EQ(opened[0][0].toString(), u8("beco"));
    EXPECT_EQ(opened[1][0].toString(), u8("beco")) << "beco itself is reached by nothing";
}

TEST_F(DemoMap, AFailedFetchLeavesThatPageNotLoaded)
{
    struct Case {
        const char *what;
        const char *reply; // null: the service's own answer
        const char *page;
        const char *status;
    };
    const Case cases[] = {
        {"transfer failed", "Tente novamente!", "sala", "Tente novamente!"},
        {"empty reply", "", "sala", "Tente novamente!"},
        {"service error", "Login ou senha inválidos", "chave", "Login ou senha inválidos"},
        {"no such script", nullptr, "sumida", "Script não encontrado"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FlakyStore store(m_service);
        if (c.reply)
            store.failing.insert(u8(c.page), u8(c.reply));
        QStringList names = m_names;
        if (!names.contains(u8(c.page)))
            names.append(u8(c.page));
        TForm6 window;
        window.load(store, names, m_startPage, folder());
        ASSERT_EQ(window.boxCount(), int(names.size()));
        const PageBox *failed = window.View->box(u8(c.page));
        ASSERT_TRUE(failed);
        EXPECT_FALSE(failed->page().Loaded);
        EXPECT_EQ(failed->page().Status, u8(c.status));
        EXPECT_EQ(failed->toolTip(), u8(c.status));
        EXPECT_TRUE(window.View->box(u8("inicio"))->page().Loaded);
        EXPECT_TRUE(window.Sta->text().contains(u8("Não carregadas: 1"))) << window.Sta->text().toStdString();
        for (const LinkArrow *arrow : window.View->arrows())
            EXPECT_NE(arrow->from(), failed) << "a page not loaded has no links";
    }
}

TEST_F(DemoMap, AServiceThatIsGoneGivesAMapOfPagesNotLoaded)
{
    m_process->stop();
    TForm6 window;
    loadMap(window);
    ASSERT_EQ(window.boxCount(), int(m_names.size()));
    EXPECT_EQ(window.arrowCount(), 0);
    for (const PageBox *box : window.View->boxes()) {
        EXPECT_FALSE(box->page().Loaded);
        EXPECT_EQ(box->page().Status, u8("Tente novamente!"));
    }
}

TEST_F(DemoMap, ProgressCountsThePagesAsTheyAreFetched)
{
    FlakyStore store(m_service);
    TForm6 window;
    showWindow(window);
    QStringList said;
    store.onFetch = [&](const QString &) { said.append(window.Sta->text()); };
    QStringList names = m_names;
    names.insert(1, QString());
    window.load(store, names, m_startPage, folder());
    QStringList expected;
    for (int k = 1; k <= int(m_names.size()); ++k)
        expected.append(u8("Carregando página ") + QString::number(k) + u8(" de ")
                        + QString::number(m_names.size()) + u8("..."));
    EXPECT_EQ(said, expected);
    EXPECT_EQ(window.boxCount(), int(m_names.size())) << "a blank name is no page";
}

TEST_F(DemoMap, AnAdventureWithoutPagesGivesAnEmptyMap)
{
    TForm6 window;
    loadMap(window, {});
    EXPECT_EQ(window.boxCount(), 0);
    EXPECT_EQ(window.arrowCount(), 0);
    EXPECT_EQ(window.Lbx1->count(), 0);
    EXPECT_EQ(window.Sta->text(), u8("Nenhuma página na aventura!!!"));
}

TEST_F(DemoMap, ImagePagesShowTheirScreenImageFromTheFolder)
{
    QImage screen(920, 440, QImage::Format_RGB32);
    screen.fill(QColor(0x30, 0x30, 0x40));
    ASSERT_TRUE(screen.save(folder() + u8("sala.png")));
    TForm6 window;
    loadMap(window);
    EXPECT_TRUE(window.View->box(u8("sala"))->hasThumbnail());
    EXPECT_FALSE(window.View->box(u8("porao"))->hasThumbnail()) << "its picture is not in the folder";
    EXPECT_FALSE(window.View->box(u8("inicio"))->hasThumbnail()) << "a text page";
}

TEST_F(DemoMap, ReloadFetchesThePagesAgain)
{
    struct Case {
        const char *what;
        bool withLister;
        int added;
    };
    const Case cases[] = {{"same names", false, 0}, {"names from the service", true, 1}};
    int pageNumber = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TForm6 window;
        if (c.withLister)
            window.setScriptLister([this] { return m_service.listScripts(); });
        loadMap(window, m_service.listScripts());
        const int before = window.boxCount();
        addPage(u8("nova ") + QString::number(++pageNumber), {u8("sala")});
        QTest::mouseClick(window.btRec, Qt::LeftButton);
        EXPECT_EQ(window.boxCount(), before + c.added);
        EXPECT_TRUE(window.Sta->text().startsWith(u8("Páginas: "))) << window.Sta->text().toStdString();
    }
}
