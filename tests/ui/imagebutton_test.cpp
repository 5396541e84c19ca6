#include "imagebutton.h"
#include "looks.h"
#include "skin.h"
#include "testutil.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

class ImageButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        host.resize(200, 100);
        button->setGeometry(20, 20, 60, 20);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    bool shows(const QPixmap &look) const { return sameLook(button->pixmap(), look); }

    QWidget host;
    ImageButton *button = new ImageButton(&host, Skin::btUp(), Skin::btDw());
};

} // namespace

// The pressed look comes with the press and stays while the click runs,
// telling the author the request is still going.
TEST_F(ImageButtonTest, ClicksOnlyOnALeftReleaseInsideUnderThePressedLook)
{
    struct Case {
        const char *what;
        Qt::MouseButton button;
        QPoint releaseAt;
        QStringList signalsAndLooks;
    };
    const QStringList click = u8Lines({"pressed down", "clicked down", "released up"});
    const QStringList noClick = u8Lines({"pressed down", "released up"});
    const Case cases[] = {
        {"left inside", Qt::LeftButton, {30, 10}, click},
        {"left at the last pixel", Qt::LeftButton, {59, 19}, click},
        {"left outside to the right", Qt::LeftButton, {65, 10}, noClick},
        {"left outside above", Qt::LeftButton, {30, -3}, noClick},
        {"right inside", Qt::RightButton, {30, 10}, noClick},
        {"middle inside", Qt::MiddleButton, {30, 10}, noClick},
    };
    EXPECT_TRUE(shows(Skin::btUp()));
    const QImage releasedPainting = button->grab().toImage();
    QStringList seen;
    const auto note = [&](const char *signal) { seen << u8(signal) + (shows(Skin::btDw()) ? u8(" down") : u8(" up")); };
    QObject::connect(button, &ImageButton::pressed, [&] { note("pressed"); });
    QObject::connect(button, &ImageButton::clicked, [&] {
        note("clicked");
        EXPECT_NE(button->grab().toImage(), releasedPainting) << "the click ran under the released look";
    });
    QObject::connect(button, &ImageButton::released, [&] { note("released"); });
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        seen.clear();
        QTest::mousePress(button, c.button, {}, QPoint(30, 10));
        EXPECT_TRUE(button->isDown());
        QTest::mouseRelease(button, c.button, {}, c.releaseAt);
        EXPECT_FALSE(button->isDown());
        EXPECT_EQ(seen, c.signalsAndLooks);
    }
}

TEST_F(ImageButtonTest, TheMenuLookIsTheDefaultAndNewLooksApplyToTheCurrentState)
{
    delete button;
    button = new ImageButton(&host);
    EXPECT_TRUE(shows(Skin::btUp3()));
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(shows(Skin::btDw3()));
    button->setLooks(Skin::btUp(), Skin::btDw());
    EXPECT_TRUE(shows(Skin::btDw()));
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_TRUE(shows(Skin::btUp()));
    button->setLooks(Skin::btUp3(), Skin::btDw3());
    EXPECT_TRUE(shows(Skin::btUp3()));
}

TEST_F(ImageButtonTest, ThePictureFillsTheButtonKeepingItsEdgesUnderItsCaption)
{
    const QImage painted = button->grab().toImage();
    ASSERT_EQ(painted.size(), QSize(60, 20));
    const QImage picture = Skin::btUp().toImage();
    // corners come from the picture's corners, the middle from its middle
    EXPECT_EQ(painted.pixelColor(0, 0), picture.pixelColor(0, 0));
    EXPECT_EQ(painted.pixelColor(59, 19), picture.pixelColor(19, 13));
    EXPECT_EQ(painted.pixelColor(1, 10), picture.pixelColor(1, 7));
    EXPECT_EQ(painted.pixelColor(58, 10), picture.pixelColor(18, 7));

    button->setCaption(QStringLiteral("Salvar"));
    EXPECT_NE(button->grab().toImage(), painted);
    EXPECT_TRUE(shows(Skin::btUp()));
}
