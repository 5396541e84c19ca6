#include "windows.h"

#include "adventurespage.h"
#include "extraspage.h"
#include "statuslabel.h"

#include <QFile>

using namespace nimbra;

TEST_F(WindowTest, LoginRefusalsChangeNothing)
{
    const struct {
        const char *login;
        const char *password;
        bool offline;
        const char *status;
    } cases[] = {
        {"", "demo", false, "Informe seu login no VL..."},
        {"demo", "", false, "Informe sua senha no VL..."},
        {"demo", "errada", false, "Login ou senha inválidos"},
        {"demo", "demo", true, "Sem conexão!!!"},
    };
    for (const auto &c : cases) {
        main().work.client.setOnlineProbe([&](const QString &) { return !c.offline; });
        logIn(c.login, c.password);
        EXPECT_EQ(tools().login()->Sta->text(), u8(c.status)) << c.login << "/" << c.password;
        EXPECT_EQ(main().work.session.Login, QString());
        EXPECT_EQ(main().work.session.UserIdx, QString());
        EXPECT_FALSE(main().menuButton(QStringLiteral("btAdv"))->isVisible());
        EXPECT_EQ(tools().page(), TForm2::Login);
        EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00));
    }
    EXPECT_EQ(tools().extras()->Memo1->toPlainText(), u8("Sem conexão!!!")) << "the refused reply is kept";
}

TEST_F(WindowTest, LoginShowsTheAdventures)
{
    logIn();
    EXPECT_EQ(tools().login()->Sta->text(), QString());
    EXPECT_EQ(main().work.session.Login, u8("demo"));
    EXPECT_EQ(main().work.session.Password, u8("demo"));
    EXPECT_EQ(main().work.session.UserIdx, u8("1"));
    EXPECT_TRUE(main().menuButton(QStringLiteral("btAdv"))->isVisible());
    EXPECT_FALSE(main().menuButton(QStringLiteral("btLsp"))->isVisible());
    EXPECT_EQ(tools().page(), TForm2::Adventures);
    ASSERT_GE(tools().adventures()->Lbx1->count(), 1);
    EXPECT_EQ(tools().adventures()->Lbx1->item(0)->text(), u8("A casa misteriosa"));
    EXPECT_FALSE(tools().login()->PanVrs->isVisible());
}

TEST_F(WindowTest, AnotherVersionOffersTheDownload)
{
    main().work.ownVersion = QStringLiteral("0.0a");
    logIn();
    EXPECT_TRUE(tools().login()->PanVrs->isVisible());
    EXPECT_EQ(tools().page(), TForm2::Login);
    EXPECT_EQ(main().work.session.Login, u8("demo")) << "the login itself went through";
}

TEST_F(WindowTest, UpdateStartsAnUpdaterAlreadyThere)
{
    const QString updater = appDir() + QStringLiteral("atlz.exe");
    const QString marker = appDir() + QStringLiteral("started.txt");
    QFile script(updater);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho \"$1|$2\" > '" + marker.toStdString() + "'\n").c_str());
    script.close();
    const QString site = main().work.session.SiteUrl;
    main().work.session.setSite(QStringLiteral("http://127.0.0.1:1/"));  // no download may be tried
    click(tools().login()->Image14);
    QFile started(marker);
    QTRY_VERIFY_WITH_TIMEOUT(started.exists() && started.size() > 0, 10000);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll(), QByteArray("4k82r6w|http://127.0.0.1:1/nimbra/\n"));
    Q_UNUSED(site);
}

TEST_F(WindowTest, FailedUpdaterDownloadShowsWhyAndKeepsTheClient)
{
    main().work.session.setSite(QStringLiteral("http://127.0.0.1:1/"));
    click(tools().login()->Image14);
    EXPECT_TRUE(tools().login()->Std->text().startsWith(u8("Falha na conexão"))) << tools().login()->Std->text().toStdString();
    EXPECT_FALSE(QFile::exists(appDir() + QStringLiteral("atlz.exe")));
    EXPECT_TRUE(main().isVisible());
}

TEST_F(WindowTest, UpdaterIsFetchedFromTheSite)
{
    main().work.http.setTimeouts(std::chrono::milliseconds(3000), std::chrono::milliseconds(3000));
    const QString updater = appDir() + QStringLiteral("atlz.exe");
    click(tools().login()->Image14);
    EXPECT_TRUE(QFile::exists(updater)) << tools().login()->Std->text().toStdString();
    EXPECT_EQ(main().work.http.connectTimeout(), std::chrono::milliseconds(5000));
}

TEST_F(WindowTest, AccountCreation)
{
    LoginPage *page = tools().login();
    const struct {
        const char *login, *password, *email, *status;
    } refused[] = {
        {"", "x", "a@b.c", "Defina um apelido para ser seu login!!!"},
        {"novo", "", "a@b.c", "Defina uma senha!!!"},
        {"novo", "x", "", "Registre um e-mail válido!!!"},
    };
    for (const auto &c : refused) {
        page->Edit14->setText(u8(c.login));
        page->Edit15->setText(u8(c.password));
        page->Edit16->setText(u8(c.email));
        click(page->btConta);
        EXPECT_EQ(page->Sty->text(), u8(c.status));
    }
    page->Edit14->setText(u8("novo"));
    page->Edit15->setText(u8("p&q"));
    page->Edit16->setText(u8("n@x.y"));
    click(page->btConta);
    EXPECT_TRUE(page->Sty->text().startsWith(u8("Conta criada"))) << page->Sty->text().toStdString();
    EXPECT_EQ(main().work.session.Login, QString()) << "a new account does not log in";
    click(page->btConta);
    EXPECT_FALSE(page->Sty->text().startsWith(u8("Conta criada"))) << "the service's refusal is shown whole";
    logIn("novo", "p&q");
    EXPECT_EQ(main().work.session.Login, u8("novo"));
}
