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
        page.showHotspot(Start);
    }

    static constexpr QRect Start{100, 100, 65, 65};
    static constexpr QPoint OnRectangle{120, 120};
    static constexpr QPoint OnHandle{160, 160};

    QSignalSpy changed{&page, &PreviewPage::hotspotChanged};
    QSignalSpy started{&page, &PreviewPage::hotspotDragStarted};
    QSignalSpy finished{&page, &PreviewPage::hotspotDragFinished};
};

} // namespace

// Where the clamps stop is the geometry functions' business; here each road
// once with a real drag: the shapes follow, every step is reported in the
// link edits' form, and a drag past the edge stays on the screen.
TEST_F(HotspotDrag, DragsMoveOrResizeTheHotspotAndReportEveryStep)
{
    struct Case {
        const char *what;
        QPoint from;
        Qt::MouseButton button;
        std::vector<QPoint> path;
        QRect expected;
        QStringList texts;
    };
    const Case cases[] = {
        {"move: the grab point stays under the mouse", OnRectangle, Qt::LeftButton,
         {{130, 125}, {140, 130}, {135, 130}}, {115, 110, 65, 65}, u8Lines({"115", "110", "065", "065"})},
        {"move with the right button past the bottom-right corner", OnRectangle, Qt::RightButton,
         {{500, 300}, {900, 430}}, {787, 293, 65, 65}, u8Lines({"787", "293", "065", "065"})},
        {"resize past the right and bottom edges", OnHandle, Qt::LeftButton, {{20, 30}, {915, 435}},
         {100, 100, 752, 258}, u8Lines({"100", "100", "752", "258"})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        page.showHotspot(Start);
        changed.clear();
        started.clear();
        finished.clear();
        press(c.from, c.button);
        for (const QPoint at : c.path)
            moveTo(at);
        release(c.path.back(), c.button);
        EXPECT_EQ(page.hotspot(), c.expected);
        EXPECT_EQ(page.Shp2->pos(), handlePlace(c.expected));
        ASSERT_EQ(changed.count(), qsizetype(c.path.size()));
        QStringList texts;
        for (const QVariant &v : changed.last())
            texts.append(v.toString());
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(started.count(), 1);
        EXPECT_EQ(finished.count(), 1);
    }
}

// A right press on the rectangle or its handle gives the rectangle its next
// outline colour; every press, of any button, is a drag of its own, and a
// double click is two presses.
TEST_F(HotspotDrag, RightPressesTakeTheNextOutlineColour)
{
    struct Case {
        QPoint at;
        Qt::MouseButton button;
        int presses;
    };
    const Case cases[] = {
        {OnRectangle, Qt::LeftButton, 1},  {OnRectangle, Qt::MiddleButton, 1}, {OnHandle, Qt::LeftButton, 1},
        {OnRectangle, Qt::RightButton, 1}, {OnHandle, Qt::RightButton, 1},     {OnRectangle, Qt::RightButton, 2},
        {OnRectangle, Qt::RightButton, 2}, {OnHandle, Qt::RightButton, 2}, // round the list and on
    };
    const auto &colours = PreviewPage::HotspotPenColors;
    const QPen handlePen = page.Shp2->pen();
    size_t taken = 0;
    EXPECT_EQ(page.hotspotPen(), colours[0]);
    for (const Case &c : cases) {
        SCOPED_TRACE(&c - cases);
        started.clear();
        finished.clear();
        if (c.presses == 2)
            QTest::mouseDClick(window(), c.button, {}, c.at);
        else
            click(c.at, c.button);
        taken += c.button == Qt::RightButton ? size_t(c.presses) : 0;
        EXPECT_EQ(page.hotspotPen(), colours[taken % colours.size()]);
        EXPECT_EQ(started.count(), c.presses);
        EXPECT_EQ(finished.count(), c.presses);
    }
    EXPECT_EQ(page.Shp1->pen().style(), Qt::DotLine);
    EXPECT_EQ(page.Shp2->pen(), handlePen);
    EXPECT_EQ(page.hotspot(), Start);
}
