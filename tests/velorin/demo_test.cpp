#include "fixture.h"

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

// What the demo holds is in cases/exchanges/demo.txt; here each of its
// pages reads as a page of the client and runs.
TEST_F(DemoTest, EveryPageOpensAndRuns)
{
    const QStringList pages = demo("nmbLsScp", {{"Pfx", "casa"}}).lines();
    ASSERT_EQ(pages.size(), 7);
    for (const QString &name : pages.mid(1)) {
        const QStringList script = demo("nmbGtScp", {{"Pfx", "casa"}, {"Scp", name.toStdString()}}).lines();
        const nimbra::PageModel page = nimbra::parsePage(script);
        EXPECT_TRUE(page.PageKind == u"txt" || page.PageKind == u"img") << name.toStdString();
        const Reply html = m_client->get("/html/vestra/exescp.php?Idx=1&Pfx=casa&Scp=" + name.toStdString());
        EXPECT_EQ(html.Status, 200) << name.toStdString();
    }
}
