#include "skin.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(Skin, EveryPictureLoadsFromTheLibraryWithItsSize)
{
    struct Case {
        const char *name;
        QPixmap (*picture)();
        QSize size;
    };
    const Case cases[] = {
        {"btUp", &Skin::btUp, {20, 14}},       {"btDw", &Skin::btDw, {20, 14}},
        {"btUp3", &Skin::btUp3, {20, 14}},     {"btDw3", &Skin::btDw3, {20, 14}},
        {"tic1", &Skin::tic1, {14, 14}},       {"tic2", &Skin::tic2, {14, 14}},
        {"titleBar", &Skin::titleBar, {418, 24}}, {"topo1", &Skin::topo1, {150, 54}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QPixmap picture = c.picture();
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), c.size);
    }
    EXPECT_EQ(Skin::topo2().height(), 54);
}

TEST(Skin, PressedLooksDifferFromReleasedOnes)
{
    EXPECT_NE(Skin::btUp().toImage(), Skin::btDw().toImage());
    EXPECT_NE(Skin::btUp3().toImage(), Skin::btDw3().toImage());
    EXPECT_NE(Skin::tic1().toImage(), Skin::tic2().toImage());
}
