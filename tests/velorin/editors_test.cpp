#include "fixture.h"

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
    const QStringList lines = post("mobPtLib", {{"Pfx", "abc"}}, "texto", "fantasma\nana\n").lines();
    EXPECT_EQ(lines, u8Lines({"Ok", "Usuários desconhecidos ignorados: fantasma, ana"}));
}

TEST_F(ServiceTest, OnlyTheOwnerChangesEditors)
{
    newAccount("bia", "b");
    ASSERT_EQ(post("mobPtLib", {{"Pfx", "abc"}}, "texto", "bia").Body, "Ok");
    const Reply reply = m_client->post("mobPtLib", {{"Login", "bia"}, {"Senha", "b"}, {"Pfx", "abc"}}, "texto", "");
    EXPECT_EQ(reply.text(), u8("Só o autor da aventura pode mudar os editores"));
}
