// Working with the map: opening a page, following the editor, dragging
// boxes and keeping their places, zoom and pan.
#include "map_fixture.h"

#include "codepage.h"
#include "files.h"
#include "imagebutton.h"
#include "maploader.h"
#include "statuslabel.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

using namespace nimbra;

namespace {

void turnWheel(StoryMapView *view, int notches)
{
    const QPointF at = view->viewport()->rect().center();
    QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &event);
}

std::map<QString, QPointF> placesOf(const TForm6 &window)
{
    std::map<QString, QPointF> places;
    for (const PageBox *box : window.View->boxes())
        places[box->page().Name] = box->pos();
    return places;
}

} // namespace

TEST_F(DemoMap, DoubleClickingABoxAsksToOpenItsPageAndTheBackgroundNothing)
{
    TForm6 window;
    loadMap(window);
    showWindow(window);
    QSignalSpy opened(&window, &TForm6::openPageRequested);
    for (const char *name : {"sala", "porao", "inicio"}) {
        window.View->highlight(u8(name)); // brings it into view
        doubleClick(window.View->viewport(), placeOf(window, u8(name)));
    }
    const PageBox *start = window.View->box(m_startPage);
    doubleClick(window.View->viewport(), window.View->mapFromScene(start->sceneBoundingRect().topLeft() - QPointF(40, 40)));
    ASSERT_EQ(opened.count(), 3);
    EXPECT_EQ(opened[0][0].toString(), u8("sala"));
    EXPECT_EQ(opened[1][0].toString(), u8("porao"));
    EXPECT_EQ(opened[2][0].toString(), u8("inicio"));
}

TEST_F(DemoMap, TheMapFollowsTheOpenPage)
{
    TForm6 window;
    loadMap(window);
    showWindow(window);
    const auto highlighted = [&] {
        QStringList names;
        for (const PageBox *box : window.View->boxes())
            if (box->isHighlighted())
                names.append(box->page().Name);
        return names;
    };
    EXPECT_TRUE(highlighted().isEmpty());
    window.followPage(u8("sala"));
    EXPECT_EQ(highlighted(), QStringList{u8("sala")});
    const QRect seen = window.View->viewport()->rect();
    EXPECT_TRUE(seen.contains(placeOf(window, u8("sala"))));
    window.followPage(u8("porao"));
    EXPECT_EQ(highlighted(), QStringList{u8("porao")});
    QTest::mouseClick(window.btRec, Qt::LeftButton);
    EXPECT_EQ(highlighted(), QStringList{u8("porao")}) << "kept over a reload";
    window.followPage(u8("sumida"));
    EXPECT_TRUE(highlighted().isEmpty());
    window.followPage(QString());
    EXPECT_TRUE(highlighted().isEmpty());
}

TEST_F(DemoMap, ADraggedBoxKeepsItsPlaceInTheAdventureFolder)
{
    QPointF dropped;
    {
        TForm6 window;
        loadMap(window);
        showWindow(window);
        const auto before = placesOf(window);
        const QPoint from = placeOf(window, u8("chave"));
        drag(window.View->viewport(), from, from + QPoint(70, 45));
        dropped = window.View->box(u8("chave"))->pos();
        // The map is zoomed to show it all: the move is the mouse's, in map units.
        const QPointF moved = window.View->mapToScene(from + QPoint(70, 45)) - window.View->mapToScene(from);
        EXPECT_EQ(dropped, (before.at(u8("chave")) + moved).toPoint());
        auto after = placesOf(window);
        after.erase(u8("chave"));
        auto others = before;
        others.erase(u8("chave"));
        EXPECT_EQ(after, others) << "only the dragged box moves";
        const QRectF box = window.View->box(u8("chave"))->sceneBoundingRect().adjusted(-5, -5, 5, 5);
        for (const LinkArrow *arrow : window.View->arrows()) {
            if (arrow->to() == window.View->box(u8("chave"))) {
                EXPECT_TRUE(box.contains(arrow->path().pointAtPercent(1))) << "arrows follow the box";
            }
        }
    }
    const QString file = folder() + u8("mapa.txt");
    const QHash<QString, QPointF> saved = readMapPlaces(fromCp1252(readBytes(file)));
    EXPECT_EQ(saved, (QHash<QString, QPointF>{{u8("chave"), dropped}}));

    TForm6 again;
    loadMap(again);
    EXPECT_EQ(again.View->box(u8("chave"))->pos(), dropped);
}

TEST_F(DemoMap, APlaceOfAFormerVisitStaysWhenAnotherBoxIsDragged)
{
    ASSERT_TRUE(writeBytes(folder() + u8("mapa.txt"), "porao\t-500\t-300\r\n"));
    TForm6 window;
    loadMap(window);
    showWindow(window);
    EXPECT_EQ(window.View->box(u8("porao"))->pos(), QPointF(-500, -300));
    const QPoint from = placeOf(window, u8("sala"));
    drag(window.View->viewport(), from, from + QPoint(0, 30));
    const QHash<QString, QPointF> saved = loadMapPlaces(folder());
    EXPECT_EQ(saved.size(), 2);
    EXPECT_EQ(saved.value(u8("porao")), QPointF(-500, -300));
    EXPECT_EQ(saved.value(u8("sala")), window.View->box(u8("sala"))->pos());
}

TEST_F(DemoMap, APlacesFileThatCannotBeWrittenIsSaid)
{
    const QString gone = m_dir.path() + u8("/sem_pasta/");
    TForm6 window;
    window.load(m_service, m_names, m_startPage, gone);
    showWindow(window);
    const QPoint from = placeOf(window, u8("sala"));
    drag(window.View->viewport(), from, from + QPoint(30, 30));
    EXPECT_EQ(window.Sta->text(), u8("Não foi possível gravar ") + gone + u8("mapa.txt!!!"));
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(DemoMap, TheWheelZoomsWithinItsLimits)
{
    TForm6 window;
    loadMap(window);
    showWindow(window);
    // Opened to show the whole adventure, never larger than life.
    const double start = window.View->zoom();
    EXPECT_LE(start, 1.0);
    EXPECT_GE(start, StoryMapView::MinZoom);
    turnWheel(window.View, 1);
    EXPECT_GT(window.View->zoom(), start);
    turnWheel(window.View, -2);
    EXPECT_LT(window.View->zoom(), start);
    turnWheel(window.View, 100);
    EXPECT_DOUBLE_EQ(window.View->zoom(), StoryMapView::MaxZoom);
    turnWheel(window.View, -100);
    EXPECT_DOUBLE_EQ(window.View->zoom(), StoryMapView::MinZoom);
    turnWheel(window.View, 0);
    EXPECT_DOUBLE_EQ(window.View->zoom(), StoryMapView::MinZoom);
}

TEST_F(DemoMap, DraggingTheBackgroundPansAndMovesNoBox)
{
    TForm6 window;
    loadMap(window);
    showWindow(window);
    // At full size the demo map is larger than the view.
    window.View->setTransform(QTransform());
    window.View->centerOn(window.View->box(m_startPage));
    QSignalSpy moved(window.View, &StoryMapView::boxMoved);
    const auto before = placesOf(window);
    const QPoint scrolled(window.View->horizontalScrollBar()->value(), window.View->verticalScrollBar()->value());
    const PageBox *start = window.View->box(m_startPage);
    const QPoint empty = window.View->mapFromScene(start->sceneBoundingRect().topLeft() - QPointF(40, 40));
    // the start page sits at the top left, so the map can go left and up
    drag(window.View->viewport(), empty, empty - QPoint(60, 50));
    EXPECT_EQ(window.View->horizontalScrollBar()->value(), scrolled.x() + 60);
    EXPECT_EQ(window.View->verticalScrollBar()->value(), scrolled.y() + 50);
    EXPECT_EQ(placesOf(window), before);
    EXPECT_EQ(moved.count(), 0);
    QTest::mouseClick(window.View->viewport(), Qt::LeftButton, {}, placeOf(window, m_startPage));
    EXPECT_FALSE(QFile::exists(folder() + u8("mapa.txt"))) << "neither a pan nor a click without moving is saved";
}
