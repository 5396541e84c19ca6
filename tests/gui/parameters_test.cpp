// The "Parametros" and "Autorização" pages against the demo service: the
// title and start page the service then holds, and the editors' list.
#include "windows.h"

#include "authorizationpage.h"
#include "parameterspage.h"
#include "recorder.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "tform3.h"
#include "tform4.h"

using namespace nimbra;

namespace {

const QColor kLedRest(0x80, 0x00, 0x00);

class ParametersTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openDemoAdventure();
        waitForLoad(main().form3->Web);
        click(main().menuButton(QStringLiteral("btPrm")));
    }

    ParametersPage *page() { return tools().parameters(); }
    AuthorizationPage *editors() { return tools().authorization(); }

    // The adventure's data as the service now gives it for a listed name.
    Reply adventureData(const char *name) { return main().work.service.adventureData(u8(name)); }
    static QString startPageIn(const Reply &data) { return data.line(16); }

    void pickPage(const char *name)
    {
        clickRow(tools().scripts()->Lbx2, u8(name));
        ASSERT_EQ(main().work.session.ScriptName, u8(name));
        waitForLoad(main().form3->Web);
    }

    // A recording server in the service's place, for replies the reference
    // service never gives; it outlives the windows' connections to it.
    Recorder &recordingService()
    {
        m_recorder = std::make_unique<Recorder>();
        main().work.session.ServiceUrl = QString::fromStdString(m_recorder->siteUrl()) + u8("nimbra/wbetz/");
        return *m_recorder;
    }

    void store(const char *title, const char *startPage)
    {
        page()->Edit17->setText(u8(title));
        page()->Edit18->setText(u8(startPage));
        click(page()->Image1);
    }

    std::unique_ptr<Recorder> m_recorder;
};

TEST_F(WindowTest, ParametersNeedAnAdventure)
{
    logIn();
    ParametersPage *page = tools().parameters();
    tools().showPage(TForm2::Parameters);
    click(page->Image1);
    EXPECT_EQ(page->Stu->text(), u8("Não tem aventura em edição!!!"));
    click(page->Image23);
    EXPECT_EQ(tools().page(), TForm2::Parameters) << "no editors without an adventure";
    EXPECT_EQ(tools().authorization()->Stb->text(), u8("Status..."));
}

TEST_F(ParametersTest, OpeningTheAdventureFillsTitleAndStartPage)
{
    EXPECT_EQ(tools().page(), TForm2::Parameters);
    EXPECT_EQ(page()->Edit17->text(), u8("A casa misteriosa"));
    EXPECT_EQ(page()->Edit18->text(), u8("inicio"));
}

TEST_F(ParametersTest, TheTitleAndTheStartPageInTheBoxAreStored)
{
    pickPage("sala");
    store("Casa assombrada", "inicio");
    EXPECT_EQ(page()->Stu->text(), u8("Ok"));
    EXPECT_EQ(startPageIn(adventureData("Casa assombrada")), u8("inicio")) << "the page being edited is not sent";
    EXPECT_TRUE(main().work.service.listAdventures().data().contains(u8("Casa_assombrada")));
    const QStringList shown = rowsOf(tools().adventures()->Lbx1);
    EXPECT_TRUE(shown.contains(u8("Casa assombrada")));
    EXPECT_FALSE(shown.contains(u8("A casa misteriosa")));
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("Casa assombrada"));
    EXPECT_EQ(main().work.session.AdvName, u8("A casa misteriosa")) << "the name it was opened with";
    EXPECT_EQ(main().ledColor(), kLedRest);

    store("Casa assombrada", "porao");
    EXPECT_EQ(page()->Stu->text(), u8("Ok"));
    EXPECT_EQ(startPageIn(adventureData("Casa assombrada")), u8("porao"));

    store("Casa assombrada", "");
    EXPECT_EQ(page()->Stu->text(), u8("Ok"));
    EXPECT_EQ(startPageIn(adventureData("Casa assombrada")), u8("sala")) << "an empty box sends the page being edited";
}

TEST_F(ParametersTest, ARefusalChangesNeitherTheListNorThePreviewTitle)
{
    store("Outro nome", "nao existe");
    EXPECT_EQ(page()->Stu->text(), u8("Script não encontrado"));
    EXPECT_TRUE(rowsOf(tools().adventures()->Lbx1).contains(u8("A casa misteriosa")));
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("A casa misteriosa"));
    EXPECT_EQ(startPageIn(adventureData("A casa misteriosa")), u8("inicio"));
}

TEST_F(ParametersTest, OnlyAnOkWithNothingAfterItIsSuccess)
{
    Recorder &recorder = recordingService();
    recorder.answer(Answer(200, "Ok\r\n"));
    store("Casa assombrada", "inicio");
    EXPECT_EQ(page()->Stu->text(), u8("Ok\r\n"));
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("A casa misteriosa"));
    EXPECT_NE(recorder.last().Target.find("&Nome=Casa_assombrada&Scp=inicio"), std::string::npos)
        << recorder.last().Target;
}

class EditorsTest : public ParametersTest {
protected:
    void SetUp() override
    {
        ParametersTest::SetUp();
        for (const char *login : {"bruno", "ana", "Carla"})
            main().work.service.newAccount(u8(login), u8("senha"), u8("autor@velorin.local"));
    }

    void load() { click(page()->Image23); }

    // The editors the service holds now.
    QStringList storedEditors()
    {
        const QStringList lines = main().work.service.listEditors().data();
        return lines.mid(lines.indexOf(u8("-+-")) + 1);
    }
};

TEST_F(EditorsTest, PickedUsersAreSentWhole)
{
    load();
    EXPECT_EQ(tools().page(), TForm2::Authorization);
    EXPECT_EQ(editors()->Stb->text(), kEditorsPrompt);
    EXPECT_EQ(rowsOf(editors()->Lbx10), u8Lines({"ana", "bruno", "Carla"}));
    EXPECT_EQ(rowsOf(editors()->Lbx11), QStringList());

    clickRow(editors()->Lbx10, u8("Carla"));
    clickRow(editors()->Lbx10, u8("bruno"));
    clickRow(editors()->Lbx10, u8("bruno"));
    clickRow(editors()->Lbx10, u8("ana"));
    EXPECT_EQ(rowsOf(editors()->Lbx11), u8Lines({"ana", "bruno", "Carla"})) << "once each, sorted";
    EXPECT_EQ(rowsOf(editors()->Lbx10), u8Lines({"ana", "bruno", "Carla"})) << "candidates stay";
    // A double click withdraws the one row clicked, not the one moving up.
    SortedList *editorsList = editors()->Lbx11;
    const QPoint first = editorsList->visualItemRect(editorsList->item(0)).center();
    QTest::mouseClick(editorsList->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(editorsList->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(rowsOf(editors()->Lbx11), u8Lines({"bruno", "Carla"}));
    EXPECT_EQ(storedEditors(), QStringList()) << "picking changes only the copy";

    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), u8("Ok"));
    EXPECT_EQ(storedEditors(), u8Lines({"bruno", "Carla"}));
    EXPECT_EQ(main().ledColor(), kLedRest);

    editors()->Lbx11->addRow(u8("ninguem"));
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), u8("Ok\r\nUsuários desconhecidos ignorados: ninguem\r\n")) << "the whole reply";

    load();
    EXPECT_EQ(rowsOf(editors()->Lbx11), u8Lines({"bruno", "Carla"}));
    clickRow(editors()->Lbx11, u8("bruno"));
    clickRow(editors()->Lbx11, u8("Carla"));
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), u8("Ok"));
    EXPECT_EQ(storedEditors(), QStringList()) << "an emptied list, loaded first, is sent";
}

TEST_F(EditorsTest, NoUpdateWithoutAListLoadedForTheOpenAdventure)
{
    tools().showPage(TForm2::Authorization);
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), kEditorsNotLoaded) << "nothing loaded yet";

    load();
    clickRow(editors()->Lbx10, u8("ana"));
    click(editors()->Image24);
    ASSERT_EQ(storedEditors(), u8Lines({"ana"}));

    // Offline for the list, while the update's direct request would still go out.
    main().work.client.setOnlineProbe([](const QString &) { return false; });
    load();
    EXPECT_EQ(editors()->Stb->text(), kEditorsPrompt);
    EXPECT_EQ(rowsOf(editors()->Lbx11), QStringList());
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), kEditorsNotLoaded);
    main().work.client.setOnlineProbe({});
    EXPECT_EQ(storedEditors(), u8Lines({"ana"})) << "the editors were not removed";

    load();
    main().work.session.AdvPrefix = u8("outra");
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), kEditorsNotLoaded) << "the lists belong to another adventure";
    main().work.session.AdvPrefix = u8("casa");

    m_service.reset();
    load();
    EXPECT_EQ(rowsOf(editors()->Lbx10), QStringList());
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), kEditorsNotLoaded);
    EXPECT_EQ(main().ledColor(), kLedRest);
}

TEST_F(EditorsTest, TheSeparatorDividesTheReply)
{
    Recorder &recorder = recordingService();
    const struct {
        const char *reply;
        QStringList candidates, authorized;
    } cases[] = {
        {"Ok\r\nzeca\r\nana\r\n-+-\r\nbia", u8Lines({"ana", "zeca"}), u8Lines({"bia"})},
        {"Ok\r\nana\r\n\r\nzeca", u8Lines({"", "ana", "zeca"}), {}},
        {"Ok\r\n-+-\r\n\r\nbia\r\n-+-\r\n", {}, u8Lines({"-+-", "bia"})},
        {"Ok", {}, {}},
        {"Login ou senha inválidos", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reply);
        recorder.answer(Answer(200, c.reply));
        load();
        EXPECT_EQ(rowsOf(editors()->Lbx10), c.candidates);
        EXPECT_EQ(rowsOf(editors()->Lbx11), c.authorized);
    }
    const size_t sent = recorder.requests().size();
    click(editors()->Image24);
    EXPECT_EQ(editors()->Stb->text(), kEditorsNotLoaded) << "after a refused list";
    EXPECT_EQ(recorder.requests().size(), sent);
}

} // namespace
