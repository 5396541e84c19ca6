#include "windows.h"

#include "recorder.h"

#include "clicklabel.h"
#include "pageeditor.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "sounddeck.h"
#include "soundfilespage.h"
#include "soundspage.h"
#include "statuslabel.h"
#include "tform3.h"

#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QWebEngineView>

using namespace nimbra;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SoundsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openDemoAdventure();
        waitForRunView();
        click(tools().scripts()->btSom);
        ASSERT_EQ(tools().page(), TForm2::Sounds);
    }

    SoundsPage *sounds() { return tools().sounds(); }
    QString advFile(const char *name) { return main().work.session.AdvFolder + u8(name); }

    void writeFile(const char *name, const QByteArray &bytes)
    {
        QFile file(advFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    void category(const char *key)
    {
        ClickLabel *label = sounds()->findChild<ClickLabel *>(u8("lbCat_") + u8(key));
        ASSERT_TRUE(label) << key;
        click(label);
    }

    static void clickRow(QListWidget *list, const char *text)
    {
        const QList<QListWidgetItem *> found = list->findItems(u8(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }

    void waitForRunView()
    {
        QSignalSpy loaded(main().form3->Web, &QWebEngineView::loadFinished);
        loaded.wait(5000);
        QTest::qWait(50);
    }

    QString storedText(const char *name)
    {
        const QString reply = main().work.service.fetchScript(u8(name));
        return reply.mid(reply.indexOf(u'\n') + 1);
    }
};

QStringList rows(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace

TEST_F(SoundsTest, TheLabelsListTheirCategory)
{
    for (std::size_t i = 0; i < SoundsPage::kCategories.size(); ++i)
        EXPECT_EQ(sounds()->lbCat[i]->toolTip(), u8(SoundsPage::kCategories[i].Key));
    category("agua");
    EXPECT_EQ(rows(sounds()->Lbx7), u8Lines({"agua_gota", "agua_riacho"}));
    category("porta");
    EXPECT_EQ(rows(sounds()->Lbx7), u8Lines({"porta_batida", "porta_rangido"}));
    EXPECT_EQ(sounds()->Sts->text(), QString());

    click(sounds()->Image15);
    EXPECT_EQ(tools().page(), TForm2::Scripts);
}

TEST_F(SoundsTest, AListedSoundIsFetchedOnceAndPlayed)
{
    category("amb");
    clickRow(sounds()->Lbx7, "amb_vento");
    EXPECT_EQ(sounds()->Sts->text(), QString());
    const QByteArray fetched = readFile(advFile("amb_vento.mp3"));
    ASSERT_GT(fetched.size(), 100);
    EXPECT_TRUE(sounds()->deck().isOpen());
    EXPECT_EQ(sounds()->deck().fileName(), advFile("amb_vento.mp3"));
    EXPECT_TRUE(rows(tools().soundFiles()->File2).contains(u8("amb_vento.mp3")));

    // The local copy plays from now on, without a request.
    const QByteArray other = readFile(advFile("amb_vento.mp3")).left(fetched.size() - 1);
    writeFile("amb_vento.mp3", other);
    clickRow(sounds()->Lbx7, "amb_vento");
    EXPECT_EQ(readFile(advFile("amb_vento.mp3")), other);

    // A second sound stops the first.
    clickRow(sounds()->Lbx7, "amb_chuva");
    EXPECT_EQ(sounds()->deck().fileName(), advFile("amb_chuva.mp3"));
    EXPECT_TRUE(sounds()->deck().isPlaying());
}

TEST_F(SoundsTest, OwnNamesAreNeverFetched)
{
    EXPECT_EQ(sounds()->TocaWave(u8("agua_gota")), std::nullopt);
    EXPECT_FALSE(QFile::exists(advFile("agua_gota.mp3")));
    EXPECT_FALSE(sounds()->deck().isOpen());
    EXPECT_EQ(sounds()->TocaWave(QString()), std::nullopt);
}

TEST_F(SoundsTest, AnUnreadableSoundIsReportedNotPlayed)
{
    writeFile("quebrado.mp3", "isto nao e som");
    const std::optional<QString> failure = sounds()->TocaWave(u8("quebrado.mp3"));
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith(u8("Som ilegível: quebrado.mp3"))) << failure->toStdString();
    EXPECT_FALSE(sounds()->deck().isOpen());

    click(main().menuButton(u8("btSnd")));
    SoundFilesPage *files = tools().soundFiles();
    clickRow(files->File2, "quebrado.mp3");
    EXPECT_TRUE(files->Label90->text().startsWith(u8("Som ilegível: quebrado.mp3")));

    // A good sound played afterwards takes the status back.
    ASSERT_EQ(sounds()->TocaWave(u8("$amb_vento")), std::nullopt);
    files->readLocalFiles();
    clickRow(files->File2, "amb_vento.mp3");
    EXPECT_EQ(files->Label90->text(), kStatusRest);
}




TEST_F(SoundsTest, AttachedAsInitialSoundItIsStoredWithThePage)
{
    ScriptsPage *scripts = tools().scripts();
    const QString before = scripts->Edit20->text();
    category("agua");
    sounds()->Lbx7->clearSelection();
    click(sounds()->Image16);
    EXPECT_EQ(scripts->Edit20->text(), before);
    EXPECT_EQ(tools().page(), TForm2::Sounds);

    clickRow(sounds()->Lbx7, "agua_gota");
    click(sounds()->Image16);
    EXPECT_EQ(scripts->Edit20->text(), u8("$agua_gota"));
    EXPECT_EQ(tools().page(), TForm2::Scripts);
    EXPECT_TRUE(main().editor->hasUnstoredChanges());
    click(scripts->btCmp);
    EXPECT_EQ(scripts->Stx->text(), u8("Ok"));
    EXPECT_TRUE(storedText("inicio").contains(u8("  somini= $agua_gota\r\n")));

    main().editor->edits().undoStack().undo();
    EXPECT_EQ(scripts->Edit20->text(), before);
}

TEST_F(SoundsTest, AttachedToALinkItReachesTheLinkWhenRegistered)
{
    ScriptsPage *scripts = tools().scripts();
    clickRow(scripts->Lbx2, "sala");
    ASSERT_EQ(main().work.session.ScriptName, u8("sala"));
    waitForRunView();
    ScreenPage *screen = scripts->screen();
    click(screen->lbLk[2]);

    click(scripts->btSom);
    category("porta");
    clickRow(sounds()->Lbx7, "porta_batida");
    click(sounds()->Image17);
    EXPECT_EQ(tools().page(), TForm2::Scripts);
    EXPECT_EQ(screen->Lnk[5]->text(), u8("$porta_batida"));
    click(screen->Image19);
    EXPECT_EQ(screen->Stt->text(), u8("Ok"));
    EXPECT_TRUE(storedText("sala").contains(u8("  cmd= map,560,150,180,110,$porta_batida\r\n")));
}

TEST(SoundDeck, OpensPlaysAndClosesWithoutASoundDevice)
{
    QTemporaryDir dir;
    SoundDeck deck;
    EXPECT_EQ(deck.play(), u8("Nenhum som aberto!!!"));
    EXPECT_EQ(deck.open(dir.filePath(u8("falta.mp3"))), u8("Som não encontrado: falta.mp3!!!"));
    EXPECT_EQ(deck.open(dir.path()), u8("Som não encontrado: ") + QFileInfo(dir.path()).fileName() + u8("!!!"));

    const QString bad = dir.filePath(u8("ruim.mp3"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("nada de som aqui");
    file.close();
    const std::optional<QString> failure = deck.open(bad);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith(u8("Som ilegível: ruim.mp3")));
    EXPECT_FALSE(deck.isOpen());
    EXPECT_EQ(deck.play(), u8("Nenhum som aberto!!!"));
}
