#include "windows.h"

#include "tform3.h"
#include "tform4.h"
#include "tform5.h"

#include <QGuiApplication>
#include <QScreen>

using namespace nimbra;

TEST_F(WindowTest, WindowsStartInTheirPlaces)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(main().geometry(), QRect(0, 0, screen.width(), screen.height() - 30));
    EXPECT_EQ(tools().pos(), QPoint(10, 51));
    EXPECT_EQ(tools().width(), 420);
    EXPECT_EQ(tools().height(), screen.height() - 82);
    EXPECT_TRUE(tools().isVisible()) << "the tools window shows itself on its login page";
    EXPECT_EQ(tools().page(), TForm2::Login);
    EXPECT_EQ(main().form3->geometry(), QRect(263, 116, 940, 480));
    EXPECT_EQ(main().form4->geometry(), QRect(200, 51, 930, 475));
    EXPECT_EQ(main().form5->geometry(), QRect(screen.width() - 160, 60, 150, 150));
    for (QWidget *w : std::initializer_list<QWidget *>{&tools(), main().form3, main().form4, main().form5})
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint) << w->objectName().toStdString();
    EXPECT_FALSE(main().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(main().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main().lbVrs->text(), u8("0.1m"));
    EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00));
}

TEST_F(WindowTest, RunViewIsShapedByItsFrame)
{
    const QImage frame = TForm3::framePicture();
    const QRegion shape = main().form3->mask();
    EXPECT_FALSE(shape.contains(QPoint(935, 5))) << "right of the tab is outside";
    EXPECT_TRUE(shape.contains(QPoint(5, 5))) << "the tab";
    EXPECT_TRUE(shape.contains(QPoint(470, 250))) << "the body";
    EXPECT_EQ(frame.pixelColor(935, 5), QColor(0xFF, 0x00, 0xFF));
}

TEST_F(WindowTest, BackgroundToggleCollapsesAndRestores)
{
    const int full = main().height();
    main().toggleBackground();
    EXPECT_EQ(main().height(), 54);
    main().toggleBackground();
    EXPECT_EQ(main().height(), full);
}

TEST_F(WindowTest, WebPagesMenuOpensTheSitePages)
{
    click(main().menuButton(QStringLiteral("btWeb")));
    EXPECT_TRUE(main().form4->isVisible());
    EXPECT_EQ(main().form4->Pan1->currentIndex(), TForm4::BrowserTab);
    EXPECT_EQ(main().work.session.BrowserUrl, main().work.session.SiteUrl + u8("nimbra/index.htm"));
    EXPECT_TRUE(main().form4->btIns->isVisible());
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("Páginas oficiais do Tarvo Velorin"));

    tools().hide();
    click(main().menuButton(QStringLiteral("Image22")));
    EXPECT_TRUE(tools().isVisible());
}
