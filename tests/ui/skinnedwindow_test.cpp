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

SkinnedWindow::Options toolsWindow()
{
    SkinnedWindow::Options options;
    options.title = QStringLiteral("Ferramentas");
    options.width = 300;
    options.height = 200;
    options.hasVerticalLock = true;
    options.lockX = 250;
    options.closeX = 276;
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

TEST(SkinnedWindow, IsABorderlessWindowWithTheAskedSize)
{
    for (bool onTop : {false, true}) {
        SCOPED_TRACE(onTop);
        SkinnedWindow::Options options = toolsWindow();
        options.stayOnTop = onTop;
        SkinnedWindow window(options);
        EXPECT_TRUE(window.isWindow());
        EXPECT_EQ(window.windowType(), Qt::Window);
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        EXPECT_EQ(window.size(), QSize(300, 200));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ferramentas"));
    }
}

TEST(SkinnedWindow, PlacesTheTitleBarLockAndClosePicture)
{
    SkinnedWindow window(toolsWindow());
    EXPECT_EQ(window.titleBar()->geometry(), QRect(1, 1, 298, 24));
    EXPECT_TRUE(sameLook(window.titleBar()->pixmap(), Skin::titleBar()));
    EXPECT_EQ(window.titleLabel()->text(), QStringLiteral("Ferramentas"));
    EXPECT_EQ(window.titleLabel()->objectName(), QStringLiteral("lbTit"));
    EXPECT_TRUE(window.titleLabel()->font().bold());
    EXPECT_EQ(window.titleLabel()->font().pixelSize(), 13);
    EXPECT_EQ(window.lockIcon()->geometry(), QRect(250, 6, 14, 14));
    EXPECT_EQ(window.lockIcon()->toolTip(), QStringLiteral("Trava deslocamento vertical"));
    EXPECT_EQ(window.closeButton()->geometry(), QRect(276, 6, 20, 14));
    EXPECT_EQ(window.closeButton()->toolTip(), QStringLiteral("Fecha a janela"));
    EXPECT_TRUE(sameLook(window.closeButton()->pixmap(), Skin::btUp3()));

    SkinnedWindow::Options options = toolsWindow();
    options.titleBarRect = QRect(4, 2, 200, 24);
    options.hasVerticalLock = false;
    SkinnedWindow other(options);
    EXPECT_EQ(other.titleBar()->geometry(), QRect(4, 2, 200, 24));
    EXPECT_EQ(other.lockIcon(), nullptr);
    EXPECT_FALSE(other.verticalLock());
}

TEST(SkinnedWindow, TheLockStartsOnInTheLockedLook)
{
    SkinnedWindow window(toolsWindow());
    EXPECT_TRUE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic2()));
}

TEST(SkinnedWindow, DraggingTheTitleMovesSidewaysOnlyWhileLocked)
{
    // the bar and the title label on it both drag, with any button
    struct Case {
        const char *what;
        bool onLabel;
        Qt::MouseButton button;
    };
    const Case cases[] = {
        {"bar, left", false, Qt::LeftButton},
        {"label, left", true, Qt::LeftButton},
        {"bar, right", false, Qt::RightButton},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SkinnedWindow window(toolsWindow());
        ASSERT_TRUE(showAt(window, {100, 51}));
        QWidget *grip = c.onLabel ? static_cast<QWidget *>(window.titleLabel()) : window.titleBar();

        QTest::mousePress(grip, c.button, {}, QPoint(60, 10));
        QTest::mouseMove(grip, QPoint(90, 40));
        EXPECT_EQ(window.pos(), QPoint(130, 51));
        QTest::mouseMove(grip, QPoint(50, 2));
        EXPECT_EQ(window.pos(), QPoint(120, 51));
        QTest::mouseRelease(grip, c.button, {}, QPoint(50, 2));

        // released: moving no longer drags
        QTest::mousePress(window.titleBar(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(window.titleBar(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(window.pos(), QPoint(120, 51));

        window.setVerticalLock(false);
        QTest::mousePress(grip, c.button, {}, QPoint(60, 10));
        QTest::mouseMove(grip, QPoint(70, 30));
        EXPECT_EQ(window.pos(), QPoint(130, 71));
        QTest::mouseRelease(grip, c.button, {}, QPoint(70, 30));
    }
}

TEST(SkinnedWindow, TurningTheLockOnPutsTheWindowBackAtTop51)
{
    SkinnedWindow window(toolsWindow());
    QSignalSpy changed(&window, &SkinnedWindow::verticalLockChanged);
    ASSERT_TRUE(showAt(window, {100, 51}));

    QTest::mousePress(window.lockIcon(), Qt::LeftButton);
    QTest::mouseRelease(window.lockIcon(), Qt::LeftButton);
    EXPECT_FALSE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic1()));
    EXPECT_EQ(window.pos(), QPoint(100, 51));

    window.move(140, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.pos() == QPoint(140, 300); }));
    QTest::mousePress(window.lockIcon(), Qt::RightButton);
    QTest::mouseRelease(window.lockIcon(), Qt::RightButton);
    EXPECT_TRUE(window.verticalLock());
    EXPECT_TRUE(sameLook(window.lockIcon()->pixmap(), Skin::tic2()));
    EXPECT_EQ(window.pos(), QPoint(140, 51));

    // turning it off where it is does not move it
    window.setVerticalLock(false);
    EXPECT_EQ(window.pos(), QPoint(140, 51));
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed.at(1).at(0).toBool(), true);
}

TEST(SkinnedWindow, TheClosePictureHidesTheWindow)
{
    SkinnedWindow window(toolsWindow());
    ASSERT_TRUE(showAt(window, {100, 51}));
    ImageButton *close = window.closeButton();

    QTest::mousePress(close, Qt::LeftButton);
    EXPECT_TRUE(sameLook(close->pixmap(), Skin::btDw3()));
    QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(30, 7));
    EXPECT_TRUE(window.isVisible()) << "released away from the picture";
    EXPECT_TRUE(sameLook(close->pixmap(), Skin::btUp3()));

    QTest::mouseClick(close, Qt::RightButton);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(sameLook(close->pixmap(), Skin::btUp3()));
}

TEST(SkinnedWindow, PaintsTheBackgroundInsideADarkFrame)
{
    SkinnedWindow window(toolsWindow());
    ASSERT_TRUE(showAt(window, {100, 51}));
    const QImage painted = window.grab().toImage();
    EXPECT_EQ(painted.pixelColor(150, 100), Skin::WindowBackground);
    EXPECT_EQ(painted.pixelColor(0, 100), Skin::Frame);
    EXPECT_EQ(painted.pixelColor(299, 199), Skin::Frame);
    EXPECT_EQ(painted.pixelColor(1, 198), Skin::WindowBackground);
}
