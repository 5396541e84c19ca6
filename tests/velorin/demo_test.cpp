#include "fixture.h"

#include "codepage.h"
#include "parser.h"

class DemoTest : public ServiceTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        start({"--demo"});
    }
    Reply demo(const std::string &endpoint, const Query &extra) { return as("demo", "demo", endpoint, extra); }
};

TEST_F(DemoTest, SeedsAPlayableAdventure)
{
    ASSERT_EQ(demo("nmbLog", {}).lines().value(0), u"Ok");
    EXPECT_EQ(demo("mobList", {}).lines(), u8Lines({"Ok", "A_casa_misteriosa"}));
    const QStringList data = demo("mobDados", {{"Adv", "A casa misteriosa"}}).lines();
    ASSERT_EQ(data.size(), 18);
    EXPECT_EQ(data[1], u"casa");
    EXPECT_EQ(data[16], u"inicio");
    const QStringList pages = demo("nmbLsScp", {{"Pfx", "casa"}}).lines();
    EXPECT_EQ(pages, u8Lines({"Ok", "ajuda", "chave", "inicio", "janela", "porao", "sala"}));
    for (const QString &name : pages.mid(1)) {
        const QStringList script = demo("nmbGtScp", {{"Pfx", "casa"}, {"Scp", name.toStdString()}}).lines();
        const nimbra::PageModel page = nimbra::parsePage(script);
        EXPECT_TRUE(page.PageKind == u"txt" || page.PageKind == u"img") << name.toStdString();
        const Reply html = m_client->get("/html/vestra/exescp.php?Idx=1&Pfx=casa&Scp=" + name.toStdString());
        EXPECT_EQ(html.Status, 200) << name.toStdString();
    }
    const QStringList files = demo("mobLsArq", {{"Pfx", "casa"}}).lines();
    EXPECT_TRUE(files.contains(u8("8-sala.png")) || files.join(u'|').contains(u8("-sala.png")));
    EXPECT_TRUE(files.join(u'|').contains(u8("-vento.mp3")));
    EXPECT_EQ(demo("nmbLsObj", {{"Pfx", "casa"}}).lines(), u8Lines({"Ok", "chave", "lanterna"}));
}
