// Passwords: slow standard hashes, old hashes upgraded at login, and
// guessing paused.
#include "fixture.h"

#include <QCryptographicHash>

#include <thread>

namespace {

const char kPaused[] = "Muitas tentativas com senha errada; aguarde 1 s e tente de novo";

class PasswordTest : public ServiceTest {
protected:
    std::string hashOf(const std::string &login)
    {
        return sql("SELECT password_hash FROM accounts WHERE login = '" + login + "'");
    }

    QString login(const std::string &name, const std::string &password)
    {
        return m_client->call("nmbLog", {{"Login", name}, {"Senha", password}}).lines().value(0);
    }
};

} // namespace

TEST_F(PasswordTest, PasswordsAreKeptAsYescryptHashes)
{
    const std::string hash = hashOf("ana");
    EXPECT_EQ(hash.rfind("$y$", 0), 0u) << hash;
    EXPECT_EQ(hash.find("senha1"), std::string::npos);
    EXPECT_EQ(login("ana", "senha1"), u"Ok");
}

// Accounts stored before: "salt$" and the hex SHA-256 of "salt$password".
TEST_F(PasswordTest, OldHashesAreUpgradedAtTheNextLogin)
{
    const QByteArray digest = QCryptographicHash::hash("abc123$velha", QCryptographicHash::Sha256).toHex();
    const std::string old = "abc123$" + digest.toStdString();
    sql("INSERT INTO accounts (login, password_hash, email) VALUES ('antigo', '" + old + "', 'a@b')");
    EXPECT_EQ(login("antigo", "errada"), u8("Login ou senha inválidos"));
    EXPECT_EQ(hashOf("antigo"), old);
    EXPECT_EQ(login("antigo", "velha"), u"Ok");
    const std::string upgraded = hashOf("antigo");
    EXPECT_EQ(upgraded.rfind("$y$", 0), 0u) << upgraded;
    EXPECT_EQ(login("antigo", "velha"), u"Ok");
    EXPECT_EQ(login("antigo", "errada"), u8("Login ou senha inválidos"));
}

TEST_F(PasswordTest, GuessingPausesTheLoginForAWhile)
{
    start({"--pause", "1"});
    newAccount("bia", "b");
    for (const std::string name : {"ana", "ninguem"}) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(login(name, "chute" + std::to_string(i)), u8("Login ou senha inválidos")) << name << i;
        EXPECT_EQ(login(name, "chute"), u8(kPaused)) << name;
    }
    // While paused, the right password is refused too, on every endpoint.
    EXPECT_EQ(login("ANA", "senha1"), u8(kPaused));
    EXPECT_EQ(call("mobList", {}).text(), u8(kPaused));
    EXPECT_EQ(login("bia", "b"), u"Ok");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(login("ana", "senha1"), u"Ok");
    // A right password starts the count over.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(login("ana", "chute"), u8("Login ou senha inválidos"));
    EXPECT_EQ(login("ana", "senha1"), u"Ok");
    EXPECT_EQ(login("ana", "chute"), u8("Login ou senha inválidos"));
}
