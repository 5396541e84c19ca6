#include "fixture.h"

#include "templates.h"

TEST_F(ServiceTest, NewAdventureHasItsFirstPage)
{
    EXPECT_EQ(call("nmbLsScp", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "inicio"}));
    const QStringList lines = call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "inicio"}}).lines();
    EXPECT_EQ(lines.mid(1), nimbra::pageTemplateLines(nimbra::NewPageKind::Text, QStringLiteral("inicio")));
}

TEST_F(ServiceTest, StoredBytesComeBackExactly)
{
    std::string text = cp("//mob txt p1\r\n  boxon\r\n  <p>Ação! \x80 ç</p>\r\n\r\nlinha só com LF\n  fim\r\n");
    text += std::string("\x81\x8D\x8F\x90\x9D\xFF", 6);
    ASSERT_EQ(post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", "p1"}}, "texto", text).Body, "Ok");
    EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "p1"}}).Body, "Ok\r\n" + text);
}

TEST_F(ServiceTest, CreateScriptIsBareOkAndRefusesAnExistingName)
{
    EXPECT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "sala escura"}, {"Idx", m_idx}}).Body, "Ok");
    EXPECT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "sala_escura"}, {"Idx", m_idx}}).text(), u8("Já existe este script"));
    EXPECT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "inicio"}, {"Idx", m_idx}}).text(), u8("Já existe este script"));
    EXPECT_EQ(call("nmbLsScp", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "inicio", "sala_escura"}));
    // Blank and "_" are one name.
    EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "sala escura"}}).lines().value(1), u8("//mob txt sala_escura"));
}

TEST_F(ServiceTest, ScriptRefusals)
{
    const struct {
        Query query;
        const char *reply;
    } cases[] = {
        {{{"Pfx", "abc"}, {"Scp", "nada"}}, "Script não encontrado"},
        {{{"Pfx", "abc"}}, "Falta o campo Scp"},
        {{{"Scp", "inicio"}}, "Falta o campo Pfx"},
        {{{"Pfx", "zzz"}, {"Scp", "inicio"}}, "Aventura não encontrada"},
        {{{"Pfx", "abc"}, {"Scp", "../inicio"}}, "Nome inválido em Scp"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(call("nmbGtScp", c.query).text(), u8(c.reply));
    EXPECT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "x"}, {"Idx", "0"}}).text(), u8("Índice de usuário inválido"));
    EXPECT_EQ(call("mobNwScp", {{"Pfx", "abc"}, {"Scp", "x"}}).text(), u8("Falta o campo Idx"));
    EXPECT_EQ(post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", "x"}}, "outro", "a").text(), u8("Falta o campo texto"));
}

TEST_F(ServiceTest, SqlMetacharactersAreText)
{
    const std::string name = "p'; DROP TABLE scripts; --";
    const std::string text = "x'); DELETE FROM accounts; --\r\n";
    ASSERT_EQ(post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", name}}, "texto", text).Body, "Ok");
    EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", name}}).Body, "Ok\r\n" + text);
    EXPECT_EQ(call("nmbLsScp", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "inicio", "p';_DROP_TABLE_scripts;_--"}));
    EXPECT_EQ(call("nmbLog", {}).lines().value(0), u"Ok");
}
