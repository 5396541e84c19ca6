#include "imagebutton.h"
#include "looks.h"
#include "skin.h"
#include "skinnedwindow.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

SkinnedWindow::Options withLock(bool hasVerticalLock = true)
{
    SkinnedWindow::Options options;
    options.hasVerticalLock = hasVerticalLock;
    return options;
}

// Shows the window at a place and waits until the display agrees.
bool showAt(SkinnedWindow &window, QPoint place)
{
    window.move(place);
    window.show();
    return QTest::qWaitForWindowExposed(&window) && QTest::qWaitFor([&] { return window.pos() == place; });
}

} // namespace

TEST(SkinnedWindow, DraggingTheTitleMovesSidewaysOnlyWhileLocked)
{
    // the bar and the title label on it both drag, with any button
    struct Case {
        const char *what;
        bool onLabel;
        Qt::MouseButton button;
        bool hasLock, locked;
        QPoint firstStep, secondStep; // the window from (100, 51)
    };
    const Case cases[] = {
        {"bar, locked", false, Qt::LeftButton, true, true, {130, 51}, {120, 51}},
        {"label, right button, locked", true, Qt::RightButton, true, true, {130, 51}, {120, 51}},
        {"bar, unlocked", false, Qt::LeftButton, true, false, {130, 81}, {120, 73}},
        {"label, a window without a lock", true, Qt::LeftButton, false, false, {130, 81}, {120, 73}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SkinnedWindow window(withLock(c.hasLock));
        window.setVerticalLock(c.locked);
        ASSERT_TRUE(showAt(window, {100, 51}));
        QWidget *grip = c.onLabel ? static_cast<QWidget *>(window.titleLabel()) : window.titleBar();
        // points in the grip, which moves with the window
        QTest::mousePress(grip, c.button, {}, QPoint(60, 10));
        QTest::mouseMove(grip, QPoint(90, 40));
        EXPECT_EQ(window.pos(), c.firstStep);
        QTest::mouseMove(grip, QPoint(50, 2));
        EXPECT_EQ(window.pos(), c.secondStep);
        QTest::mouseRelease(grip, c.button, {}, QPoint(50, 2));
    }
}

TEST(SkinnedWindow, PressingTheLockFlipsItAndLockingPutsTheWindowBackUnderTheMainWindow)
{
    SkinnedWindow window(withLock());
    QSignalSpy changed(&window, &SkinnedWindow::verticalLockChanged);
    ASSERT_TRUE(showAt(window, {140, 300}));
    EXPECT_TRUE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic2()));
    QTest::mouseClick(window.lockIcon(), Qt::LeftButton);
    EXPECT_FALSE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic1()));
    EXPECT_EQ(window.pos(), QPoint(140, 300)) << "unlocking leaves the window where it is";
    QTest::mouseClick(window.lockIcon(), Qt::RightButton);
    EXPECT_TRUE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic2()));
    EXPECT_EQ(window.pos(), QPoint(140, SkinnedWindow::LockedTop));
    EXPECT_EQ(changed, (QList<QList<QVariant>>{{false}, {true}}));
}

TEST(SkinnedWindow, OnlyALeftClickOnTheClosePictureHidesTheWindow)
{
    SkinnedWindow window(withLock());
    ASSERT_TRUE(showAt(window, {100, 51}));
    QTest::mouseClick(window.closeButton(), Qt::RightButton);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(window.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(SkinnedWindow, PaintsTheBackgroundInsideADarkFrame)
{
    SkinnedWindow window(withLock());
    const QImage painted = window.grab().toImage();
    EXPECT_EQ(painted.pixelColor(150, 100), Skin::WindowBackground);
    EXPECT_EQ(painted.pixelColor(1, 298), Skin::WindowBackground);
    EXPECT_EQ(painted.pixelColor(0, 100), Skin::Frame);
    EXPECT_EQ(painted.pixelColor(399, 299), Skin::Frame);
}
