#include "fixture.h"

TEST_F(ServiceTest, ObjectLifecycle)
{
    EXPECT_EQ(call("nmbLsObj", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok"}));
    EXPECT_EQ(call("mobNwObj", {{"Pfx", "abc"}, {"Nome", "chave velha"}, {"Idx", m_idx}}).Body, "Ok");
    EXPECT_EQ(call("mobNwObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Idx", m_idx}}).Body, "Ok");
    EXPECT_EQ(call("nmbLsObj", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "anel", "chave_velha"}));
    EXPECT_EQ(call("mobGtObj", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nome", "chave velha"}}).lines(),
              u8Lines({"Ok", "", "", "", ""}));
    EXPECT_EQ(call("mobPtObj", {{"Pfx", "abc"}, {"Nome", "chave_velha"}, {"Loc", " sala "}, {"Shp", "chave.png"}}).Body,
              "Ok");
    EXPECT_EQ(call("mobGtObj", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nome", "chave_velha"}}).lines(),
              u8Lines({"Ok", "sala", "chave.png", "sala", "chave.png"}));
    EXPECT_EQ(call("mobPtObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Loc", ""}, {"Shp", ""}}).Body, "Ok");
}

TEST_F(ServiceTest, ObjectRefusals)
{
    ASSERT_EQ(call("mobNwObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Idx", m_idx}}).Body, "Ok");
    const struct {
        const char *endpoint;
        Query query;
        const char *reply;
    } cases[] = {
        {"mobNwObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Idx", m_idx}}, "Já existe este objeto"},
        {"mobNwObj", {{"Pfx", "abc"}, {"Nome", "a/b"}, {"Idx", m_idx}}, "Nome inválido em Nome"},
        {"mobGtObj", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nome", "nada"}}, "Objeto não encontrado"},
        {"mobPtObj", {{"Pfx", "abc"}, {"Nome", "nada"}, {"Loc", "x"}, {"Shp", "y"}}, "Objeto não encontrado"},
        {"mobPtObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Shp", "y"}}, "Falta o campo Loc"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(call(c.endpoint, c.query).text(), u8(c.reply)) << c.endpoint;
}
