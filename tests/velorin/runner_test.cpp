#include "fixture.h"

#include "codepage.h"
#include "generator.h"
#include "parser.h"

#include <QRegularExpression>

// A page with every kind of link: the runner's HTML is read back below.
static nimbra::PageModel samplePage()
{
    nimbra::PageModel page = nimbra::templatePageModel();
    page.PageKind = QStringLiteral("img");
    page.ScreenImage = QStringLiteral("sala.png");
    page.Returnable = true;
    page.InitialSound = QStringLiteral("$porta_rangido");
    page.ScreenLinks[0] = {QString(), QStringLiteral("fig"), QStringLiteral("010"), QStringLiteral("020"),
                           QStringLiteral("100"), QStringLiteral("080"), QStringLiteral("porta.png"),
                           QStringLiteral("corredor"), QString()};
    page.ScreenLinks[1] = {QString(), QStringLiteral("zzz"), QStringLiteral("1"), QStringLiteral("2"),
                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("c,d")};
    page.IconSlots[8] = {QString(), QStringLiteral("seta.png"), QStringLiteral("xvlt")};
    page.IconSlots[0] = {QString(), QStringLiteral("casa.png"), QStringLiteral("$start")};
    page.ObjBarMark = QString();
    return page;
}

class RunnerTest : public ServiceTest {
protected:
    void SetUp() override
    {
        ServiceTest::SetUp();
        const std::string text = nimbra::toCp1252(nimbra::generateScript(samplePage(), QStringLiteral("sala"))).toStdString();
        ASSERT_EQ(post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", "sala"}}, "texto", text).Body, "Ok");
    }

    Reply run(const std::string &query) { return m_client->get("/html/vestra/exescp.php?" + query); }

    static QStringList hrefs(const QString &html)
    {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        QStringList list;
        for (const auto &m : href.globalMatch(html))
            list.append(m.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&")));
        return list;
    }
};

TEST_F(RunnerTest, LinksCarryIdxPfxAndTarget)
{
    const Reply page = run("Idx=" + m_idx + "&Pfx=abc&Scp=sala");
    ASSERT_EQ(page.Status, 200);
    const QString html = QString::fromUtf8(page.Body);
    const QString base = QStringLiteral("exescp.php?Idx=%1&Pfx=abc&Scp=").arg(QString::fromStdString(m_idx));
    EXPECT_EQ(hrefs(html), QStringList({base + QStringLiteral("corredor"), base + QStringLiteral("$start"),
                                        base + QStringLiteral("xvlt")}));
    EXPECT_TRUE(html.contains(QStringLiteral("width:920px;height:440px")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"arqs/abc/sala.png\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("left:10px;top:20px;width:100px;height:80px")));
    EXPECT_TRUE(html.contains(QStringLiteral("data-kind=\"zzz\" data-arg1=\"a\" data-arg2=\"b\" data-arg3=\"c,d\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<audio id=\"somini\" autoplay src=\"pags/sons/porta_rangido.mp3\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("id=\"objetos\"")));
}

// After a returnable page, "xvlt" leads back to it.
TEST_F(RunnerTest, ReturnLeadsToTheVisitedPage)
{
    auto visited = m_client->http().Get("/html/vestra/exescp.php?Idx=1&Pfx=abc&Scp=sala");
    ASSERT_TRUE(visited);
    const std::string cookie = visited->get_header_value("Set-Cookie");
    ASSERT_FALSE(cookie.empty());
    auto back = m_client->http().Get("/html/vestra/exescp.php?Idx=1&Pfx=abc&Scp=xvlt",
                                     {{"Cookie", cookie.substr(0, cookie.find(';'))}});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->get_header_value("Location"), "exescp.php?Idx=1&Pfx=abc&Scp=sala");
}

TEST_F(RunnerTest, TextPageLook)
{
    nimbra::PageModel page = nimbra::templatePageModel();
    page.PageText = {QStringLiteral("<p>Olá</p>")};
    page.Bold = true;
    page.Underline = true;
    page.BackColor = QStringLiteral("112233");
    page.BackImage = QStringLiteral("fundo.png");
    const std::string text = nimbra::toCp1252(nimbra::generateScript(page, QStringLiteral("t"))).toStdString();
    ASSERT_EQ(post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", "t"}}, "texto", text).Body, "Ok");
    const QString html = QString::fromUtf8(run("Idx=1&Pfx=abc&Scp=t").Body);
    EXPECT_TRUE(html.contains(QStringLiteral("<p>Olá</p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("background-color:#112233")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-family:'Courier New',sans-serif;font-size:24px;font-weight:bold;text-decoration:underline")));
    EXPECT_TRUE(html.contains(QStringLiteral("url('arqs/abc/fundo.png')")));
    EXPECT_FALSE(html.contains(QStringLiteral("font-style")));
}

TEST_F(RunnerTest, StockPicturesOfNewPages)
{
    for (const char *name : {"fio.png", "icone.png", "tela01.png"}) {
        const Reply image = m_client->get(std::string("/html/vestra/arqs/abc/") + name);
        EXPECT_EQ(image.Status, 200) << name;
        EXPECT_EQ(image.Body.substr(1, 3), "PNG") << name;
    }
}
