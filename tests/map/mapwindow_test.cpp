// The map window: one box per page, one arrow per link, the marks and the
// side list, fetched from the demo service.
#include "map_fixture.h"

#include "imagebutton.h"
#include "statuslabel.h"

#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QListWidget>
#include <QSignalSpy>

#include <set>

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

TEST(MapWindow, ReloadingBeforeAnyAdventureSaysSo)
{
    TForm6 window;
    QTest::mouseClick(window.btRec, Qt::LeftButton);
    EXPECT_EQ(window.Sta->text(), u8("Não tem aventura em edição!!!"));
    EXPECT_EQ(window.boxCount(), 0);
}

// Which links there are is the story map's; the window draws each between
// the right boxes, marks the start, the returns, the pages that did not load
// and those nothing leads to, and lists the latter.
TEST_F(DemoMap, OneBoxPerPageAndOneArrowPerLink)
{
    const QStringList names = m_names + QStringList{u8("sumida")};
    TForm6 window;
    loadMap(window, names);
    const StoryMap expected = expectedMap(names);
    ASSERT_EQ(window.boxCount(), int(expected.Pages.size()));
    EXPECT_EQ(window.brokenCount(), int(expected.brokenLinks().size()));
    std::multiset<std::pair<QString, QString>> drawn, links;
    for (const LinkArrow *arrow : window.View->arrows())
        drawn.insert({arrow->from()->page().Name, arrow->to() ? arrow->to()->page().Name : u8("? ") + arrow->target()});
    for (const MapLink &l : expected.Links)
        links.insert({expected.Pages[l.From].Name, l.To < 0 ? u8("? ") + l.Target : expected.Pages[l.To].Name});
    EXPECT_EQ(drawn, links);
    EXPECT_GT(drawn.size(), 0u);
    for (const MapPage &page : expected.Pages) {
        SCOPED_TRACE(page.Name.toStdString());
        const PageBox *box = window.View->box(page.Name);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->page().Kind, page.Kind);
        EXPECT_EQ(box->page().Loaded, page.Loaded);
        EXPECT_EQ(box->page().Unreachable, page.Unreachable);
        EXPECT_EQ(box->returnMark() ? box->returnMark()->text() : QString(), page.Returns ? u8("↩") : QString());
        EXPECT_EQ(box->isStart(), page.Name == m_startPage);
        if (!page.Loaded) {
            EXPECT_EQ(box->toolTip(), u8("Script não encontrado"));
        } else if (page.Unreachable) {
            EXPECT_EQ(box->toolTip(), u8("Nenhuma página leva a esta página"));
        }
    }
    // "porao" and "janela" are reached through the "map" areas of "sala".
    EXPECT_EQ(sideEntries(window), QStringList{u8("Página inalcançável: sumida")});
    EXPECT_EQ(window.unreachableCount(), 1);
    EXPECT_EQ(window.Sta->text(), u8("Páginas: 7   Não carregadas: 1   Links quebrados: 0   Inalcançáveis: 1"));
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
                                    u8("Página inalcançável: jardim")}));
    EXPECT_EQ(window.Lbx1->item(0)->foreground().color(), QColor(0xCC, 0x00, 0x00));
    EXPECT_FALSE(window.View->box(u8("beco"))->page().Unreachable) << "jardim leads to it";

    // A double click on an entry opens the page it names first.
    showWindow(window);
    QSignalSpy opened(&window, &TForm6::openPageRequested);
    for (int row = 0; row < window.Lbx1->count(); ++row) {
        doubleClick(window.Lbx1->viewport(), window.Lbx1->visualItemRect(window.Lbx1->item(row)).center());
        ASSERT_EQ(opened.count(), row + 1);
        const QString entry = window.Lbx1->item(row)->text();
        EXPECT_EQ(opened[row][0].toString(), entry.section(u8(": "), 1).section(u8(" -> "), 0, 0));
    }
}

TEST_F(DemoMap, ProgressCountsThePagesFetchedSoFar)
{
    WatchedStore store(m_service);
    TForm6 window;
    showWindow(window);
    QStringList said;
    store.onFetch = [&](const QString &) { said.append(window.Sta->text()); };
    QStringList names = m_names;
    names.insert(1, QString());
    names.insert(3, u8("  "));
    window.load(store, names, m_startPage, folder());
    QStringList expected;
    for (int k = 0; k < int(m_names.size()); ++k)
        expected.append(u8("Carregando página ") + QString::number(k) + u8(" de ")
                        + QString::number(m_names.size()) + u8("..."));
    EXPECT_EQ(said, expected);
    EXPECT_EQ(window.boxCount(), int(m_names.size())) << "a blank name is no page and is not fetched";
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
    // which pages have none is the thumbnail's
    EXPECT_TRUE(window.View->box(u8("sala"))->hasThumbnail());
    EXPECT_FALSE(window.View->box(u8("porao"))->hasThumbnail());
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
