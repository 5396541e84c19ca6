#include "windows.h"

#include "adventure.h"
#include "adventurespage.h"
#include "previewpage.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"

#include <QDir>

using namespace nimbra;

TEST_F(WindowTest, ChoosingAnAdventureOpensItsStartPage)
{
    logIn();
    AdventuresPage *page = tools().adventures();
    ASSERT_GE(page->Lbx1->count(), 1);
    doubleClickRow(page->Lbx1, 0);
    const Session &s = main().work.session;
    EXPECT_EQ(s.AdvPrefix, u8("casa"));
    EXPECT_EQ(s.AdvName, u8("A casa misteriosa"));
    EXPECT_EQ(s.AdvFolder, appDir() + u8("casa/"));
    EXPECT_TRUE(QDir(s.AdvFolder).exists());
    EXPECT_EQ(s.ScriptName, u8("inicio"));
    EXPECT_EQ(tools().page(), TForm2::Scripts);
    ScriptsPage *scripts = tools().scripts();
    EXPECT_GE(scripts->Lbx2->count(), 6);
    ASSERT_TRUE(scripts->Lbx2->currentItem());
    EXPECT_EQ(scripts->Lbx2->currentItem()->text(), u8("inicio"));
    EXPECT_TRUE(main().work.page.canStore());
    for (const char *name : {"btLsp", "btObj", "btImg", "btSnd", "btPrm"})
        EXPECT_TRUE(main().menuButton(QString::fromUtf8(name))->isVisible()) << name;
    EXPECT_TRUE(main().form3->isVisible());
    EXPECT_TRUE(main().form4->isVisible());
    EXPECT_FALSE(main().form5->isVisible());
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("A casa misteriosa"));
    EXPECT_FALSE(page->Edit8->text().isEmpty());
    EXPECT_EQ(main().form3->backdropColour(), ColorFromText(page->Edit8->text()));
    EXPECT_FALSE(page->Edit7->text().isEmpty());
}

TEST_F(WindowTest, ARefusedAdventureChangesNothing)
{
    logIn();
    AdventuresPage *page = tools().adventures();
    page->Lbx1->addRow(u8("Nao existe"));
    doubleClickRow(page->Lbx1, page->Lbx1->count() - 1);
    EXPECT_FALSE(page->Stp->text().isEmpty());
    EXPECT_NE(page->Stp->text(), u8("Ok"));
    EXPECT_EQ(main().work.session.AdvPrefix, QString());
    EXPECT_EQ(main().work.session.AdvFolder, QString());
    EXPECT_EQ(tools().page(), TForm2::Adventures);
    EXPECT_FALSE(main().menuButton(QStringLiteral("btLsp"))->isVisible());
}

TEST_F(WindowTest, NewAdventure)
{
    logIn();
    AdventuresPage *page = tools().adventures();
    const struct {
        const char *name, *prefix, *status;
    } refused[] = {
        {"", "abc", "Defina uma nome para a aventura!!!"},
        {"Nova", "", "Defina uma prefixo para a aventura!!!"},
        {"Nova", "ab", "Entre 3 e 6 caracteres para o prefixo!!!"},
    };
    for (const auto &c : refused) {
        page->Edit11->setText(u8(c.name));
        page->Edit12->setText(u8(c.prefix));
        click(page->Image10);
        EXPECT_EQ(page->Stn->text(), u8(c.status));
    }
    page->Edit11->setText(u8("Ilha do tesouro"));
    page->Edit12->setText(u8("ilha"));
    click(page->Image10);
    EXPECT_EQ(page->Stn->text(), u8("Ok"));
    EXPECT_TRUE(page->Lbx1->selectRow(u8("Ilha do tesouro"))) << "the list is loaded again";
    click(page->Image10);
    EXPECT_NE(page->Stn->text(), u8("Ok")) << "an existing prefix is refused by the service";
    EXPECT_EQ(tools().page(), TForm2::Adventures);
}

TEST_F(WindowTest, MainAreaLookNeedsAnAdventure)
{
    logIn();
    AdventuresPage *page = tools().adventures();
    click(page->Image9);
    EXPECT_EQ(page->Stp->text(), u8("Não tem aventura em edição!!!"));
    doubleClickRow(page->Lbx1, 0);
    page->Edit7->setText(u8("Times New Roman"));
    click(page->Image9);
    EXPECT_EQ(page->Stp->text(), u8("Ok"));
    tools().adventures()->LoadAdventure(main().work.session.AdvName);
    EXPECT_EQ(page->Edit7->text(), u8("Times New Roman")) << "the font name with blanks came back";
}

TEST_F(WindowTest, AnAdventureWhoseStartPageDoesNotOpenShowsNoPage)
{
    openDemoAdventure();
    ASSERT_EQ(main().work.page.scriptName(), u8("inicio"));
    ASSERT_EQ(main().work.service.newAdventure(u8("vazia"), u8("Sem paginas")), u8("Ok"));
    // The connection goes after the adventure's data and its page list.
    int requests = 0;
    main().work.client.setOnlineProbe([&](const QString &) { return ++requests <= 2; });
    AdventuresPage *page = tools().adventures();
    page->Lbx1->addRow(u8("Sem paginas"));
    doubleClickRow(page->Lbx1, int(page->Lbx1->row(page->Lbx1->findItems(u8("Sem paginas"), Qt::MatchExactly).first())));
    EXPECT_EQ(main().work.session.AdvPrefix, u8("vazia"));
    EXPECT_EQ(main().form4->titleLabel()->text(), u8("Sem paginas"));
    EXPECT_FALSE(main().work.page.canStore());
    EXPECT_EQ(main().work.page.scriptName(), QString());
    EXPECT_FALSE(tools().scripts()->Stx->text().isEmpty());
    EXPECT_NE(tools().scripts()->Stx->text(), u8("Ok"));
    EXPECT_EQ(tools().scripts()->Lbx2->currentItem(), nullptr);
    EXPECT_EQ(main().form4->preview()->Memo2->toPlainText(), QString()) << "the other adventure's page stayed";
}
