#include "looks.h"
#include "skin.h"
#include "statuslabel.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(StatusLabel, StartsAsAMaroonBoldItalicUnderlinedStatus)
{
    struct Case {
        int pixelSize;
        bool wordWrap;
    };
    const Case cases[] = {{13, false}, {11, true}, {16, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pixelSize);
        StatusLabel label(nullptr, c.pixelSize, c.wordWrap);
        EXPECT_EQ(label.text(), QStringLiteral("Status..."));
        EXPECT_EQ(textColour(label), Skin::Maroon);
        EXPECT_TRUE(label.font().bold());
        EXPECT_TRUE(label.font().italic());
        EXPECT_TRUE(label.font().underline());
        EXPECT_EQ(label.font().pixelSize(), c.pixelSize);
        EXPECT_EQ(label.wordWrap(), c.wordWrap);
    }
    StatusLabel plain(nullptr);
    EXPECT_EQ(plain.font().pixelSize(), 13);
    EXPECT_FALSE(plain.wordWrap());
}

TEST(StatusLabel, KeepsItsLookWhenTheTextChanges)
{
    StatusLabel label(nullptr);
    label.setText(QStringLiteral("Aventura salva."));
    EXPECT_EQ(textColour(label), Skin::Maroon);
    EXPECT_TRUE(label.font().underline());
}
