#pragma once

// What the preview tests share: printing rectangles and points, comparing
// pictures, and a preview page shown on the display.
#include "looks.h"
#include "previewpage.h"
#include "testutil.h"

#include <QPixmap>
#include <QRect>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << '(' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << '(' << p.x() << ',' << p.y() << ')';
}
QT_END_NAMESPACE

// The page as its own window at the display's top-left, so that points in
// the window are points of the page and of the screen picture.
class ShownPreviewPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.move(0, 0);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    }

    // The mouse as the display would send it: to the window, which hands it
    // to the control under it, or to the one holding the mouse.
    QWindow *window() { return page.windowHandle(); }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(window(), button, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(window(), at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(window(), button, {}, at);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(window(), button, {}, at); }

    nimbra::PreviewPage page;
};
