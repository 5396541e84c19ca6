// Values that are stored and later answered on lines of their own.
#include "fixture.h"

namespace {

// Every kind of character that would break a line reply apart.
const char *const kBreakers[] = {"\r", "\n", "\r\n", "\t", "\x01", "\x7f", "\x81"};

std::string with(const char *breaker)
{
    return std::string("a") + breaker + "b";
}

QString refusal(const char *key)
{
    return u8("O campo %1 não pode ter quebras de linha nem caracteres de controle").arg(QLatin1StringView(key));
}

} // namespace

TEST_F(ServiceTest, ControlCharactersInStoredValuesAreRefused)
{
    ASSERT_EQ(call("mobNwObj", {{"Pfx", "abc"}, {"Nome", "anel"}, {"Idx", m_idx}}).Body, "Ok");
    const QStringList dataBefore = call("mobDados", {{"Adv", "Minha_aventura"}}).lines();
    const Query style = {{"Pfx", "abc"}, {"Fonte", "Arial"}, {"CorFnd", "FFFFFF"}, {"CorTxt", "000000"},
                         {"CorLnk", "0000FF"}};
    const Query object = {{"Pfx", "abc"}, {"Nome", "anel"}, {"Loc", "sala"}, {"Shp", "anel.png"}};
    const struct {
        const char *endpoint;
        const Query *query;
        const char *key;
    } fields[] = {
        {"mobPtAdv", &style, "Fonte"},  {"mobPtAdv", &style, "CorFnd"}, {"mobPtAdv", &style, "CorTxt"},
        {"mobPtAdv", &style, "CorLnk"}, {"mobPtObj", &object, "Loc"},   {"mobPtObj", &object, "Shp"},
    };
    for (const auto &field : fields) {
        for (const char *breaker : kBreakers) {
            Query query = *field.query;
            for (auto &[key, value] : query) {
                if (key == field.key)
                    value = with(breaker);
            }
            EXPECT_EQ(call(field.endpoint, query).text(), refusal(field.key)) << field.key << int(*breaker);
        }
    }
    EXPECT_EQ(call("mobDados", {{"Adv", "Minha_aventura"}}).lines(), dataBefore);
    EXPECT_EQ(call("mobGtObj", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nome", "anel"}}).lines(),
              u8Lines({"Ok", "", "", "", ""}));
}

TEST_F(ServiceTest, ControlCharactersInNewAccountsAreRefused)
{
    for (const char *breaker : kBreakers) {
        const struct {
            Query query;
            QString reply;
        } cases[] = {
            {{{"Login", with(breaker)}, {"Senha", "s"}, {"Email", "a@b"}}, u8("Nome inválido em Login")},
            {{{"Login", "novo"}, {"Senha", with(breaker)}, {"Email", "a@b"}}, refusal("Senha")},
            {{{"Login", "novo"}, {"Senha", "s"}, {"Email", with(breaker)}}, refusal("Email")},
        };
        for (const auto &c : cases)
            EXPECT_EQ(m_client->call("mobNwUsr", c.query).text(), c.reply) << int(*breaker);
    }
    EXPECT_EQ(m_client->call("nmbLog", {{"Login", "novo"}, {"Senha", "s"}}).text(), u8("Login ou senha inválidos"));
}

// "IRMÃ”" in Windows-1252 is also valid UTF-8 for "IRMÔ": it stays "IRMÃ”".
TEST_F(ServiceTest, ValuesAreWindows1252Always)
{
    for (const char *value : {"IRMÃ”", "Ã©", "ação"}) {
        const std::string bytes = cp(value);
        ASSERT_EQ(call("mobNwObj", {{"Pfx", "abc"}, {"Nome", bytes}, {"Idx", m_idx}}).Body, "Ok") << value;
        ASSERT_EQ(call("mobPtObj", {{"Pfx", "abc"}, {"Nome", bytes}, {"Loc", bytes}, {"Shp", bytes}}).Body, "Ok");
        EXPECT_EQ(call("mobGtObj", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nome", bytes}}).Body,
                  "Ok\r\n" + bytes + "\r\n" + bytes + "\r\n" + bytes + "\r\n" + bytes + "\r\n");
        ASSERT_EQ(call("mobPtPrm", {{"Pfx", "abc"}, {"Nome", bytes}, {"Scp", "inicio"}}).Body, "Ok");
        EXPECT_EQ(call("mobList", {}).Body, "Ok\r\n" + bytes + "\r\n") << value;
    }
    EXPECT_EQ(call("nmbLsObj", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "ação", "IRMÃ”", "Ã©"}));
}
