#include "hotspot.h"
#include "previewtestutil.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace nimbra;

TEST(Hotspot, ThreeDigitsKeepsTheLastThreeCharacters)
{
    struct Case {
        int value;
        const char *expected;
    };
    const Case cases[] = {
        {0, "000"}, {5, "005"}, {60, "060"}, {358, "358"}, {852, "852"}, {999, "999"}, {1000, "000"}, {1234, "234"},
        {-5, "0-5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(threeDigits(c.value), u8(c.expected));
    }
}

TEST(Hotspot, TextsAreTheRectangleInThreeDigits)
{
    EXPECT_EQ(hotspotTexts(QRect(787, 293, 65, 65)), (HotspotTexts{u8("787"), u8("293"), u8("065"), u8("065")}));
    EXPECT_EQ(hotspotTexts(QRect(0, 5, 8, 852)), (HotspotTexts{u8("000"), u8("005"), u8("008"), u8("852")}));
}

TEST(Hotspot, HandleSitsInsideTheBottomRightCorner)
{
    EXPECT_EQ(handlePlace(QRect(100, 50, 65, 40)), QPoint(157, 82));
    EXPECT_EQ(handlePlace(QRect(0, 0, 8, 8)), QPoint(0, 0));
    EXPECT_EQ(handlePlace(QRect(0, 0, 852, 358)), QPoint(844, 350));
}

TEST(Hotspot, MoveStopsAtTheScreenEdges)
{
    struct Case {
        const char *what;
        QRect from;
        QPoint delta;
        QRect expected;
    };
    const Case cases[] = {
        {"inside", {100, 100, 65, 65}, {30, -20}, {130, 80, 65, 65}},
        {"no change", {100, 100, 65, 65}, {0, 0}, {100, 100, 65, 65}},
        {"past the left edge", {100, 100, 65, 65}, {-101, 0}, {0, 100, 65, 65}},
        {"past the top edge", {100, 100, 65, 65}, {0, -500}, {100, 0, 65, 65}},
        {"past the top-left corner", {10, 10, 65, 65}, {-30, -30}, {0, 0, 65, 65}},
        {"past the right edge", {100, 100, 65, 65}, {900, 0}, {787, 100, 65, 65}},
        {"past the bottom edge", {100, 100, 65, 65}, {0, 300}, {100, 293, 65, 65}},
        {"past the bottom-right corner", {700, 200, 65, 65}, {500, 500}, {787, 293, 65, 65}},
        {"exactly at the far edges", {0, 0, 65, 65}, {787, 293}, {787, 293, 65, 65}},
        {"whole screen stays put", {0, 0, 852, 358}, {40, -40}, {0, 0, 852, 358}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(movedHotspot(c.from, c.delta), c.expected);
    }
}

TEST(Hotspot, ResizeKeepsTheHandleOnTheHotspotAndTheScreen)
{
    struct Case {
        const char *what;
        QPoint handle;
        QRect expected; // the hotspot starts at (100, 100) 65 x 65
    };
    const Case cases[] = {
        {"bigger", {200, 180}, {100, 100, 108, 88}},
        {"smaller", {120, 110}, {100, 100, 28, 18}},
        {"handle on the top-left corner", {100, 100}, {100, 100, 8, 8}},
        {"above and left of the corner", {20, 30}, {100, 100, 8, 8}},
        {"only above", {150, -40}, {100, 100, 58, 8}},
        {"past the right edge", {2000, 150}, {100, 100, 752, 58}},
        {"past the bottom edge", {150, 1000}, {100, 100, 58, 258}},
        {"past the bottom-right corner", {900, 400}, {100, 100, 752, 258}},
        {"on the last place", {844, 350}, {100, 100, 752, 258}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect resized = resizedHotspot(QRect(100, 100, 65, 65), c.handle);
        EXPECT_EQ(resized, c.expected);
        const QPoint handle = handlePlace(resized);
        EXPECT_TRUE(resized.contains(QRect(handle, QSize(kHandleSize, kHandleSize))));
    }
}

TEST(Hotspot, TypedTextsGiveAHotspotOnTheScreen)
{
    struct Case {
        const char *what;
        const char *x, *y, *width, *height;
        QRect expected;
    };
    const Case cases[] = {
        {"three digits", "010", "020", "100", "050", {10, 20, 100, 50}},
        {"plain numbers", "5", "6", "70", "80", {5, 6, 70, 80}},
        {"blanks around", " 10", "20 ", "\t30", "40\t", {10, 20, 30, 40}},
        {"a plus sign", "+10", "+0", "+30", "+40", {10, 0, 30, 40}},
        {"bottom-right 65 x 65", "787", "293", "065", "065", {787, 293, 65, 65}},
        {"negative position", "-50", "-1", "100", "100", {0, 0, 100, 100}},
        {"past the right and bottom", "800", "300", "100", "100", {752, 258, 100, 100}},
        {"smaller than the handle", "10", "10", "3", "0", {10, 10, 8, 8}},
        {"negative size", "10", "10", "-40", "-1", {10, 10, 8, 8}},
        {"larger than the screen", "10", "10", "900", "400", {0, 0, 852, 358}},
        {"huge numbers", "99999999999999999999", "99999999999999999999", "99999999999999999999",
         "99999999999999999999", {0, 0, 852, 358}},
        {"huge position", "2147483648", "2147483647", "20", "20", {832, 338, 20, 20}},
        {"huge negative", "-99999999999999999999", "-2147483649", "-99999999999999999999", "20", {0, 0, 8, 20}},
        {"four digits", "1000", "0999", "0020", "0020", {832, 338, 20, 20}},
        {"the smallest at the far corner", "844", "350", "8", "8", {844, 350, 8, 8}},
        {"the whole screen", "0", "0", "852", "358", {0, 0, 852, 358}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<QRect> placed = hotspotFromTexts(u8(c.x), u8(c.y), u8(c.width), u8(c.height));
        ASSERT_TRUE(placed.has_value());
        EXPECT_EQ(*placed, c.expected);
    }
}

TEST(Hotspot, TextsThatAreNotWholeNumbersGiveNoHotspot)
{
    const char *const bad[] = {"", " ", "abc", "12a", "a12", "1.5", "1,5", "-", "+", "--5", "+-5", "0x10", "1e3",
                               "1 2", "٣", "１２", "½", "5\n6"};
    for (const char *text : bad) {
        SCOPED_TRACE(text);
        const QString t = u8(text);
        const QString good = u8("10");
        EXPECT_FALSE(hotspotFromTexts(t, good, good, good).has_value());
        EXPECT_FALSE(hotspotFromTexts(good, t, good, good).has_value());
        EXPECT_FALSE(hotspotFromTexts(good, good, t, good).has_value());
        EXPECT_FALSE(hotspotFromTexts(good, good, good, t).has_value());
    }
}

// Whatever was typed, no move or resize afterwards leaves the screen, so
// every text written back is three digits of a value on the screen.
TEST(Hotspot, NoDragGivesNegativeOrFourDigitValues)
{
    const char *const typed[][4] = {
        {"0", "0", "8", "8"},     {"-9999", "-9999", "-9999", "-9999"}, {"9999", "9999", "9999", "9999"},
        {"844", "350", "8", "8"}, {"0", "0", "852", "358"},             {"400", "100", "65", "65"},
    };
    const QPoint steps[] = {{-5000, -5000}, {5000, 5000}, {-1, 1}, {853, -359}, {0, 0}, {12, 7}, {-900, 400}};
    const QRegularExpression threeDigitText(QStringLiteral("^[0-9]{3}$"));
    for (const auto &t : typed) {
        SCOPED_TRACE(t[0]);
        QRect hotspot = *hotspotFromTexts(u8(t[0]), u8(t[1]), u8(t[2]), u8(t[3]));
        for (const QPoint step : steps) {
            hotspot = movedHotspot(hotspot, step);
            hotspot = resizedHotspot(hotspot, handlePlace(hotspot) + step);
            EXPECT_TRUE(QRect(0, 0, kScreenWidth, kScreenHeight).contains(hotspot));
            EXPECT_GE(hotspot.width(), kHandleSize);
            EXPECT_GE(hotspot.height(), kHandleSize);
            const HotspotTexts texts = hotspotTexts(hotspot);
            for (const QString &text : {texts.Left, texts.Top, texts.Width, texts.Height})
                EXPECT_TRUE(threeDigitText.match(text).hasMatch()) << text.toStdString();
        }
    }
}
