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
        ASSERT_TRUE(pictureOf({852, 358}, Qt::magenta).save(path("screen.png")));
        ASSERT_TRUE(writeBytes(path("corrupt.png"), QByteArrayLiteral("\x89PNG\r\n\x1a\n not really")));
        ASSERT_TRUE(writeBytes(path("notes.txt"), QByteArrayLiteral("some text")));
        ASSERT_TRUE(QDir(advFolder()).mkdir(QStringLiteral("folder.png")));
    }

    QString advFolder() const { return m_dir.path() + QStringLiteral("/adv/"); }
    QString path(const char *name) const { return advFolder() + u8(name); }
    static QPixmap file(const QString &path) { return QPixmap::fromImage(QImage(path)); }

    QTemporaryDir m_dir;
};

PageModel pageWithIcons(const char *image, const char *mark)
{
    PageModel page;
    for (IconSlot &slot : page.IconSlots) {
        slot.Image = u8(image);
        slot.Mark = u8(mark);
    }
    return page;
}

} // namespace

TEST_F(ShownPreviewPage, ControlsSitWhereThePageTemplatePutsThem)
{
    struct Case {
        const QWidget *control;
        const char *name;
        QRect place; // in the page
    };
    const Case cases[] = {
        {page.Abook3, "Abook3", {0, 0, 852, 358}},   {page.Mnu1, "Mnu1", {862, 0, 58, 58}},
        {page.Mnu2, "Mnu2", {862, 60, 58, 58}},      {page.Mnu3, "Mnu3", {862, 120, 58, 58}},
        {page.Mnu4, "Mnu4", {862, 180, 58, 58}},     {page.Mnu5, "Mnu5", {862, 240, 58, 58}},
        {page.Mnu6, "Mnu6", {862, 300, 58, 58}},     {page.Shape2, "Shape2", {0, 369, 920, 2}},
        {page.Mesq, "Mesq", {0, 382, 58, 58}},       {page.Objs, "Objs", {76, 382, 696, 58}},
        {page.Mtop, "Mtop", {789, 382, 58, 58}},     {page.Mdir, "Mdir", {862, 382, 58, 58}},
        {page.Memo2, "Memo2", {0, 0, 852, 358}},     {page.Tela, "Tela", {0, 0, 852, 358}},
    };
    EXPECT_EQ(page.size(), QSize(920, 440));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.control->objectName(), u8(c.name));
        EXPECT_EQ(QRect(c.control->mapTo(&page, QPoint(0, 0)), c.control->size()), c.place);
    }
    const QLabel *const inOrder[kIconCount] = {page.Mnu1, page.Mnu2, page.Mnu3, page.Mnu4, page.Mnu5,
                                             page.Mnu6, page.Mesq, page.Mtop, page.Mdir};
    for (int slot = 1; slot <= kIconCount; ++slot)
        EXPECT_EQ(page.icon(slot), inOrder[slot - 1]) << slot;
}

TEST_F(ShownPreviewPage, StartsOnTheEmptyScreenWithoutHotspotOrPictures)
{
    EXPECT_EQ(page.Abook3->currentIndex(), PreviewPage::ScreenContent);
    EXPECT_EQ(page.Abook3->widget(0)->objectName(), u8("Default"));
    EXPECT_EQ(page.Abook3->widget(1)->objectName(), u8("Terla"));
    EXPECT_EQ(page.Memo2->parentWidget(), page.Abook3->widget(0));
    for (const QWidget *w : {static_cast<QWidget *>(page.Tela), static_cast<QWidget *>(page.Shp1),
                             static_cast<QWidget *>(page.Shp2)})
        EXPECT_EQ(w->parentWidget(), page.Abook3->widget(1)) << w->objectName().toStdString();
    EXPECT_TRUE(page.Tela->pixmap().isNull());
    EXPECT_TRUE(page.Tela->hasScaledContents());
    EXPECT_FALSE(page.hotspotVisible());
    EXPECT_TRUE(page.Shp1->isHidden());
    EXPECT_TRUE(page.Shp2->isHidden());
    for (int slot = 1; slot <= kIconCount; ++slot)
        EXPECT_TRUE(page.icon(slot)->pixmap().isNull()) << slot;
    EXPECT_TRUE(page.Objs->pixmap().isNull());
}

TEST_F(ShownPreviewPage, TextEditorLooksLikeThePageText)
{
    const QPlainTextEdit &memo = *page.Memo2;
    EXPECT_EQ(memo.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(memo.palette().color(QPalette::Base), QColor(0xE1, 0xE1, 0xE1));
    EXPECT_EQ(memo.font().family(), u8("Courier New"));
    EXPECT_EQ(memo.font().pixelSize(), 16);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(memo.isReadOnly());
}

TEST_F(ShownPreviewPage, HandleAndRectangleHaveTheirColours)
{
    EXPECT_EQ(page.Shp1->pen().style(), Qt::DotLine);
    EXPECT_EQ(page.Shp1->brush().style(), Qt::NoBrush);
    EXPECT_EQ(page.Shp2->size(), QSize(8, 8));
    EXPECT_EQ(page.Shp2->brush().color(), QColor(0xFF, 0x80, 0x40));
    EXPECT_EQ(page.Shp2->pen().color(), QColor(0x00, 0x80, 0xC0));
}

TEST(PreviewPictures, StockPicturesHaveTheirSizesAndLooks)
{
    struct Case {
        const char *name;
        QPixmap picture;
        QSize size;
        QColor inside; // the fill, away from the frame and the cross
    };
    const Case cases[] = {
        {"tela0", PreviewPage::tela0(), {852, 358}, QColor(0xF4, 0xF4, 0xF4)},
        {"Icc0", PreviewPage::Icc0(), {58, 58}, QColor(0xC0, 0xC0, 0xC0)},
        {"Icc1", PreviewPage::Icc1(), {58, 58}, Qt::black},
        {"Obj0", PreviewPage::Obj0(), {696, 58}, QColor(0xC0, 0xC0, 0xC0)},
        {"Obj1", PreviewPage::Obj1(), {696, 58}, QColor(0x40, 0x40, 0x40)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = c.picture.toImage();
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixelColor(c.size.width() / 2, 3), c.inside);
        // the frame and both diagonals are drawn over the fill
        EXPECT_NE(image.pixelColor(0, c.size.height() / 2), c.inside);
        EXPECT_NE(image.pixelColor(0, 0), c.inside);
        EXPECT_NE(image.pixelColor(c.size.width() - 1, c.size.height() - 1), c.inside);
        EXPECT_NE(image.pixelColor(c.size.width() - 1, 0), c.inside);
    }
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

TEST_F(PreviewFiles, ScreenShowsItsPictureOrTheBlankScreen)
{
    struct Case {
        const char *name;
        bool shown; // else tela0
    };
    const Case cases[] = {
        {"screen.png", true}, {"missing.png", false}, {"corrupt.png", false}, {"", false},
        {"folder.png", false}, {"../outside.png", false}, {"SCREEN.PNG", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        page.Tela->clear();
        page.showScreenImage(advFolder(), u8(c.name));
        EXPECT_TRUE(sameLook(page.Tela->pixmap(), c.shown ? file(path("screen.png")) : PreviewPage::tela0()));
    }
}

TEST_F(PreviewFiles, ScreenFileOfAnUnreadKindKeepsThePicture)
{
    page.showScreenImage(advFolder(), u8("screen.png"));
    page.showScreenImage(advFolder(), u8("notes.txt"));
    EXPECT_TRUE(sameLook(page.Tela->pixmap(), file(path("screen.png"))));
}

TEST_F(PreviewFiles, ScreenPictureIsStretchedOverTheScreen)
{
    page.showScreenImage(advFolder(), u8("small.png"));
    const QImage shown = page.Tela->grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::cyan));
    EXPECT_EQ(shown.pixelColor(840, 345), QColor(Qt::yellow));
}

TEST_F(PreviewFiles, IconsShowTheirPictureOrAStockOne)
{
    struct Case {
        const char *what;
        const char *image;
        const char *mark;
        enum { File, Inactive, Missing } shows;
    };
    const Case cases[] = {
        {"active with its file", "red.png", "", Case::File},
        {"active, file missing", "missing.png", "", Case::Missing},
        {"active, file not a picture", "corrupt.png", "", Case::Missing},
        {"active, no name", "", "", Case::Missing},
        {"active, a folder of that name", "folder.png", "", Case::Missing},
        {"active, a name with a path", "../outside.png", "", Case::Missing},
        {"inactive with its file", "red.png", "//", Case::Inactive},
        {"inactive, file missing", "missing.png", "//", Case::Inactive},
        {"inactive, any mark", "red.png", "x", Case::Inactive},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        page.DrawPreviewIcons(pageWithIcons(c.image, c.mark), advFolder());
        const QPixmap expected = c.shows == Case::File       ? file(path(c.image))
                                 : c.shows == Case::Inactive ? PreviewPage::Icc0()
                                                             : PreviewPage::Icc1();
        for (int slot = 1; slot <= kIconCount; ++slot)
            EXPECT_TRUE(sameLook(page.icon(slot)->pixmap(), expected)) << slot;
    }
}

TEST_F(PreviewFiles, EachSlotShowsItsOwnIcon)
{
    PageModel model = pageWithIcons("green.png", "");
    model.IconSlots[0].Image = u8("red.png");
    model.IconSlots[6].Mark = kSwitchedOff;
    model.IconSlots[8].Image = u8("gone.png");
    page.DrawPreviewIcons(model, advFolder());
    for (int slot = 1; slot <= kIconCount; ++slot) {
        const QPixmap expected = slot == 1   ? file(path("red.png"))
                                 : slot == 7 ? PreviewPage::Icc0()
                                 : slot == 9 ? PreviewPage::Icc1()
                                             : file(path("green.png"));
        EXPECT_TRUE(sameLook(page.icon(slot)->pixmap(), expected)) << slot;
    }
}

TEST_F(PreviewFiles, IconFileOfAnUnreadKindKeepsTheSlotsPicture)
{
    page.DrawPreviewIcons(pageWithIcons("red.png", ""), advFolder());
    page.DrawPreviewIcons(pageWithIcons("notes.txt", ""), advFolder());
    EXPECT_TRUE(sameLook(page.Mnu3->pixmap(), file(path("red.png"))));
}

TEST_F(PreviewFiles, IconPicturesAreNeitherScaledNorMoved)
{
    PageModel model = pageWithIcons("large.png", "");
    model.IconSlots[1].Image = u8("small.png");
    page.DrawPreviewIcons(model, advFolder());
    // the large picture is cut at the control's edges: its corner mark is gone
    const QImage large = page.Mnu1->grab().toImage();
    EXPECT_EQ(large.size(), QSize(58, 58));
    EXPECT_EQ(large.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(large.pixelColor(57, 57), QColor(Qt::blue));
    // the small one sits in the top-left corner at its own size
    const QImage small = page.Mnu2->grab().toImage();
    EXPECT_EQ(small.pixelColor(0, 0), QColor(Qt::cyan));
    EXPECT_EQ(small.pixelColor(27, 17), QColor(Qt::yellow));
    EXPECT_NE(small.pixelColor(40, 40), QColor(Qt::cyan));
    EXPECT_NE(small.pixelColor(40, 40), QColor(Qt::yellow));
}

TEST_F(PreviewFiles, ObjectsBarShowsItsState)
{
    struct Case {
        const char *mark;
        bool on;
    };
    const Case cases[] = {{"", true}, {"//", false}, {"", true}, {"x", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mark);
        PageModel model;
        model.ObjBarMark = u8(c.mark);
        page.DrawPreviewIcons(model, advFolder());
        EXPECT_TRUE(sameLook(page.Objs->pixmap(), c.on ? PreviewPage::Obj1() : PreviewPage::Obj0()));
    }
    EXPECT_EQ(page.Objs->grab().toImage().pixelColor(300, 3), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(ShownPreviewPage, IconClicksNameTheirSlot)
{
    QSignalSpy clicked(&page, &PreviewPage::iconClicked);
    for (int slot = 1; slot <= kIconCount; ++slot)
        click(page.icon(slot));
    ASSERT_EQ(clicked.count(), kIconCount);
    for (int slot = 1; slot <= kIconCount; ++slot)
        EXPECT_EQ(clicked.at(slot - 1).at(0).toInt(), slot);
}

TEST_F(ShownPreviewPage, OnlyAWholeLeftClickCounts)
{
    QSignalSpy icons(&page, &PreviewPage::iconClicked);
    QSignalSpy bar(&page, &PreviewPage::objectsBarClicked);
    const QPoint onMnu1(880, 20);
    click(onMnu1, Qt::RightButton);
    click(onMnu1, Qt::MiddleButton);
    // pressed on the icon, let go outside it
    press(onMnu1);
    moveTo({700, 20});
    release({700, 20});
    // pressed beside, let go on it
    press({850, 20});
    release(onMnu1);
    EXPECT_EQ(icons.count(), 0);
    EXPECT_EQ(bar.count(), 0);
    click(onMnu1);
    EXPECT_EQ(icons.count(), 1);
}

TEST_F(ShownPreviewPage, ObjectsBarClicksAreReported)
{
    QSignalSpy bar(&page, &PreviewPage::objectsBarClicked);
    QSignalSpy icons(&page, &PreviewPage::iconClicked);
    click(page.Objs);
    click(page.Objs);
    EXPECT_EQ(bar.count(), 2);
    // a double click is one click, so the bar is toggled only once
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(300, 400));
    EXPECT_EQ(bar.count(), 3);
    EXPECT_EQ(icons.count(), 0);
}

TEST_F(ShownPreviewPage, PressingTheScreenOrTheTextIsReported)
{
    QSignalSpy screen(&page, &PreviewPage::screenPressed);
    QSignalSpy text(&page, &PreviewPage::textPressed);
    page.showKind(u8("img"));
    press({400, 200});
    release({400, 200});
    press({10, 10}, Qt::RightButton);
    release({10, 10}, Qt::RightButton);
    EXPECT_EQ(screen.count(), 2);
    EXPECT_EQ(text.count(), 0);

    page.showKind(u8("txt"));
    page.Memo2->setPlainText(u8("linha um\nlinha dois"));
    click(QPoint(400, 200));
    EXPECT_EQ(text.count(), 1);
    EXPECT_EQ(screen.count(), 2);
    // the text stays editable
    QTest::keyClicks(page.Memo2, u8("x"));
    EXPECT_TRUE(page.Memo2->toPlainText().contains(u8("x")));
}

TEST_F(ShownPreviewPage, PressingTheHotspotIsNotAScreenPress)
{
    QSignalSpy screen(&page, &PreviewPage::screenPressed);
    page.showHotspot({100, 100, 65, 65});
    click(QPoint(120, 120));
    click(QPoint(161, 161));
    EXPECT_EQ(screen.count(), 0);
    click(QPoint(300, 300));
    EXPECT_EQ(screen.count(), 1);
}

TEST_F(ShownPreviewPage, NothingOutsideTheControlsIsReported)
{
    QSignalSpy icons(&page, &PreviewPage::iconClicked);
    QSignalSpy bar(&page, &PreviewPage::objectsBarClicked);
    QSignalSpy screen(&page, &PreviewPage::screenPressed);
    QSignalSpy text(&page, &PreviewPage::textPressed);
    for (const QPoint at : {QPoint(856, 20), QPoint(880, 59), QPoint(400, 365), QPoint(66, 400), QPoint(780, 400)})
        click(at);
    EXPECT_EQ(icons.count() + bar.count() + screen.count() + text.count(), 0);
}
