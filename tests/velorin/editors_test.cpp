#include "fixture.h"

#include <sqlite3.h>

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
