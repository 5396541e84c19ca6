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
        QColor colour;
    };
    const Case cases[] = {
        {Style::Brackets, "", "", true, "[X]", Skin::Navy},
        {Style::Brackets, "", "", false, "[ ]", Skin::Grey},
        {Style::Brackets, "sim", "não", true, "[X]", Skin::Navy},
        {Style::Actions, "desativar", "ativar", true, "desativar", Skin::Navy},
        {Style::Actions, "desativar", "ativar", false, "ativar", Skin::Grey},
        {Style::Fixed, "Som", "", true, "Som", Skin::Navy},
        {Style::Fixed, "Som", "", false, "Som", Skin::Grey},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        ToggleLabel label(nullptr, c.style, u8(c.onCaption), u8(c.offCaption), c.on);
        EXPECT_EQ(label.isOn(), c.on);
        EXPECT_EQ(label.text(), u8(c.text));
        EXPECT_EQ(textColour(label), c.colour);

        // the other state, set by the window, and back
        label.setOn(!c.on);
        EXPECT_EQ(textColour(label), c.on ? Skin::Grey : Skin::Navy);
        label.setOn(c.on);
        EXPECT_EQ(label.text(), u8(c.text));
        EXPECT_EQ(textColour(label), c.colour);
    }
}

TEST(ToggleLabel, ALeftClickFlipsAndSignals)
{
    QWidget host;
    ToggleLabel label(&host, Style::Actions, QStringLiteral("desativar"), QStringLiteral("ativar"));
    label.setGeometry(10, 10, 80, 16);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QSignalSpy toggled(&label, &ToggleLabel::toggled);

    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_EQ(toggled.at(0).at(0).toBool(), true);
    EXPECT_TRUE(label.isOn());
    EXPECT_EQ(label.text(), QStringLiteral("desativar"));
    EXPECT_EQ(textColour(label), Skin::Navy);

    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(toggled.count(), 2);
    EXPECT_EQ(toggled.at(1).at(0).toBool(), false);
    EXPECT_EQ(label.text(), QStringLiteral("ativar"));
    EXPECT_EQ(textColour(label), Skin::Grey);
}

TEST(ToggleLabel, OtherButtonsReleasesOutsideAndSetOnDoNotSignal)
{
    QWidget host;
    ToggleLabel label(&host);
    label.setGeometry(10, 10, 40, 16);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QSignalSpy toggled(&label, &ToggleLabel::toggled);

    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mousePress(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, 8));
    EXPECT_FALSE(label.isOn());
    label.setOn(true);
    EXPECT_TRUE(label.isOn());
    EXPECT_EQ(label.text(), QStringLiteral("[X]"));
    EXPECT_EQ(toggled.count(), 0);
}
