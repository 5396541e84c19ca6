#include "fixture.h"

#include <sqlite3.h>

TEST_F(ServiceTest, EditorsListAndUpdate)
{
    newAccount("bia", "b");
    newAccount("caio", "c");
    EXPECT_EQ(call("mobLsLib", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "bia", "caio", "-+-"}));
    EXPECT_EQ(post("mobPtLib", {{"Pfx", "abc"}}, "texto", "caio\r\n\r\nbia").Body, "Ok");
    EXPECT_EQ(call("mobLsLib", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "bia", "caio", "-+-", "bia", "caio"}));
    // An editor now reaches the adventure.
    EXPECT_EQ(as("bia", "b", "mobList", {}).lines(), u8Lines({"Ok", "Minha_aventura"}));
    EXPECT_EQ(as("bia", "b", "nmbGtScp", {{"Pfx", "abc"}, {"Scp", "inicio"}}).lines().value(0), u"Ok");
    EXPECT_EQ(call("mobPtLib", {{"Pfx", "abc"}}).text(), u8("Falta o campo texto"));
    EXPECT_EQ(post("mobPtLib", {{"Pfx", "abc"}}, "texto", "").Body, "Ok");
    EXPECT_EQ(as("bia", "b", "mobList", {}).lines(), u8Lines({"Ok"}));
}

TEST_F(ServiceTest, UnknownEditorsAreReported)
{
    const QStringList lines = post("mobPtLib", {{"Pfx", "abc"}}, "texto", "fantasma\nana\n-+-\n").lines();
    EXPECT_EQ(lines, u8Lines({"Ok", "Usuários desconhecidos ignorados: fantasma, ana, -+-"}));
}

TEST_F(ServiceTest, OnlyTheOwnerChangesEditors)
{
    newAccount("bia", "b");
    ASSERT_EQ(post("mobPtLib", {{"Pfx", "abc"}}, "texto", "bia").Body, "Ok");
    const Reply reply = m_client->post("mobPtLib", {{"Login", "bia"}, {"Senha", "b"}, {"Pfx", "abc"}}, "texto", "");
    EXPECT_EQ(reply.text(), u8("Só o autor da aventura pode mudar os editores"));
}

TEST_F(ServiceTest, LoginsThatWouldSplitTheEditorsListAreRefused)
{
    for (const char *login : {"-+-", " -+-", "-+- ", " bia", "bia "}) {
        EXPECT_EQ(m_client->call("mobNwUsr", {{"Login", login}, {"Senha", "s"}, {"Email", "x@y"}}).text(),
                  u8("Este login não pode ser usado, escolha outro"))
            << login;
    }
    EXPECT_TRUE(m_client->call("mobNwUsr", {{"Login", "a-+-b"}, {"Senha", "s"}, {"Email", "x@y"}})
                    .text()
                    .startsWith(u8("Conta criada!")));
    EXPECT_EQ(call("mobLsLib", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "a-+-b", "-+-"}));
}

// Accounts written before logins had rules: such names are never listed,
// and never become editors, whatever the owner sends back.
TEST_F(ServiceTest, EditorsListIsUnambiguousOverOldAccounts)
{
    newAccount("bia", "b");
    m_client.reset();
    m_service.reset();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open((dataDir() + "/velorin.sqlite").c_str(), &db), SQLITE_OK);
    const char *sql = "INSERT INTO accounts (login, password_hash, email) VALUES "
                      "('-+-', 'x$y', 'a@b'), (' -+-', 'x$y', 'a@b'), ('zeta', 'x$y', 'a@b'), "
                      "('l1' || char(13, 10) || 'l2', 'x$y', 'a@b');"
                      "INSERT INTO editors (adventure_id, account_id) SELECT 1, id FROM accounts WHERE login <> 'ana'";
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    start();

    EXPECT_EQ(call("mobLsLib", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "bia", "zeta", "-+-", "bia", "zeta"}));
    EXPECT_EQ(post("mobPtLib", {{"Pfx", "abc"}}, "texto", "bia\r\n-+-\r\nzeta\r\n -+-").lines(),
              u8Lines({"Ok", "Usuários desconhecidos ignorados: -+-"}));
    EXPECT_EQ(call("mobLsLib", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "bia", "zeta", "-+-", "bia", "zeta"}));
}
