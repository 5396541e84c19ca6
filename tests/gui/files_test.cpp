#include "windows.h"

#include "recorder.h"

#include "graphicspage.h"
#include "pageeditor.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "serverfiles.h"
#include "soundfilespage.h"
#include "statuslabel.h"
#include "tform3.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QWebEngineView>

using namespace nimbra;

namespace {

// The smallest GIF: one pixel.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90400000000002c00000000010001000002024401003b");

class FilesTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openDemoAdventure();
        waitForRunView();
    }

    GraphicsPage *graphics() { return tools().graphics(); }
    SoundFilesPage *soundFiles() { return tools().soundFiles(); }
    QString advFile(const char *name) { return main().work.session.AdvFolder + u8(name); }

    void writeFile(const char *name, const QByteArray &bytes)
    {
        QFile file(advFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void writeImage(const char *name, QSize size, const char *format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(advFile(name), format));
    }
    // A real sound of the service's library.
    void writeLibrarySound(const char *name, const char *librarySound)
    {
        const HttpResult sound =
            main().work.http.get(main().work.session.SiteUrl + u8("html/vestra/pags/sons/") + u8(librarySound));
        ASSERT_TRUE(sound.Ok);
        writeFile(name, sound.Body);
    }

    // The pictures the service itself lists.
    QStringList serviceImages()
    {
        return serverFileNames(main().work.service.listServerFiles(), ServerFileKind::Image).Shown;
    }

    void menu(const char *name) { click(main().menuButton(u8(name))); }

    static void clickRow(QListWidget *list, const char *text)
    {
        const QList<QListWidgetItem *> found = list->findItems(u8(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
        ASSERT_TRUE(found.first()->isSelected()) << text;
    }

    void upload(const char *name)
    {
        clickRow(graphics()->File1, name);
        click(graphics()->Image12);
    }

    // Lets the run view load what it was sent to and report it.
    void waitForRunView()
    {
        QSignalSpy loaded(main().form3->Web, &QWebEngineView::loadFinished);
        loaded.wait(5000);
        QTest::qWait(50);
    }
};

} // namespace

TEST_F(FilesTest, PicturesOfEveryKindGoUpAndShowInTheServerList)
{
    writeImage("novo.png", {40, 30}, "PNG");
    writeImage("foto.jpg", {40, 30}, "JPEG");
    writeFile("anim.gif", kGif);
    writeFile("notas.txt", "x");
    menu("btImg");
    EXPECT_EQ(tools().page(), TForm2::Graphics);
    EXPECT_EQ(rowsOf(graphics()->File1), u8Lines({"anim.gif", "foto.jpg", "novo.png"}));
    EXPECT_FALSE(rowsOf(graphics()->Lbx3).contains(u8("novo.png")));
    EXPECT_TRUE(rowsOf(graphics()->Lbx3).contains(u8("sala.png")));

    for (const char *name : {"novo.png", "foto.jpg", "anim.gif"}) {
        upload(name);
        EXPECT_EQ(graphics()->Stg->text(), u8("Ok")) << name;
        EXPECT_TRUE(rowsOf(graphics()->Lbx3).contains(u8(name))) << name;
        EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00));
    }
    // The service's own list agrees.
    const QStringList listed = serviceImages();
    for (const char *name : {"novo.png", "foto.jpg", "anim.gif"})
        EXPECT_TRUE(listed.contains(u8(name))) << name;
}

TEST_F(FilesTest, DeletingRemovesTheEntryOnlyWhenTheServiceDid)
{
    menu("btSnd");
    EXPECT_EQ(tools().page(), TForm2::SoundFiles);
    SortedList *list = soundFiles()->Lbx8;
    ASSERT_EQ(rowsOf(list), u8Lines({"vento.mp3"}));

    // Nothing selected: nothing is sent.
    list->clearSelection();
    click(soundFiles()->Image18);
    EXPECT_EQ(rowsOf(list), u8Lines({"vento.mp3"}));
    EXPECT_EQ(soundFiles()->St2->text(), u8("Status..."));

    // Gone on the service already: the entry stays and the refusal shows.
    clickRow(list, "vento.mp3");
    ASSERT_EQ(main().work.service.deleteFile(u8("vento.mp3")), u8("Ok"));
    click(soundFiles()->Image18);
    EXPECT_EQ(rowsOf(list), u8Lines({"vento.mp3"}));
    EXPECT_NE(soundFiles()->St2->text(), u8("Ok"));
    EXPECT_FALSE(soundFiles()->St2->text().isEmpty());

    menu("btImg");
    SortedList *images = graphics()->Lbx3;
    const int before = images->count();
    clickRow(images, "porao.png");
    click(graphics()->Image13);
    EXPECT_EQ(graphics()->St1->text(), u8("Ok"));
    EXPECT_EQ(images->count(), before - 1);
    EXPECT_FALSE(rowsOf(images).contains(u8("porao.png")));
    EXPECT_FALSE(serviceImages().contains(u8("porao.png")));

    // A delete needs a pick: more clicks and a double click delete nothing.
    const QStringList left = serviceImages();
    click(graphics()->Image13);
    QTest::mouseDClick(graphics()->Image13, Qt::LeftButton);
    EXPECT_EQ(serviceImages(), left);
    EXPECT_EQ(images->count(), before - 1);
}

TEST_F(FilesTest, ASoundUploadReportsOnItsOwnPageAndRefreshesOnlyTheSoundList)
{
    writeLibrarySound("chuva.mp3", "amb_chuva.mp3");
    writeFile("ruido.ogg", "OggS");
    writeImage("nova.png", {10, 10}, "PNG");
    menu("btImg");
    const QStringList imagesBefore = rowsOf(graphics()->Lbx3);
    menu("btSnd");
    EXPECT_EQ(rowsOf(soundFiles()->File2), u8Lines({"chuva.mp3", "ruido.ogg"}));

    // Uploaded behind the page's back: the image list must not learn of it.
    ASSERT_EQ(main().work.service.uploadFile(advFile("nova.png"), u8("nova.png")), u8("Ok"));
    clickRow(soundFiles()->File2, "chuva.mp3");
    click(soundFiles()->Image20);
    EXPECT_EQ(soundFiles()->Label90->text(), u8("Ok"));
    EXPECT_EQ(rowsOf(soundFiles()->Lbx8), u8Lines({"chuva.mp3", "vento.mp3"}));
    EXPECT_EQ(graphics()->Stg->text(), u8("Status..."));
    EXPECT_EQ(rowsOf(graphics()->Lbx3), imagesBefore);
}

TEST_F(FilesTest, AnUploadWithoutAReadableFileSendsNothing)
{
    writeImage("some.png", {10, 10}, "PNG");
    menu("btImg");
    const QStringList before = rowsOf(graphics()->Lbx3);

    graphics()->File1->clearSelection();
    click(graphics()->Image12);
    EXPECT_EQ(graphics()->Stg->text(), kNoLocalFile);

    clickRow(graphics()->File1, "some.png");
    ASSERT_TRUE(QFile::remove(advFile("some.png")));
    click(graphics()->Image12);
    EXPECT_EQ(graphics()->Stg->text(), u8("Arquivo não encontrado: some.png!!!"));
    EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00));
    EXPECT_FALSE(serviceImages().contains(u8("some.png")));
    EXPECT_EQ(rowsOf(graphics()->Lbx3), before);
}

TEST_F(FilesTest, ATransferErrorReplacesTheWaitingText)
{
    writeImage("tarde.png", {10, 10}, "PNG");
    menu("btImg");
    clickRow(graphics()->File1, "tarde.png");
    m_service->stop();
    click(graphics()->Image12);
    const QString shown = graphics()->Stg->text();
    EXPECT_NE(shown, kUploading);
    EXPECT_TRUE(shown.startsWith(u8("Falha na conexão"))) << shown.toStdString();
    EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00));
}


TEST_F(FilesTest, PickedPicturesArePreviewedAtMost221Wide)
{
    writeImage("larga.png", {442, 100}, "PNG");
    writeImage("alta.png", {200, 600}, "PNG");
    writeFile("quebrada.png", "nao e png");
    menu("btImg");
    clickRow(graphics()->File1, "larga.png");
    EXPECT_EQ(graphics()->Img1->size(), QSize(221, 50));
    clickRow(graphics()->File1, "alta.png");
    EXPECT_EQ(graphics()->Img1->size(), QSize(200, 600));
    clickRow(graphics()->File1, "quebrada.png");
    EXPECT_EQ(graphics()->Stg->text(), u8("Imagem ilegível: quebrada.png"));

    // The status is the last pick's.
    clickRow(graphics()->File1, "alta.png");
    EXPECT_EQ(graphics()->Stg->text(), kStatusRest);
    click(graphics()->Image7);
    EXPECT_EQ(main().work.session.PickedFileName, u8("alta.png"));
}

TEST_F(FilesTest, LocalSoundsAttachToThePageAndItsLink)
{
    writeLibrarySound("passos.mp3", "monstro_passos.mp3");
    menu("btSnd");
    clickRow(soundFiles()->File2, "passos.mp3");
    click(soundFiles()->Image21);
    EXPECT_EQ(tools().scripts()->Edit20->text(), u8("passos.mp3"));
    EXPECT_EQ(tools().page(), TForm2::Scripts);

    menu("btSnd");
    clickRow(soundFiles()->File2, "passos.mp3");
    click(soundFiles()->Image22);
    EXPECT_EQ(tools().scripts()->screen()->Lnk[5]->text(), u8("passos.mp3"));
    EXPECT_EQ(tools().page(), TForm2::Scripts);
}

