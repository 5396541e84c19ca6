#include "hotspot.h"
#include "previewtestutil.h"

#include <QSignalSpy>

#include <vector>

using namespace nimbra;

namespace {

// The hotspot editor with a 65 x 65 rectangle at (100, 100); its handle
// covers (157, 157) to (164, 164).
class HotspotDrag : public ShownPreviewPage {
protected:
    void SetUp() override
    {
        ShownPreviewPage::SetUp();
        page.showKind(u8("img"));
        page.showHotspot(QRect(100, 100, 65, 65));
    }

    static constexpr QPoint OnRectangle{120, 120};
    static constexpr QPoint OnHandle{160, 160};

    QStringList lastTexts() const
    {
        if (changed.isEmpty())
            return {};
        QStringList texts;
        for (const QVariant &v : changed.last())
            texts.append(v.toString());
        return texts;
    }

    void drag(QPoint from, const std::vector<QPoint> &path, Qt::MouseButton button = Qt::LeftButton)
    {
        press(from, button);
        for (const QPoint at : path)
            moveTo(at);
        release(path.empty() ? from : path.back(), button);
    }

    QSignalSpy changed{&page, &PreviewPage::hotspotChanged};
    QSignalSpy started{&page, &PreviewPage::hotspotDragStarted};
    QSignalSpy finished{&page, &PreviewPage::hotspotDragFinished};
};

} // namespace

TEST_F(HotspotDrag, ShowingPlacesTheHandleAndKeepsTheRectangleOnTheScreen)
{
    struct Case {
        QRect shown;
        QRect expected;
    };
    const Case cases[] = {
        {{100, 100, 65, 65}, {100, 100, 65, 65}}, {{-10, -10, 2000, 2000}, {0, 0, 852, 358}},
        {{900, 400, 10, 10}, {842, 348, 10, 10}}, {{5, 5, 0, -3}, {5, 5, 8, 8}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown.x());
        page.showHotspot(c.shown);
        EXPECT_TRUE(page.hotspotVisible());
        EXPECT_TRUE(page.Shp2->isVisible());
        EXPECT_EQ(page.hotspot(), c.expected);
        EXPECT_EQ(page.Shp2->pos(), handlePlace(c.expected));
    }
    page.hideHotspot();
    EXPECT_FALSE(page.hotspotVisible());
    EXPECT_FALSE(page.Shp1->isVisible());
    EXPECT_FALSE(page.Shp2->isVisible());
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(HotspotDrag, MoveFollowsTheMouseAndStopsAtTheEdges)
{
    struct Case {
        const char *what;
        std::vector<QPoint> path;
        QRect expected;
        QStringList texts;
    };
    const Case cases[] = {
        {"a little", {{130, 125}}, {110, 105, 65, 65}, u8Lines({"110", "105", "065", "065"})},
        {"the grab point stays under the mouse", {{130, 125}, {140, 130}, {135, 130}},
         {115, 110, 65, 65}, u8Lines({"115", "110", "065", "065"})},
        {"past the bottom-right corner", {{500, 300}, {900, 430}}, {787, 293, 65, 65},
         u8Lines({"787", "293", "065", "065"})},
        {"past the top-left corner", {{60, 60}, {-50, -30}}, {0, 0, 65, 65}, u8Lines({"000", "000", "065", "065"})},
        {"past the right edge only", {{915, 150}}, {787, 130, 65, 65}, u8Lines({"787", "130", "065", "065"})},
        {"past the top edge only", {{300, 5}}, {280, 0, 65, 65}, u8Lines({"280", "000", "065", "065"})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        page.showHotspot(QRect(100, 100, 65, 65));
        changed.clear();
        drag(OnRectangle, c.path);
        EXPECT_EQ(page.hotspot(), c.expected);
        EXPECT_EQ(page.Shp2->pos(), handlePlace(c.expected));
        EXPECT_EQ(lastTexts(), c.texts);
        // every step is written to the link edits
        EXPECT_EQ(changed.count(), qsizetype(c.path.size()));
    }
}

TEST_F(HotspotDrag, HandleResizesAndNeverLeavesTheRectangleOrTheScreen)
{
    struct Case {
        const char *what;
        std::vector<QPoint> path;
        QRect expected;
        QStringList texts;
    };
    const Case cases[] = {
        {"bigger", {{200, 190}}, {100, 100, 105, 95}, u8Lines({"100", "100", "105", "095"})},
        {"smaller", {{130, 115}}, {100, 100, 35, 20}, u8Lines({"100", "100", "035", "020"})},
        {"above and left of the corner", {{20, 30}}, {100, 100, 8, 8}, u8Lines({"100", "100", "008", "008"})},
        {"past the right and bottom edges", {{20, 30}, {915, 435}}, {100, 100, 752, 258},
         u8Lines({"100", "100", "752", "258"})},
        {"back again", {{915, 435}, {200, 190}}, {100, 100, 105, 95}, u8Lines({"100", "100", "105", "095"})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        page.showHotspot(QRect(100, 100, 65, 65));
        changed.clear();
        drag(OnHandle, c.path);
        EXPECT_EQ(page.hotspot(), c.expected);
        EXPECT_EQ(page.Shp2->pos(), handlePlace(c.expected));
        EXPECT_EQ(lastTexts(), c.texts);
        EXPECT_EQ(changed.count(), qsizetype(c.path.size()));
    }
}

TEST_F(HotspotDrag, SmallRectangleMovesIntoTheCorner)
{
    drag(OnHandle, {{115, 115}}); // 20 x 20
    drag(QPoint(103, 103), {{900, 430}});
    EXPECT_EQ(page.hotspot(), QRect(832, 338, 20, 20));
    EXPECT_EQ(lastTexts(), u8Lines({"832", "338", "020", "020"}));
}

// The handle covers the whole of the smallest rectangle, so pressing it
// anywhere resizes.
TEST_F(HotspotDrag, SmallestRectangleIsAllHandle)
{
    drag(OnHandle, {{20, 30}});
    drag(QPoint(101, 101), {{400, 300}});
    EXPECT_EQ(page.hotspot(), QRect(100, 100, 307, 207));
}

TEST_F(HotspotDrag, EveryDragStartsAndEnds)
{
    drag(OnRectangle, {{130, 130}});
    drag(OnHandle, {{170, 170}});
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(finished.count(), 2);
}

TEST_F(HotspotDrag, NoMoveWithoutAPress)
{
    for (const QPoint at : {QPoint(120, 120), QPoint(140, 150), QPoint(161, 161), QPoint(400, 300)})
        moveTo(at);
    EXPECT_EQ(page.hotspot(), QRect(100, 100, 65, 65));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(started.count(), 0);
}

TEST_F(HotspotDrag, ReleaseEndsTheDrag)
{
    drag(OnRectangle, {{130, 130}});
    moveTo({300, 300});
    EXPECT_EQ(page.hotspot(), QRect(110, 110, 65, 65));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(HotspotDrag, RightClicksCycleTheOutlineColours)
{
    EXPECT_EQ(page.hotspotPen(), QColor(0x00, 0x00, 0xFF));
    const QColor expected[] = {
        QColor(0x00, 0x00, 0x00), QColor(0xFF, 0xFF, 0xFF), QColor(0x00, 0xFF, 0xFF), QColor(0xFF, 0x00, 0x00),
        QColor(0x80, 0x00, 0x00), QColor(0x00, 0xFF, 0x00), QColor(0x00, 0x00, 0xFF), QColor(0x00, 0x00, 0x00),
    };
    int clicks = 0;
    for (const QColor &colour : expected) {
        SCOPED_TRACE(++clicks);
        click(OnRectangle, Qt::RightButton);
        EXPECT_EQ(page.hotspotPen(), colour);
        EXPECT_EQ(page.Shp1->pen().style(), Qt::DotLine);
    }
    // each right-click is a drag of its own
    EXPECT_EQ(started.count(), 8);
    EXPECT_EQ(finished.count(), 8);
    EXPECT_EQ(page.hotspot(), QRect(100, 100, 65, 65));
}

TEST_F(HotspotDrag, OtherButtonsKeepTheColour)
{
    click(OnRectangle, Qt::LeftButton);
    click(OnRectangle, Qt::MiddleButton);
    click(OnHandle, Qt::LeftButton);
    EXPECT_EQ(page.hotspotPen(), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(started.count(), 3);
}

TEST_F(HotspotDrag, RightClickOnTheHandleRecoloursTheRectangle)
{
    click(OnHandle, Qt::RightButton);
    EXPECT_EQ(page.hotspotPen(), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(page.Shp2->pen().color(), QColor(0x00, 0x80, 0xC0));
    EXPECT_EQ(page.Shp2->brush().color(), QColor(0xFF, 0x80, 0x40));
}

TEST_F(HotspotDrag, RightButtonDragsToo)
{
    drag(OnRectangle, {{150, 140}}, Qt::RightButton);
    EXPECT_EQ(page.hotspot(), QRect(130, 120, 65, 65));
    EXPECT_EQ(page.hotspotPen(), QColor(0x00, 0x00, 0x00));
}

TEST_F(HotspotDrag, DoubleRightClickIsTwoPresses)
{
    QTest::mouseDClick(window(), Qt::RightButton, {}, OnRectangle);
    EXPECT_EQ(page.hotspotPen(), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(finished.count(), 2);
}
