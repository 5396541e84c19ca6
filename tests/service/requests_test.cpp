#include "recorder.h"

#include "adventure.h"
#include "download.h"
#include "requesturl.h"
#include "serviceget.h"
#include "update.h"
#include "velorin.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

// The client side wired to the recording server.
class RequestTest : public ::testing::Test {
protected:
    RequestTest() : m_client(m_http), m_service(m_session, m_client)
    {
        m_session.setSite(QString::fromStdString(m_recorder.siteUrl()));
        m_session.Login = u8("ana");
        m_session.Password = u8("s&1 #");
        m_session.AdvPrefix = u8("cas");
        m_session.UserIdx = u8("7");
        m_client.setIndicator([this](Activity a) { m_activity.push_back(a); });
    }

    Recorder m_recorder;
    Http m_http;
    Session m_session;
    ServiceClient m_client;
    Velorin m_service;
    std::vector<Activity> m_activity;
};

} // namespace



TEST(Replies, MissingLinesReadAsEmpty)
{
    EXPECT_EQ(Reply(u8("Ok\r\nana")).line(4), QString());
    EXPECT_EQ(Reply().status(), QString());
}

TEST_F(RequestTest, EveryEndpointSendsItsKeysInOrder)
{
    const std::string login = "?Login=ana&Senha=s%261%20%23";
    const struct {
        std::function<void()> call;
        std::string target;
    } cases[] = {
        {[&] { m_service.login(u8("Ana"), u8("x y")); }, "/nimbra/wbetz/nmbLog.php?Login=Ana&Senha=x%20y"},
        {[&] { m_service.newAccount(u8("novo"), u8("p+q"), u8("a@b.c")); },
         "/nimbra/wbetz/mobNwUsr.php?Login=novo&Senha=p%2Bq&Email=a%40b.c"},
        {[&] { m_service.listAdventures(); }, "/nimbra/wbetz/mobList.php" + login},
        {[&] { m_service.adventureData(u8("A casa  velha")); }, "/nimbra/wbetz/mobDados.php" + login + "&Adv=A_casa__velha"},
        {[&] { m_service.putAdventureStyle(u8("Times New Roman"), u8("FF 000"), u8("000000"), u8("0000FF")); },
         "/nimbra/wbetz/mobPtAdv.php" + login + "&Pfx=cas&Fonte=Times%20New%20Roman&CorFnd=FF%20000&CorTxt=000000&CorLnk=0000FF"},
        {[&] { m_service.newAdventure(u8("nov"), u8("Nova aventura")); },
         "/nimbra/wbetz/mobNwAdv.php" + login + "&Pfx=nov&Idx=7&Nom=Nova_aventura"},
        {[&] { m_service.listScripts(); }, "/nimbra/wbetz/nmbLsScp.php" + login + "&Pfx=cas"},
        {[&] { m_service.fetchScript(u8("sala 2")); }, "/nimbra/wbetz/nmbGtScp.php" + login + "&Pfx=cas&Scp=sala%202"},
        {[&] { m_service.storeScript(u8("p"), u8("x")); }, "/nimbra/wbetz/nmbPtScp.php" + login + "&Pfx=cas&Scp=p"},
        {[&] { m_service.newScript(u8("p&q")); }, "/nimbra/wbetz/mobNwScp.php" + login + "&Pfx=cas&Scp=p%26q&Idx=7"},
        {[&] { m_service.listObjects(); }, "/nimbra/wbetz/nmbLsObj.php" + login + "&Pfx=cas"},
        {[&] { m_service.object(u8("chave")); }, "/nimbra/wbetz/mobGtObj.php" + login + "&Pfx=cas&Idx=7&Nome=chave"},
        {[&] { m_service.putObject(u8("chave"), u8("sala"), u8("c.png")); },
         "/nimbra/wbetz/mobPtObj.php" + login + "&Pfx=cas&Nome=chave&Loc=sala&Shp=c.png"},
        {[&] { m_service.newObject(u8("lamp")); }, "/nimbra/wbetz/mobNwObj.php" + login + "&Pfx=cas&Nome=lamp&Idx=7"},
        {[&] { m_service.putParameters(u8("O título"), u8("inicio")); },
         "/nimbra/wbetz/mobPtPrm.php" + login + "&Pfx=cas&Nome=O_t%EDtulo&Scp=inicio"},
        {[&] { m_service.listEditors(); }, "/nimbra/wbetz/mobLsLib.php" + login + "&Pfx=cas"},
        {[&] { m_service.putEditors({u8("a"), u8("b")}); }, "/nimbra/wbetz/mobPtLib.php" + login + "&Pfx=cas"},
        {[&] { m_service.listSounds(u8("agua")); }, "/nimbra/wbetz/mobLsSom.php" + login + "&Cat=agua"},
        {[&] { m_service.listServerFiles(); }, "/nimbra/wbetz/mobLsArq.php" + login + "&Pfx=cas"},
        {[&] { m_service.deleteFile(u8("a b.png")); }, "/nimbra/wbetz/mobDtArq.php" + login + "&Pfx=cas&Arq=a%20b.png"},
        {[&] { m_service.version(); }, "/nimbra/wbetz/mobVrs.php"},
    };
    for (const auto &c : cases) {
        c.call();
        EXPECT_EQ(m_recorder.last().Target, c.target);
    }
}

TEST_F(RequestTest, ServiceGetOfflineSendsNothing)
{
    m_client.setOnlineProbe([](const QString &) { return false; });
    EXPECT_EQ(m_client.ServiceGet(m_session.ServiceUrl + u8("mobList.php")), kNoConnection);
    EXPECT_TRUE(m_recorder.requests().empty());
    EXPECT_EQ(m_activity, (std::vector<Activity>{Activity::Request, Activity::Rest}));
}

TEST_F(RequestTest, DirectFailuresAreNeverOk)
{
    m_recorder.answer({500, "Ok"});
    const QString text = m_service.newScript(u8("p"));
    EXPECT_NE(text, u8("Ok"));
    EXPECT_TRUE(text.startsWith(u8("Falha na conexão"))) << text.toStdString();
    EXPECT_EQ(m_activity, (std::vector<Activity>{Activity::Request, Activity::Rest}));
}

TEST_F(RequestTest, HeadersAndCookiesAreKept)
{
    m_recorder.answer({200, "Ok", 0ms, "sessao=abc123; Path=/"});
    m_service.listAdventures();
    m_recorder.answer({200, "Ok"});
    m_service.listScripts();
    const Recorded second = m_recorder.last();
    EXPECT_EQ(httplib::detail::get_header_value(second.Headers, "Cookie", 0, ""), std::string("sessao=abc123"));
    EXPECT_EQ(httplib::detail::get_header_value(second.Headers, "Accept", 0, ""), std::string("text/html, */*"));
    EXPECT_EQ(httplib::detail::get_header_value(second.Headers, "User-Agent", 0, ""),
              std::string("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_FALSE(second.Headers.count("Authorization"));
}

TEST_F(RequestTest, MultipartBodiesAsTheServiceReceivesThem)
{
    m_service.storeScript(u8("p"), u8("//mob txt p\r\n  texto= ção\r\n  fim\r\n"));
    Recorded post = m_recorder.last();
    ASSERT_EQ(post.Method, "POST");
    ASSERT_EQ(post.Files.count("texto"), 1u);
    EXPECT_EQ(post.Files.find("texto")->second.content, std::string("//mob txt p\r\n  texto= \xE7\xE3o\r\n  fim\r\n"));
    EXPECT_EQ(post.Files.find("texto")->second.filename, "");

    QTemporaryDir dir;
    const QString path = dir.filePath(u8("tela 1.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x89PNG\0\1\2", 7));
    file.close();
    m_activity.clear();
    m_service.uploadFile(path, u8("tela 1.png"));
    post = m_recorder.last();
    ASSERT_EQ(post.Files.count("Img"), 1u);
    const auto &part = post.Files.find("Img")->second;
    EXPECT_EQ(part.filename, "tela 1.png");
    EXPECT_EQ(part.content_type, "image/jpg");
    EXPECT_EQ(part.content, std::string("\x89PNG\0\1\2", 7));
    EXPECT_EQ(m_activity, (std::vector<Activity>{Activity::Upload, Activity::Rest}));
}

TEST_F(RequestTest, UploadOfAMissingFileSendsNothing)
{
    const QString text = m_service.uploadFile(u8("/nao/existe.png"), u8("existe.png"));
    EXPECT_TRUE(m_recorder.requests().empty());
    EXPECT_NE(text, u8("Ok"));
}

TEST_F(RequestTest, VersionCheckComparesTheWholeText)
{
    const struct {
        Answer answer;
        VersionCheck expected;
    } cases[] = {
        {{200, "0.1m"}, VersionCheck::Same},
        {{200, "0.1m\r\n"}, VersionCheck::Other},
        {{200, "0.2a"}, VersionCheck::Other},
        {{200, ""}, VersionCheck::Same},
        {{500, "0.2a"}, VersionCheck::Failed},
    };
    for (const auto &c : cases) {
        m_recorder.answer(c.answer);
        QString error;
        EXPECT_EQ(CheckVersion(m_service, u8("0.1m"), &error), c.expected) << c.answer.Body;
        EXPECT_EQ(error.isEmpty(), c.expected != VersionCheck::Failed);
    }
    QString error;
    m_session.setSite(u8("http://127.0.0.1:1/"));
    EXPECT_EQ(CheckVersion(m_service, u8("0.1m"), &error), VersionCheck::Failed) << "refused connection";
}

TEST_F(RequestTest, TheUpdaterIsFetchedFromTheSiteIntoTheProgramFolder)
{
    QTemporaryDir dir;
    m_session.AppDir = dir.path() + u8("/");
    m_recorder.answer({200, "MZ updater"});
    EXPECT_EQ(FetchUpdater(m_service, kUpdaterName), std::nullopt);
    EXPECT_EQ(m_recorder.last().Target, "/nimbra/atlz.exe");
    QFile updater(m_session.AppDir + kUpdaterName);
    ASSERT_TRUE(updater.open(QIODevice::ReadOnly));
    EXPECT_EQ(updater.readAll(), QByteArray("MZ updater"));
    EXPECT_EQ(m_http.connectTimeout(), 5000ms);
    EXPECT_EQ(m_http.inactivityTimeout(), 5000ms);
    EXPECT_EQ(updaterParameters(u8("http://h/")), u8("4k82r6w http://h/nimbra/"));
}
