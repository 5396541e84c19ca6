#include "fixture.h"

TEST_F(ServiceTest, ListShowsOwnAdventures)
{
    EXPECT_EQ(call("mobList", {}).lines(), u8Lines({"Ok", "Minha_aventura"}));
    newAccount("bia", "b");
    EXPECT_EQ(as("bia", "b", "mobList", {}).lines(), u8Lines({"Ok"}));
}

TEST_F(ServiceTest, DataHasEighteenLines)
{
    ASSERT_EQ(call("mobPtAdv", {{"Pfx", "abc"}, {"Fonte", "Times New Roman"}, {"CorFnd", "FF0000"}, {"CorTxt", "00FF00"},
                                {"CorLnk", "0000FF"}})
                  .Body,
              "Ok");
    for (const char *name : {"Minha_aventura", "Minha aventura"}) {
        const QStringList lines = call("mobDados", {{"Adv", name}}).lines();
        ASSERT_EQ(lines.size(), 18) << name;
        EXPECT_EQ(lines[0], u"Ok");
        EXPECT_EQ(lines[1], u"abc");
        EXPECT_EQ(lines[12], u"FF0000");
        EXPECT_EQ(lines[13], u"00FF00");
        EXPECT_EQ(lines[14], u"0000FF");
        EXPECT_EQ(lines[16], u"inicio");
        EXPECT_EQ(lines[17], u"Times New Roman");
    }
}

TEST_F(ServiceTest, TitleTakesThePlaceOfTheName)
{
    ASSERT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "sala"}, {"Idx", m_idx}}).Body, "Ok");
    ASSERT_EQ(call("mobPtPrm", {{"Pfx", "abc"}, {"Nome", "O_grande_titulo"}, {"Scp", "sala"}}).Body, "Ok");
    EXPECT_EQ(call("mobList", {}).lines(), u8Lines({"Ok", "O_grande_titulo"}));
    const QStringList byTitle = call("mobDados", {{"Adv", "O_grande_titulo"}}).lines();
    ASSERT_EQ(byTitle.size(), 18);
    EXPECT_EQ(byTitle[16], u"sala");
    EXPECT_EQ(call("mobDados", {{"Adv", "Minha_aventura"}}).lines().value(1), u"abc");
}

TEST_F(ServiceTest, NewAdventurePrefixRules)
{
    const struct {
        const char *prefix;
        const char *reply;
    } cases[] = {
        {"ab", "O prefixo deve ter de 3 a 6 caracteres"},
        {"abcdefg", "O prefixo deve ter de 3 a 6 caracteres"},
        {"xyz", "Ok"},
        {"seisss", "Ok"},
        {"ABC", "Já existe uma aventura com este prefixo"},
        {"a/b", "Nome inválido em Pfx"},
        {"...", "Ok"},
        {"..", "Nome inválido em Pfx"},
        {"a\\b", "Nome inválido em Pfx"},
        {"", "Nome inválido em Pfx"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(call("mobNwAdv", {{"Pfx", c.prefix}, {"Idx", m_idx}, {"Nom", std::string("Av ") + c.prefix}}).text(),
                  u8(c.reply))
            << c.prefix;
    }
    EXPECT_EQ(call("mobNwAdv", {{"Pfx", "outra"}, {"Idx", "999"}, {"Nom", "X"}}).text(), u8("Índice de usuário inválido"));
    EXPECT_EQ(call("mobNwAdv", {{"Pfx", "outra"}, {"Idx", m_idx}}).text(), u8("Falta o campo Nom"));
}

TEST_F(ServiceTest, OthersCannotReachTheAdventure)
{
    newAccount("bia", "b");
    EXPECT_EQ(as("bia", "b", "mobDados", {{"Adv", "Minha_aventura"}}).text(), u8("Aventura não encontrada"));
    EXPECT_EQ(as("bia", "b", "nmbGtScp", {{"Pfx", "abc"}, {"Scp", "inicio"}}).text(), u8("Aventura não encontrada"));
    EXPECT_EQ(as("bia", "b", "mobPtAdv", {{"Pfx", "abc"}, {"Fonte", "x"}, {"CorFnd", "1"}, {"CorTxt", "2"},
                                          {"CorLnk", "3"}})
                  .text(),
              u8("Aventura não encontrada"));
}

TEST_F(ServiceTest, ParametersNeedAnExistingPage)
{
    EXPECT_EQ(call("mobPtPrm", {{"Pfx", "abc"}, {"Nome", "T"}, {"Scp", "nenhuma"}}).text(), u8("Script não encontrado"));
    EXPECT_EQ(call("mobPtPrm", {{"Pfx", "zzz"}, {"Nome", "T"}, {"Scp", "inicio"}}).text(), u8("Aventura não encontrada"));
}

// Titles and adventure names are only ever shown and looked up, never files.
TEST_F(ServiceTest, TitlesAndNamesAreAnyLineOfText)
{
    ASSERT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "sala"}, {"Idx", m_idx}}).Body, "Ok");
    const struct {
        const char *typed;
        const char *listed;
    } labels[] = {
        {"Era uma vez...", "Era_uma_vez..."}, {"A casa: parte 2/3", "A_casa:_parte_2/3"}, {"..", ".."},
        {"a\\b", "a\\b"},                     {" ao redor ", "ao_redor"},
    };
    int n = 0;
    for (const auto &label : labels) {
        const std::string prefix = "pf" + std::to_string(++n);
        EXPECT_EQ(call("mobNwAdv", {{"Pfx", prefix}, {"Idx", m_idx}, {"Nom", label.typed}}).Body, "Ok") << label.typed;
        EXPECT_EQ(call("mobDados", {{"Adv", label.typed}}).lines().value(1).toStdString(), prefix) << label.typed;
        EXPECT_EQ(call("mobPtPrm", {{"Pfx", "abc"}, {"Nome", label.typed}, {"Scp", "sala"}}).Body, "Ok") << label.typed;
        EXPECT_EQ(call("mobList", {}).lines().value(1), u8(label.listed));
        EXPECT_EQ(call("mobDados", {{"Adv", label.listed}}).lines().value(16), u"sala") << label.typed;
    }
}

TEST_F(ServiceTest, TitlesAndNamesRefusals)
{
    const struct {
        const char *endpoint;
        Query query;
        const char *reply;
    } cases[] = {
        {"mobPtPrm", {{"Pfx", "abc"}, {"Nome", "a\nb"}, {"Scp", "inicio"}},
         "O campo Nome não pode ter quebras de linha nem caracteres de controle"},
        {"mobPtPrm", {{"Pfx", "abc"}, {"Nome", "  "}, {"Scp", "inicio"}}, "Falta o campo Nome"},
        {"mobNwAdv", {{"Pfx", "xyz"}, {"Idx", m_idx}, {"Nom", "a\rb"}},
         "O campo Nom não pode ter quebras de linha nem caracteres de controle"},
        {"mobNwAdv", {{"Pfx", "xyz"}, {"Idx", m_idx}, {"Nom", ""}}, "Falta o campo Nom"},
        {"mobDados", {{"Adv", "a\tb"}}, "O campo Adv não pode ter quebras de linha nem caracteres de controle"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(call(c.endpoint, c.query).text(), u8(c.reply)) << c.endpoint;
    EXPECT_EQ(call("mobList", {}).lines(), u8Lines({"Ok", "Minha_aventura"}));
}
