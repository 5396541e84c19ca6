#include "looks.h"
#include "skin.h"
#include "togglelabel.h"
#include "testutil.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace nimbra;
using Style = ToggleLabel::Style;

TEST(ToggleLabel, CaptionAndColourShowTheState)
{
    struct Case {
        Style style;
        const char *onCaption, *offCaption;
        bool on;
        const char *text;
    };
    const Case cases[] = {
        {Style::Brackets, "sim", "não", true, "[X]"},           {Style::Brackets, "", "", false, "[ ]"},
        {Style::Actions, "desativar", "ativar", true, "desativar"}, {Style::Actions, "desativar", "ativar", false, "ativar"},
        {Style::Fixed, "Som", "", true, "Som"},                 {Style::Fixed, "Som", "", false, "Som"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        ToggleLabel label(nullptr, c.style, u8(c.onCaption), u8(c.offCaption), c.on);
        EXPECT_EQ(label.text(), u8(c.text));
        EXPECT_EQ(textColour(label), c.on ? Skin::Navy : Skin::Grey);
    }
}

TEST(ToggleLabel, OnlyALeftReleaseInsideFlipsAndSignals)
{
    QWidget host;
    ToggleLabel label(&host, Style::Actions, QStringLiteral("desativar"), QStringLiteral("ativar"));
    label.setGeometry(10, 10, 80, 16);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QSignalSpy toggled(&label, &ToggleLabel::toggled);
    struct Case {
        const char *what;
        Qt::MouseButton button;
        QPoint releaseAt;
        bool flips;
    };
    const Case cases[] = {
        {"left", Qt::LeftButton, {40, 8}, true},
        {"right", Qt::RightButton, {40, 8}, false},
        {"left, released outside", Qt::LeftButton, {90, 8}, false},
        {"left again", Qt::LeftButton, {40, 8}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const bool on = label.isOn() != c.flips;
        QTest::mousePress(&label, c.button, {}, {40, 8});
        QTest::mouseRelease(&label, c.button, {}, c.releaseAt);
        EXPECT_EQ(label.isOn(), on);
        EXPECT_EQ(label.text(), on ? u8("desativar") : u8("ativar"));
        EXPECT_EQ(textColour(label), on ? Skin::Navy : Skin::Grey);
        ASSERT_EQ(toggled.count(), c.flips ? 1 : 0);
        EXPECT_TRUE(toggled.isEmpty() || toggled.takeFirst().at(0).toBool() == on);
    }
    // the window's own updates do not signal
    label.setOn(true);
    EXPECT_EQ(toggled.count(), 0);
}
