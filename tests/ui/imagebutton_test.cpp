#include "imagebutton.h"
#include "looks.h"
#include "skin.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

class ImageButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        host.resize(200, 100);
        button = new ImageButton(&host, Skin::btUp(), Skin::btDw(), QStringLiteral("Sai do programa"));
        button->setGeometry(20, 20, 60, 20);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QWidget host;
    ImageButton *button = nullptr;
};

} // namespace

TEST_F(ImageButtonTest, ShowsTheReleasedLookWithHintAndDragCursor)
{
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp()));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Sai do programa"));
    EXPECT_EQ(button->cursor().shape(), Qt::DragMoveCursor);
}

TEST_F(ImageButtonTest, TheMenuLookIsTheDefault)
{
    ImageButton menu(&host);
    EXPECT_TRUE(sameLook(menu.pixmap(), Skin::btUp3()));
    EXPECT_EQ(menu.size(), QSize(20, 14));
    QTest::mousePress(&menu, Qt::LeftButton);
    EXPECT_TRUE(sameLook(menu.pixmap(), Skin::btDw3()));
    QTest::mouseRelease(&menu, Qt::LeftButton);
}

TEST_F(ImageButtonTest, KeepsItsPressedLookWhileTheClickRuns)
{
    std::vector<const char *> order;
    bool pressedLookDuringClick = false;
    QImage paintedDuringClick;
    QObject::connect(button, &ImageButton::pressed, [&] { order.push_back("pressed"); });
    QObject::connect(button, &ImageButton::clicked, [&] {
        order.push_back("clicked");
        pressedLookDuringClick = sameLook(button->pixmap(), Skin::btDw());
        paintedDuringClick = button->grab().toImage();
    });
    QObject::connect(button, &ImageButton::released, [&] { order.push_back("released"); });

    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(order, (std::vector<const char *>{"pressed", "clicked", "released"}));
    EXPECT_TRUE(pressedLookDuringClick);
    EXPECT_NE(paintedDuringClick, button->grab().toImage()) << "the click ran under the released look";
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp()));
    EXPECT_FALSE(button->isDown());
}

TEST_F(ImageButtonTest, ShowsThePressedLookAsSoonAsItIsPressed)
{
    bool pressedLook = false;
    QObject::connect(button, &ImageButton::pressed, [&] { pressedLook = sameLook(button->pixmap(), Skin::btDw()); });
    QTest::mousePress(button, Qt::RightButton);
    EXPECT_TRUE(pressedLook);
    EXPECT_TRUE(button->isDown());
    QTest::mouseRelease(button, Qt::RightButton);
}

TEST_F(ImageButtonTest, ClicksOnlyOnALeftReleaseInside)
{
    struct Case {
        const char *what;
        Qt::MouseButton button;
        QPoint releaseAt;
        int clicks;
    };
    const Case cases[] = {
        {"left inside", Qt::LeftButton, {30, 10}, 1},
        {"left at the last pixel", Qt::LeftButton, {59, 19}, 1},
        {"left outside to the right", Qt::LeftButton, {65, 10}, 0},
        {"left outside above", Qt::LeftButton, {30, -3}, 0},
        {"right inside", Qt::RightButton, {30, 10}, 0},
        {"middle inside", Qt::MiddleButton, {30, 10}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QSignalSpy clicked(button, &ImageButton::clicked);
        QSignalSpy released(button, &ImageButton::released);
        QTest::mousePress(button, c.button, {}, QPoint(30, 10));
        EXPECT_TRUE(sameLook(button->pixmap(), Skin::btDw()));
        QTest::mouseRelease(button, c.button, {}, c.releaseAt);
        EXPECT_EQ(clicked.count(), c.clicks);
        EXPECT_EQ(released.count(), 1);
        EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp()));
    }
}

TEST_F(ImageButtonTest, NewLooksApplyToTheCurrentState)
{
    button->setLooks(Skin::btUp3(), Skin::btDw3());
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp3()));
    QTest::mousePress(button, Qt::LeftButton);
    button->setLooks(Skin::btUp(), Skin::btDw());
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btDw()));
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp()));
}

TEST_F(ImageButtonTest, ThePictureFillsTheButtonKeepingItsEdges)
{
    const QImage painted = button->grab().toImage();
    ASSERT_EQ(painted.size(), QSize(60, 20));
    const QImage picture = Skin::btUp().toImage();
    // corners come from the picture's corners, the middle from its middle
    EXPECT_EQ(painted.pixelColor(0, 0), picture.pixelColor(0, 0));
    EXPECT_EQ(painted.pixelColor(59, 19), picture.pixelColor(19, 13));
    EXPECT_EQ(painted.pixelColor(1, 10), picture.pixelColor(1, 7));
    EXPECT_EQ(painted.pixelColor(58, 10), picture.pixelColor(18, 7));
}

TEST_F(ImageButtonTest, ACaptionIsDrawnOverThePicture)
{
    const QImage plain = button->grab().toImage();
    button->setCaption(QStringLiteral("Salvar"));
    EXPECT_NE(button->grab().toImage(), plain);
    EXPECT_TRUE(sameLook(button->pixmap(), Skin::btUp()));
}
