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

// The control moves with the window, so the start is kept for the whole
// drag: the same point under the mouse moves the window again. Before the
// press and after the release nothing moves.
TEST(DragMover, KeepsTheStartForTheWholeDragAndMovesOnlyWhilePressed)
{
    DragMover mover;
    QPoint window(100, 51);
    EXPECT_EQ(mover.move({90, 90}, window, false), window);
    mover.press({40, 10});
    EXPECT_EQ(window = mover.move({45, 12}, window, false), QPoint(105, 53));
    EXPECT_EQ(window = mover.move({45, 12}, window, false), QPoint(110, 55));
    EXPECT_EQ(mover.move({40, 10}, window, false), window);
    mover.release();
    EXPECT_FALSE(mover.active());
    EXPECT_EQ(mover.move({90, 90}, window, false), window);
}
