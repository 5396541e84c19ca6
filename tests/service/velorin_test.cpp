// The request layer against the real reference service with its demo.
#include "adventure.h"
#include "serviceget.h"
#include "velorin.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace nimbra;

namespace {

class AgainstService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_process = std::make_unique<VelorinProcess>(m_dir.path().toStdString(), std::vector<std::string>{"--demo"});
        m_session.setSite(QString::fromStdString(m_process->baseUrl()));
    }

    void logIn(const QString &login, const QString &password)
    {
        const Reply reply = m_service.login(login, password);
        ASSERT_TRUE(reply.isOk()) << reply.text().toStdString();
        m_session.Login = reply.line(1);
        m_session.Password = password;
        m_session.UserIdx = reply.line(4);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_process;
    Http m_http;
    Session m_session;
    ServiceClient m_client{m_http};
    Velorin m_service{m_session, m_client};
};

} // namespace

// What the client reads of the demo, and pages and values with signs and
// accents, go through both sides unchanged.
TEST_F(AgainstService, TheClientAndTheServiceAgree)
{
    EXPECT_FALSE(m_service.login(u8("demo"), u8("errada")).isOk());
    logIn(u8("demo"), u8("demo"));
    EXPECT_EQ(m_session.UserIdx, u8("1"));
    EXPECT_TRUE(m_service.listAdventures().data().contains(u8("A_casa_misteriosa")));
    QString why;
    const auto data = readAdventureData(m_service.adventureData(u8("A casa misteriosa")), &why);
    ASSERT_TRUE(data) << why.toStdString();
    EXPECT_EQ(data->Prefix, u8("casa"));
    m_session.AdvPrefix = data->Prefix;

    EXPECT_NE(m_service.newScript(u8("inicio")), u8("Ok")) << "an existing name is refused";
    EXPECT_EQ(m_service.newScript(u8("sótão 2")), u8("Ok"));
    const QString text = u8("//mob txt sótão_2\r\n  texto= 0,0,852,358,6,Arial,000000,FFFFFF\r\n  boxon\r\n"
                            "  Ação & reação + 100% #1 €\r\n  boxoff\r\n  fim\r\n");
    EXPECT_EQ(m_service.storeScript(u8("sótão 2"), text), u8("Ok"));
    EXPECT_EQ(m_service.fetchScript(u8("sótão 2")), u8("Ok\r\n") + text);
    EXPECT_TRUE(m_service.listScripts().contains(u8("sótão 2")));

    const QString password = u8("a&b=c#d+e%f g?");
    m_service.newAccount(u8("estranha"), password, u8("e@x.y"));
    logIn(u8("estranha"), password);
    EXPECT_FALSE(m_service.login(u8("estranha"), u8("a")).isOk());
}
