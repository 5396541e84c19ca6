// The controls' places and looks as the design gives them, measured on the
// real windows.
#include "windows.h"

#include "clicklabel.h"
#include "loginpage.h"
#include "looks.h"
#include "parameterspage.h"
#include "skin.h"
#include "soundspage.h"
#include "tform4.h"

using namespace nimbra;

TEST_F(WindowTest, ControlsSitWhereTheTablesPutThem)
{
    const struct {
        const char *what;
        QWidget *control;
        QPoint place;
        int width;
    } cases[] = {
        {"tools BtFch", tools().closeButton(), {390, 6}, 20},
        {"preview BtFch", main().form4->closeButton(), {890, 6}, 20},
        {"Edit17", tools().parameters()->Edit17, {50, 45}, 351},
        {"Edit18", tools().parameters()->Edit18, {100, 75}, 91},
        {"som de água", tools().sounds()->lbCat[0], {17, 35}, -1},
        {"beeps", tools().sounds()->lbCat[1], {152, 35}, -1},
        {"bichos", tools().sounds()->lbCat[2], {227, 35}, -1},
        {"armas", tools().sounds()->lbCat[3], {307, 35}, -1},
        {"ambiente", tools().sounds()->lbCat[4], {17, 65}, -1},
        {"portas", tools().sounds()->lbCat[5], {117, 65}, -1},
        {"monstros", tools().sounds()->lbCat[6], {192, 65}, -1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.control->pos(), c.place) << c.what;
        if (c.width > 0) {
            EXPECT_EQ(c.control->width(), c.width) << c.what;
        }
    }
    for (ImageButton *close : {tools().closeButton(), main().form4->closeButton()}) {
        EXPECT_EQ(close->size(), QSize(20, 14));
        EXPECT_TRUE(sameLook(close->pixmap(), Skin::btUp3()));
    }

    QLineEdit *password = tools().login()->XSen;
    password->setText(u8("segredo"));
    EXPECT_EQ(password->displayText(), u8("*******"));
}

TEST_F(WindowTest, ThePreviewWindowDragsByItsInstructionsAndShowsTheirColour)
{
    TForm4 *preview = main().form4;
    click(main().menuButton(u8("btWeb")));
    ASSERT_TRUE(preview->lbIns->isVisible());
    click(preview->btIns);
    EXPECT_EQ(preview->background(), QColor(0xCE, 0xD6, 0xD6));
    const QImage shown = preview->grab().toImage();
    EXPECT_EQ(shown.pixelColor(2, preview->height() - 3), QColor(0xCE, 0xD6, 0xD6)) << "the colour is not seen";

    const QPoint before = preview->pos();
    QTest::mousePress(preview->lbIns, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(preview->lbIns, QPoint(45, 5));
    QTest::mouseRelease(preview->lbIns, Qt::LeftButton, {}, QPoint(45, 5));
    EXPECT_EQ(preview->pos().x(), before.x() + 40);

    click(main().menuButton(u8("Image22")));
    EXPECT_EQ(preview->background(), QColor(0xE1, 0xE1, 0xE1));
}
