// The "Objetos" page against the demo adventure's objects: listing, the two
// pairs with their pictures, changes, new objects, and what the page does
// with replies the reference service never gives.
#include "windows.h"

#include "objectspage.h"
#include "pageeditor.h"
#include "previewpage.h"
#include "recorder.h"
#include "requesturl.h"
#include "statuslabel.h"
#include "tform3.h"
#include "tform4.h"

#include <QImage>

using namespace nimbra;

namespace {

class ObjectsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openDemoAdventure();
        waitForLoad(main().form3->Web);
        click(main().menuButton(QStringLiteral("btObj")));
    }

    ObjectsPage *page() { return tools().objects(); }

    QStringList listed() { return rowsOf(page()->Lbx4); }

    // A picture file of the adventure's local folder, one colour all over.
    void writePicture(const QString &path, QColor colour)
    {
        QImage picture(58, 58, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, "PNG"));
    }

    static bool showsStockPicture(const QLabel *picture)
    {
        return picture->pixmap().toImage() == PreviewPage::Icc0().toImage();
    }

    static QColor colourOf(const QLabel *picture) { return picture->pixmap().toImage().pixelColor(29, 29); }

    // The object as the service now holds it: both pairs.
    QStringList stored(const char *name) { return main().work.service.object(u8(name)).data(); }

    // Lets the run view load the page an update pointed it at.
    void waitForRunView() { waitForLoad(main().form3->Web); }
};

TEST_F(ObjectsTest, TheMenuListsTheObjectsAgain)
{
    EXPECT_EQ(tools().page(), TForm2::Objects);
    EXPECT_EQ(listed(), u8Lines({"chave", "lanterna"}));
    page()->Lbx4->addRow(u8("sobra"));
    click(main().menuButton(QStringLiteral("btObj")));
    EXPECT_EQ(listed(), u8Lines({"chave", "lanterna"})) << "the list is filled again, not added to";
}

TEST_F(ObjectsTest, APickedObjectShowsBothPairsAndTheirPictures)
{
    writePicture(main().work.session.AdvFolder + u8("chave.png"), Qt::yellow);
    clickRow(page()->Lbx4, u8("chave"));
    EXPECT_EQ(page()->LocObj1->text(), u8("sala"));
    EXPECT_EQ(page()->ShpObj1->text(), u8("chave.png"));
    EXPECT_EQ(page()->LocObj2->text(), u8("sala"));
    EXPECT_EQ(page()->ShpObj2->text(), u8("chave.png"));
    EXPECT_EQ(colourOf(page()->FigObj1), QColor(Qt::yellow));
    EXPECT_EQ(colourOf(page()->FigObj2), QColor(Qt::yellow));
    EXPECT_EQ(page()->lbObj1->text(), QString());
    EXPECT_EQ(page()->lbObj2->text(), QString());

    clickRow(page()->Lbx4, u8("lanterna"));
    EXPECT_EQ(page()->LocObj1->text(), u8("jogador"));
    EXPECT_EQ(page()->ShpObj1->text(), u8("lanterna.png"));
    EXPECT_TRUE(showsStockPicture(page()->FigObj1)) << "no local file: the stock picture, no text";
    EXPECT_TRUE(showsStockPicture(page()->FigObj2));
    EXPECT_EQ(page()->lbObj1->text(), QString());
}

TEST_F(ObjectsTest, AnObjectTheServiceDoesNotKnowChangesNothing)
{
    clickRow(page()->Lbx4, u8("chave"));
    page()->Lbx4->addRow(u8("fantasma"));
    clickRow(page()->Lbx4, u8("fantasma"));
    EXPECT_EQ(page()->LocObj1->text(), u8("sala"));
    EXPECT_EQ(page()->lbObj1->text(), QString());
}

TEST_F(ObjectsTest, AChangeNeedsAnObjectAndAPlace)
{
    struct Case {
        const char *row;       // picked in the list, or none
        const char *location;
        const char *status;
    };
    const Case cases[] = {
        {nullptr, "sala", "Selecione objeto!"},
        {"chave", "", "Falta nome do local!"},
    };
    for (ImageButton *button : {page()->btObj1, page()->btObj2}) {
        StatusLabel *status = button == page()->btObj1 ? page()->lbObj1 : page()->lbObj2;
        QLineEdit *location = button == page()->btObj1 ? page()->LocObj1 : page()->LocObj2;
        for (const Case &c : cases) {
            click(main().menuButton(QStringLiteral("btObj")));
            if (c.row)
                clickRow(page()->Lbx4, u8(c.row));
            location->setText(u8(c.location));
            click(button);
            EXPECT_EQ(status->text(), u8(c.status)) << button->objectName().toStdString();
        }
    }
    EXPECT_EQ(stored("chave"), u8Lines({"sala", "chave.png", "sala", "chave.png"})) << "nothing was sent";
}

TEST_F(ObjectsTest, AChangeIsStoredAndThePageRunsAgain)
{
    writePicture(main().work.session.AdvFolder + u8("lanterna.png"), Qt::red);
    clickRow(page()->Lbx4, u8("chave"));
    page()->LocObj2->setText(u8("  porao "));
    page()->ShpObj2->setText(u8(" lanterna.png"));
    QSignalSpy opened(main().editor, &PageEditor::pageOpened);
    click(page()->btObj2);
    EXPECT_EQ(page()->lbObj2->text(), u8("Ok"));
    EXPECT_EQ(colourOf(page()->FigObj2), QColor(Qt::red));
    EXPECT_EQ(stored("chave"), u8Lines({"porao", "lanterna.png", "porao", "lanterna.png"}));
    EXPECT_EQ(opened.count(), 1) << "the page without edits is opened again";
    const Session &s = main().work.session;
    EXPECT_EQ(main().form3->Web->url(), QUrl(runUrl(s.SiteUrl, s.UserIdx, s.AdvPrefix, s.ScriptName)));
    waitForRunView();
    EXPECT_EQ(opened.count(), 2) << "the run view opens it once more";

    page()->LocObj1->setText(u8("   "));
    click(page()->btObj1);
    EXPECT_EQ(page()->lbObj1->text(), u8("Ok")) << "blanks pass the test and are sent as an empty place";
    EXPECT_EQ(stored("chave").value(0), QString());
    waitForRunView();
}

TEST_F(ObjectsTest, NewObjects)
{
    // Listed here but unknown to the service: a request would create it.
    page()->Lbx4->addRow(u8("fantasma"));
    const struct {
        const char *name, *status;
    } refused[] = {
        {"", "Defina um nome!!!"},
        {"fantasma", "Já existe este objeto!!!"},
        {"a/b", "Nome inválido em Nome"},
    };
    for (const auto &c : refused) {
        page()->Edit21->setText(u8(c.name));
        click(page()->Image26);
        EXPECT_EQ(page()->Lb77->text(), u8(c.status)) << c.name;
    }
    EXPECT_EQ(listed(), u8Lines({"chave", "fantasma", "lanterna"}));
    EXPECT_EQ(main().work.service.listObjects(), u8Lines({"chave", "lanterna"})) << "a listed name is not sent";

    page()->Edit21->setText(u8("abajur velho"));
    click(page()->Image26);
    EXPECT_EQ(listed(), u8Lines({"abajur velho", "chave", "fantasma", "lanterna"})) << "in its sorted place";
    EXPECT_EQ(page()->Lb77->text(), u8("Nome inválido em Nome")) << "a success keeps the text shown";
    click(main().menuButton(QStringLiteral("btObj")));
    EXPECT_EQ(listed(), u8Lines({"abajur velho", "chave", "lanterna"})) << "stored with \"_\", listed with a blank";

    page()->Edit21->setText(u8("nome com mais de dezesseis"));
    EXPECT_EQ(page()->Edit21->text(), u8("nome com mais de"));
}

// What the reference service never answers, from a recording server.
class ObjectRepliesTest : public ObjectsTest {
protected:
    void SetUp() override
    {
        ObjectsTest::SetUp();
        clickRow(page()->Lbx4, u8("chave"));
        main().work.session.ServiceUrl = QString::fromStdString(m_recorder.siteUrl()) + u8("nimbra/wbetz/");
    }

    void fetch(const std::string &reply)
    {
        m_recorder.answer(Answer(200, reply));
        clickRow(page()->Lbx4, u8("lanterna"));
    }

    Recorder m_recorder;
};

TEST_F(ObjectRepliesTest, AShortReplyFillsNothing)
{
    for (const char *reply : {"Ok", "Ok\r\n", "Ok\r\nporao", "Ok\r\nporao\r\nx.png\r\nporao\r\n"}) {
        fetch(reply);
        SCOPED_TRACE(reply);
        EXPECT_EQ(page()->lbObj1->text(), kShortObjectReply);
        EXPECT_EQ(page()->lbObj2->text(), kShortObjectReply);
        EXPECT_EQ(page()->LocObj1->text(), u8("sala"));
        EXPECT_EQ(page()->ShpObj2->text(), u8("chave.png"));
    }
    fetch("Ok\r\nporao\r\n\r\n\r\n\r\n");
    EXPECT_EQ(page()->LocObj1->text(), u8("porao")) << "five lines, the last ones empty, are a whole reply";
    EXPECT_EQ(page()->ShpObj2->text(), QString());
    EXPECT_TRUE(showsStockPicture(page()->FigObj2));
}

} // namespace
