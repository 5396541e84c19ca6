#include "fixture.h"

TEST_F(ServiceTest, LoginAnswersNameAndIndex)
{
    const QStringList lines = as("ANA", "senha1", "nmbLog", {}).lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], u"Ok");
    EXPECT_EQ(lines[1], u"ana"); // the service's spelling, not the typed one
    EXPECT_EQ(lines[4].toStdString(), m_idx);
}

TEST_F(ServiceTest, LoginRefusals)
{
    const struct {
        Query query;
        const char *reply;
    } cases[] = {
        {{{"Login", "ana"}, {"Senha", "errada"}}, "Login ou senha inválidos"},
        {{{"Login", "ninguem"}, {"Senha", "senha1"}}, "Login ou senha inválidos"},
        {{{"Login", "ana"}, {"Senha", "SENHA1"}}, "Login ou senha inválidos"},
        {{{"Login", "ana"}}, "Falta o campo Senha"},
        {{{"Senha", "senha1"}}, "Falta o campo Login"},
        {{{"Login", "' OR '1'='1"}, {"Senha", "' OR '1'='1"}}, "Login ou senha inválidos"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(m_client->call("nmbLog", c.query).text(), u8(c.reply));
}

TEST_F(ServiceTest, NewAccountAnswersWholeText)
{
    const Reply reply = m_client->call("mobNwUsr", {{"Login", "bia"}, {"Senha", "x y"}, {"Email", "bia@ex.com"}});
    EXPECT_TRUE(reply.text().startsWith(u8("Conta criada!")));
    EXPECT_TRUE(reply.text().contains(u8("bia@ex.com")));
    EXPECT_EQ(as("bia", "x y", "nmbLog", {}).lines().value(0), u"Ok");
}

TEST_F(ServiceTest, NewAccountRefusals)
{
    const struct {
        Query query;
        const char *reply;
    } cases[] = {
        {{{"Login", "Ana"}, {"Senha", "z"}, {"Email", "a@b"}}, "Este login já existe, escolha outro"},
        {{{"Login", "novo"}, {"Senha", "z"}}, "Falta o campo Email"},
        {{{"Login", "novo"}, {"Senha", "z"}, {"Email", "  "}}, "Falta o campo Email"},
        {{{"Login", "../x"}, {"Senha", "z"}, {"Email", "a@b"}}, "Nome inválido em Login"},
        {{{"Login", "a\x01" "b"}, {"Senha", "z"}, {"Email", "a@b"}}, "Nome inválido em Login"},
        {{{"Login", ""}, {"Senha", "z"}, {"Email", "a@b"}}, "Nome inválido em Login"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(m_client->call("mobNwUsr", c.query).text(), u8(c.reply));
}

TEST_F(ServiceTest, VersionIsBareText)
{
    EXPECT_EQ(m_client->get("/nimbra/wbetz/mobVrs.php").Body, "0.1m");
}

TEST_F(ServiceTest, EveryEndpointChecksThePassword)
{
    start({"--pause", "0"}); // so many wrong passwords in a row would pause the login
    for (const char *endpoint : {"mobList", "mobDados", "mobPtAdv", "mobNwAdv", "nmbLsScp", "nmbGtScp", "nmbPtScp",
                                 "mobNwScp", "nmbLsObj", "mobGtObj", "mobPtObj", "mobNwObj", "mobPtPrm", "mobLsLib",
                                 "mobPtLib", "mobLsSom", "mobLsArq", "mobPtImg", "mobDtArq"}) {
        EXPECT_EQ(as("ana", "errada", endpoint, {{"Pfx", "abc"}}).text(), u8("Login ou senha inválidos")) << endpoint;
    }
}
