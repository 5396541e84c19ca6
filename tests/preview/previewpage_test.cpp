#include "previewtestutil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace nimbra;

namespace {

QImage pictureOf(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // A mark at the bottom-right shows whether the picture was cut or scaled.
    QPainter(&image).fillRect(QRect(size.width() - 4, size.height() - 4, 4, 4), Qt::yellow);
    return image;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class PreviewFiles : public ShownPreviewPage {
protected:
    void SetUp() override
    {
        ShownPreviewPage::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("adv")));
        // beside the adventure's folder: a name with a path must not reach it
        ASSERT_TRUE(pictureOf({58, 58}, Qt::red).save(m_dir.filePath(QStringLiteral("outside.png"))));
        ASSERT_TRUE(pictureOf({58, 58}, Qt::red).save(path("red.png")));
        ASSERT_TRUE(pictureOf({58, 58}, Qt::green).save(path("green.png")));
        ASSERT_TRUE(pictureOf({100, 80}, Qt::blue).save(path("large.png")));
        ASSERT_TRUE(pictureOf({30, 20}, Qt::cyan).save(path("small.png")));
        ASSERT_TRUE(writeBytes(path("corrupt.png"), QByteArrayLiteral("\x89PNG\r\n\x1a\n not really")));
        ASSERT_TRUE(writeBytes(path("notes.txt"), QByteArrayLiteral("some text")));
        ASSERT_TRUE(QDir(advFolder()).mkdir(QStringLiteral("folder.png")));
    }

    QString advFolder() const { return m_dir.path() + QStringLiteral("/adv/"); }
    QString path(const char *name) const { return advFolder() + u8(name); }
    QPixmap file(const char *name) const { return QPixmap::fromImage(QImage(path(name))); }

    QTemporaryDir m_dir;
};

PageModel pageWithIcons(const char *image, const char *mark)
{
    PageModel page;
    for (IconSlot &slot : page.IconSlots) {
        slot.Image = u8(image);
        slot.Mark = u8(mark);
    }
    page.ObjBarMark = u8(mark);
    return page;
}

} // namespace

// The page starts on the empty screen. A hotspot shown is kept on the
// screen with its handle in place, and showing it is not reported.
TEST_F(ShownPreviewPage, StartsOnTheEmptyScreenAndShowsAHotspotOnTheScreen)
{
    EXPECT_EQ(page.Abook3->currentIndex(), PreviewPage::ScreenContent);
    for (const QLabel *control : page.findChildren<QLabel *>())
        EXPECT_TRUE(control->pixmap().isNull()) << control->objectName().toStdString();
    EXPECT_FALSE(page.hotspotVisible());
    EXPECT_TRUE(page.Shp2->isHidden());

    QSignalSpy changed(&page, &PreviewPage::hotspotChanged);
    page.showHotspot(QRect(900, 400, 10, 10));
    EXPECT_EQ(page.hotspot(), QRect(842, 348, 10, 10));
    EXPECT_EQ(page.Shp2->pos(), QPoint(844, 350));
    EXPECT_TRUE(page.hotspotVisible());
    EXPECT_TRUE(page.Shp2->isVisible());
    page.hideHotspot();
    EXPECT_FALSE(page.Shp1->isVisible());
    EXPECT_FALSE(page.Shp2->isVisible());
    EXPECT_EQ(changed.count(), 0);
}

TEST(PreviewPictures, StockPicturesAreCrossedBoxesTellingTheStatesApart)
{
    for (const QPixmap &picture :
         {PreviewPage::tela0(), PreviewPage::Icc0(), PreviewPage::Icc1(), PreviewPage::Obj0(), PreviewPage::Obj1()}) {
        const QImage image = picture.toImage();
        const int right = image.width() - 1, bottom = image.height() - 1;
        const QColor fill = image.pixelColor(right / 2, 3);
        // the frame and both diagonals are drawn over the fill
        for (const QPoint on : {QPoint(0, bottom / 2), QPoint(0, 0), QPoint(right, bottom), QPoint(right, 0)})
            EXPECT_NE(image.pixelColor(on), fill) << image.width();
    }
    EXPECT_FALSE(sameLook(PreviewPage::Icc0(), PreviewPage::Icc1()));
    EXPECT_FALSE(sameLook(PreviewPage::Obj0(), PreviewPage::Obj1()));
}

TEST_F(ShownPreviewPage, KindChoosesTextOrScreen)
{
    struct Case {
        const char *kind;
        int from;
        int expected;
    };
    const Case cases[] = {
        {"txt", 1, 0}, {"img", 0, 1}, {"txt", 0, 0}, {"img", 1, 1}, {"", 0, 0},
        {"", 1, 1},    {"TXT", 1, 1}, {"im", 0, 0},  {"imgx", 0, 0}, {" txt", 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        page.Abook3->setCurrentIndex(c.from);
        page.showKind(u8(c.kind));
        EXPECT_EQ(page.Abook3->currentIndex(), c.expected);
    }
}

// Every case starts from another picture, so one kept is told from one shown
// anew; the objects bar follows the mark alone.
TEST_F(PreviewFiles, ScreenAndIconsShowTheirFileOrAStockPicture)
{
    enum Shows { File, Missing, Kept, Off };
    struct Case {
        const char *what, *image, *mark;
        Shows shows;
    };
    const Case cases[] = {
        {"a picture file", "red.png", "", File},
        {"no such file", "missing.png", "", Missing},
        {"not really a picture", "corrupt.png", "", Missing},
        {"no name", "", "", Missing},
        {"a folder of that name", "folder.png", "", Missing},
        {"a name with a path", "../outside.png", "", Missing},
        {"the name in capitals", "RED.PNG", "", Missing},
        {"a kind of file not read", "notes.txt", "", Kept},
        {"switched off", "red.png", "//", Off},
        {"switched off, no such file", "missing.png", "//", Off},
        {"switched off by any mark", "red.png", "x", Off},
    };
    const QPixmap before = file("green.png");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (QLabel *control : page.findChildren<QLabel *>())
            control->setPixmap(before);
        page.DrawPreviewIcons(pageWithIcons(c.image, c.mark), advFolder());
        const QPixmap icon[] = {file(c.image), PreviewPage::Icc1(), before, PreviewPage::Icc0()};
        for (int slot = 1; slot <= kIconCount; ++slot)
            EXPECT_TRUE(sameLook(page.icon(slot)->pixmap(), icon[c.shows])) << slot;
        EXPECT_TRUE(sameLook(page.Objs->pixmap(), c.shows == Off ? PreviewPage::Obj0() : PreviewPage::Obj1()));
        if (c.shows == Off)
            continue; // the screen has no switch
        page.showScreenImage(advFolder(), u8(c.image));
        const QPixmap screen[] = {file(c.image), PreviewPage::tela0(), before};
        EXPECT_TRUE(sameLook(page.Tela->pixmap(), screen[c.shows]));
    }
}

// Each slot shows its own icon. Icon pictures sit at their own size in the
// top-left corner, cut at the control's edges; the screen picture is
// stretched over the screen.
TEST_F(PreviewFiles, EachSlotShowsItsIconCutAndTheScreenPictureStretched)
{
    PageModel model = pageWithIcons("green.png", "");
    model.IconSlots[0].Image = u8("large.png");
    model.IconSlots[1].Image = u8("small.png");
    model.IconSlots[6].Mark = kSwitchedOff;
    model.IconSlots[8].Image = u8("gone.png");
    page.DrawPreviewIcons(model, advFolder());
    for (int slot = 1; slot <= kIconCount; ++slot) {
        const QPixmap expected = slot == 1   ? file("large.png")
                                 : slot == 2 ? file("small.png")
                                 : slot == 7 ? PreviewPage::Icc0()
                                 : slot == 9 ? PreviewPage::Icc1()
                                             : file("green.png");
        EXPECT_TRUE(sameLook(page.icon(slot)->pixmap(), expected)) << slot;
    }
    page.showScreenImage(advFolder(), u8("small.png"));
    const QImage large = page.Mnu1->grab().toImage();
    const QImage small = page.Mnu2->grab().toImage();
    const QImage screen = page.Tela->grab().toImage();
    EXPECT_EQ(large.pixelColor(57, 57), QColor(Qt::blue)) << "the corner mark is cut off";
    EXPECT_EQ(small.pixelColor(0, 0), QColor(Qt::cyan));
    EXPECT_EQ(small.pixelColor(27, 17), QColor(Qt::yellow));
    EXPECT_NE(small.pixelColor(40, 40), QColor(Qt::cyan));
    EXPECT_NE(small.pixelColor(40, 40), QColor(Qt::yellow));
    EXPECT_EQ(screen.pixelColor(10, 10), QColor(Qt::cyan));
    EXPECT_EQ(screen.pixelColor(840, 345), QColor(Qt::yellow));
}

// What the mouse reaches: an icon names its slot, the objects bar, the screen
// and the text report themselves, the hotspot and the gaps between controls
// report nothing. Icons and the bar take only a left click; the screen and
// the text any press.
TEST_F(ShownPreviewPage, ClicksReachTheControlUnderTheMouse)
{
    QSignalSpy icons(&page, &PreviewPage::iconClicked);
    QSignalSpy bar(&page, &PreviewPage::objectsBarClicked);
    QSignalSpy screen(&page, &PreviewPage::screenPressed);
    QSignalSpy text(&page, &PreviewPage::textPressed);
    constexpr int Nothing = 0, Bar = -1, Screen = -2, Text = -3;
    struct Case {
        QPoint at;
        int reaches;
        Qt::MouseButton button = Qt::LeftButton;
        const char *kind = "img";
    };
    const Case cases[] = {
        {{891, 29}, 1},  {{891, 89}, 2},  {{891, 149}, 3}, {{891, 209}, 4},   {{891, 269}, 5},
        {{891, 329}, 6}, {{29, 411}, 7},  {{818, 411}, 8}, {{891, 411}, 9},   {{424, 411}, Bar},
        {{300, 300}, Screen},             {{10, 10}, Screen, Qt::RightButton},
        {{891, 29}, Nothing, Qt::RightButton},             {{424, 411}, Nothing, Qt::MiddleButton},
        {{120, 120}, Nothing}, {{161, 161}, Nothing}, // the hotspot and its handle
        {{856, 20}, Nothing},  {{880, 59}, Nothing},  {{400, 365}, Nothing}, {{66, 400}, Nothing}, {{780, 400}, Nothing},
        {{400, 200}, Text, Qt::LeftButton, "txt"},      {{10, 10}, Text, Qt::RightButton, "txt"},
    };
    page.showHotspot({100, 100, 65, 65});
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.at) + " " + testing::PrintToString(int(c.button)));
        page.showKind(u8(c.kind));
        click(c.at, c.button);
        ASSERT_EQ(icons.count() + bar.count() + screen.count() + text.count(), c.reaches == Nothing ? 0 : 1);
        const int reached = !icons.isEmpty() ? icons.takeFirst().at(0).toInt()
                            : !bar.isEmpty() ? Bar
                            : !screen.isEmpty() ? Screen
                            : !text.isEmpty() ? Text
                                              : Nothing;
        EXPECT_EQ(reached, c.reaches);
        bar.clear();
        screen.clear();
        text.clear();
    }
    // the text stays editable
    QTest::keyClicks(page.Memo2, u8("x"));
    EXPECT_EQ(page.Memo2->toPlainText(), u8("x"));
}

TEST_F(ShownPreviewPage, OnlyAWholeLeftClickCounts)
{
    QSignalSpy icons(&page, &PreviewPage::iconClicked);
    QSignalSpy bar(&page, &PreviewPage::objectsBarClicked);
    const QPoint onMnu1(880, 20);
    // pressed on the icon, let go outside it
    press(onMnu1);
    moveTo({700, 20});
    release({700, 20});
    EXPECT_EQ(icons.count(), 0);
    click(onMnu1);
    EXPECT_EQ(icons.count(), 1);
    // a double click is one click, so the bar is switched only once
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(300, 400));
    EXPECT_EQ(bar.count(), 1);
}
