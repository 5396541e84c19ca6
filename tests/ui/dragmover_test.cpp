#include "dragmover.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(DragMover, FollowsTheMouseFromWhereItWasPressed)
{
    struct Case {
        const char *what;
        QPoint inControl;
        bool lock;
        QPoint expected; // window at (100, 51), pressed at (40, 10)
    };
    const Case cases[] = {
        {"locked: only sideways", {55, 30}, true, {115, 51}},
        {"locked, to the left and up", {10, -20}, true, {70, 51}},
        {"free: both ways", {55, 30}, false, {115, 71}},
        {"free, to the left and up", {10, -20}, false, {70, 21}},
        {"no change", {40, 10}, false, {100, 51}},
        {"free, only down", {40, 13}, false, {100, 54}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DragMover mover;
        mover.press({40, 10});
        EXPECT_EQ(mover.move(c.inControl, {100, 51}, c.lock), c.expected);
    }
}

TEST(DragMover, KeepsTheStartForTheWholeDrag)
{
    DragMover mover;
    mover.press({40, 10});
    QPoint window(100, 51);
    window = mover.move({45, 12}, window, false);
    EXPECT_EQ(window, QPoint(105, 53));
    // the control moved with the window: the same point is under the mouse
    window = mover.move({45, 12}, window, false);
    EXPECT_EQ(window, QPoint(110, 55));
    window = mover.move({40, 10}, window, false);
    EXPECT_EQ(window, QPoint(110, 55));
}

TEST(DragMover, MovesNothingWhenNotPressed)
{
    DragMover mover;
    EXPECT_FALSE(mover.active());
    EXPECT_EQ(mover.move({90, 90}, {100, 51}, false), QPoint(100, 51));
    mover.press({0, 0});
    EXPECT_TRUE(mover.active());
    mover.release();
    EXPECT_FALSE(mover.active());
    EXPECT_EQ(mover.move({90, 90}, {100, 51}, false), QPoint(100, 51));
}
