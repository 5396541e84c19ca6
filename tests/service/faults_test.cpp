// The client when the service fails it: stopped, frozen, broken off, erring,
// odd bytes, huge replies. The author gets a status text, the windows keep
// painting, and a page that did not open is never written over.
#include "recorder.h"

#include "codepage.h"
#include "download.h"
#include "pagesession.h"
#include "requesturl.h"
#include "serviceget.h"
#include "velorin.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <string>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

// Stops the service, a child of the test, and waits until it has stopped,
// so that no request sent afterwards can still be answered.
void freeze(pid_t pid)
{
    kill(pid, SIGSTOP);
    int status = 0;
    waitpid(pid, &status, WUNTRACED);
}

constexpr int kMillion = 1000000;

// The client as the main window wires it, with a pump that counts its calls.
struct Client {
    Client()
    {
        http.setPump([this] { ++pumps; });
        client.setIndicator([this](Activity a) { activity = a; });
    }

    void setAuthor(const char *login, const char *password, const char *prefix)
    {
        session.Login = u8(login);
        session.Password = u8(password);
        session.AdvPrefix = u8(prefix);
    }

    QString scriptUrl(const char *endpoint, const QString &name) const
    {
        return endpointUrl(session.ServiceUrl, endpoint, session.Login, session.Password,
                           {{"Pfx", session.AdvPrefix}, {"Scp", name}});
    }

    Http http;
    Session session;
    ServiceClient client{http};
    Velorin service{session, client};
    PageSession page{service};
    int pumps = 0;
    Activity activity = Activity::Rest;
};

// What a refused store must leave: no page written, the old one current.
void expectNothingStored(PageSession &page, const QString &currentName)
{
    EXPECT_FALSE(page.canStore());
    EXPECT_EQ(page.scriptName(), currentName);
    EXPECT_EQ(page.compileAndStore(page.model()), kNotLoadedStatus);
    EXPECT_EQ(page.storeSource(u8("//mob txt x\r\n  fim\r\n")), kNotLoadedStatus);
}

// The real service with its demo adventure, in a data folder that outlives
// a restart.
class FaultsOnService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        start();
        m_c.setAuthor("demo", "demo", "casa");
    }

    void TearDown() override
    {
        // A frozen service would never end.
        if (m_process && m_process->pid() > 0)
            kill(m_process->pid(), SIGCONT);
    }

    void start()
    {
        m_process.reset();
        m_process = std::make_unique<VelorinProcess>(m_dir.path().toStdString(), std::vector<std::string>{"--demo"});
        m_c.session.setSite(QString::fromStdString(m_process->baseUrl()));
    }

    // The page's bytes as the service holds them, past the client's code page.
    QByteArray storedBytes(const QString &name) { return m_c.http.get(m_c.scriptUrl("nmbGtScp.php", name)).Body; }
    QByteArray putBytes(const QString &name, const QByteArray &bytes)
    {
        return m_c.http.postField(m_c.scriptUrl("nmbPtScp.php", name), u8("texto"), bytes).Body;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_process;
    Client m_c;
};

// The recording server, for what the real service will not do.
class FaultsOnTheWire : public ::testing::Test {
protected:
    FaultsOnTheWire()
    {
        m_c.session.setSite(QString::fromStdString(m_recorder.siteUrl()));
        m_c.setAuthor("ana", "senha", "abc");
        m_c.http.setTimeouts(2000ms, 1000ms);
    }

    Recorder m_recorder;
    Client m_c;
};

const char kPage[] = "//mob txt p\r\n  boxon\r\n  <p>texto</p>\r\n  boxoff\r\n  fim\r\n";

} // namespace

TEST_F(FaultsOnService, AFailedOpenStoresNothingAndSaysWhy)
{
    const auto savedConnect = m_c.http.connectTimeout();
    const auto savedInactivity = m_c.http.inactivityTimeout();
    const struct {
        const char *what;
        const char *page;
        std::function<void()> fail;
        std::function<void()> heal;
        QString status;
    } cases[] = {
        {"service stopped between two requests", "inicio", [&] { m_process->kill9(); }, [&] { start(); }, kTryAgain},
        {"service frozen past the time-outs", "inicio",
         [&] {
             m_c.http.setTimeouts(1000ms, 1000ms);
             freeze(m_process->pid());
         },
         [&] {
             kill(m_process->pid(), SIGCONT);
             m_c.http.setTimeouts(savedConnect, savedInactivity);
         },
         kTryAgain},
        {"no connection", "inicio", [&] { m_c.client.setOnlineProbe([](const QString &) { return false; }); },
         [&] { m_c.client.setOnlineProbe({}); }, kNoConnection},
        {"a page the service does not have", "nada", [] {}, [] {}, u8("Script não encontrado")},
    };
    // Only the shown page failing to open again is refused; another page
    // that does not open leaves the shown one storable.
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(m_c.page.open(u8("inicio")).Ok);
        const QByteArray before = storedBytes(u8("inicio"));
        c.fail();
        const PageSession::Opened opened = m_c.page.open(u8(c.page));
        if (u8(c.page) == u8("inicio"))
            expectNothingStored(m_c.page, u8("inicio"));
        else
            EXPECT_TRUE(m_c.page.canStore() && m_c.page.scriptName() == u8("inicio"));
        c.heal();
        EXPECT_FALSE(opened.Ok);
        EXPECT_EQ(opened.Status, c.status);
        EXPECT_EQ(storedBytes(u8("inicio")), before);
    }
}

TEST_F(FaultsOnService, BytesOfAnotherEncodingComeBackByteForByte)
{
    // UTF-8 where the service's pages are Windows-1252, then every other byte.
    const QByteArray utf8Line = QByteArray("  <p>") + u8("Ação é € 日本").toUtf8() + "</p>";
    QByteArray bytes = "//mob txt outra\r\n  boxon\r\n" + utf8Line + "\r\n  <p>";
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            bytes += char(b);
    }
    bytes += "</p>\r\n  boxoff\r\n  fim\r\n";
    ASSERT_EQ(putBytes(u8("outra"), bytes), "Ok");

    const PageSession::Opened opened = m_c.page.open(u8("outra"));
    ASSERT_TRUE(opened.Ok) << opened.Status.toStdString();
    const QString source = Reply(opened.Reply).data().join(u8("\r\n")) + u8("\r\n");
    EXPECT_EQ(toCp1252(source), bytes);
    EXPECT_EQ(m_c.page.storeSource(source), u8("Ok"));
    EXPECT_EQ(storedBytes(u8("outra")), "Ok\r\n" + bytes);

    QString written;
    EXPECT_EQ(m_c.page.compileAndStore(m_c.page.model(), &written), u8("Ok"));
    EXPECT_TRUE(toCp1252(written).contains(utf8Line)) << written.toStdString();
    EXPECT_EQ(storedBytes(u8("outra")), "Ok\r\n" + toCp1252(written));
}

TEST_F(FaultsOnService, AMillionLinePageOpensWhole)
{
    const QString text = u8("//mob txt longa\r\n  boxon\r\n") + u8("  x\r\n").repeated(kMillion) + u8("  boxoff\r\n  fim\r\n");
    ASSERT_EQ(m_c.service.storeScript(u8("longa"), text), u8("Ok"));
    const PageSession::Opened opened = m_c.page.open(u8("longa"));
    ASSERT_TRUE(opened.Ok) << opened.Status.toStdString();
    EXPECT_EQ(opened.Reply, u8("Ok\r\n") + text);
    EXPECT_EQ(m_c.page.model().PageText.size(), kMillion);
    QString written;
    EXPECT_EQ(m_c.page.compileAndStore(m_c.page.model(), &written), u8("Ok"));
    EXPECT_EQ(written.count(u8("  x \r\n")), kMillion);
}

TEST_F(FaultsOnTheWire, AFailedOpenStoresNothingAndSaysWhy)
{
    Answer tooLarge(413, "Envio grande demais\r\n");
    tooLarge.ContentType = "text/plain; charset=windows-1252";
    const struct {
        const char *what;
        Answer answer;
        QString status;
    } cases[] = {
        {"HTTP 500", {500, kPage}, kTryAgain},
        {"HTTP 404", {404, std::string("Ok\r\n") + kPage}, kTryAgain},
        {"empty body", {200, ""}, kTryAgain},
        {"reply broken off", Answer::cutShort(kPage), kTryAgain},
        {"stalled past the time-outs", {200, kPage, 3000ms}, kTryAgain},
        {"an error text of the service", {200, "Aventura n\xE3o encontrada\r\n"}, u8("Aventura não encontrada")},
        {"a plain-text refusal", tooLarge, kTryAgain},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_recorder.answer({200, std::string("Ok\r\n") + kPage});
        ASSERT_TRUE(m_c.page.open(u8("p")).Ok);
        m_recorder.answer(c.answer);
        const PageSession::Opened opened = m_c.page.open(u8("p"));
        EXPECT_FALSE(opened.Ok);
        EXPECT_EQ(opened.Status, c.status);
        EXPECT_EQ(m_c.activity, Activity::Rest);
        expectNothingStored(m_c.page, u8("p"));
    }
    for (const Recorded &request : m_recorder.requests())
        EXPECT_NE(request.Method, "POST");
}

// What a GET or POST of its own returns when the transfer breaks, a
// redirect leads off the service, or the service refuses.
TEST_F(FaultsOnTheWire, DirectRequestsNameTheBreak)
{
    Recorder elsewhere("127.0.0.2");
    const std::string there = elsewhere.siteUrl() + "nmbPtScp.php";
    Answer tooLarge(413, "Envio grande demais (m\xE1ximo 10 MB)\r\nmais\r\n");
    tooLarge.ContentType = "text/plain; charset=windows-1252";
    const std::function<QString()> get = [&] { return m_c.service.newScript(u8("p")); };
    const std::function<QString()> post = [&] { return m_c.service.storeScript(u8("p"), u8(kPage)); };
    const char late[] = "Falha na conexão: o servidor não respondeu a tempo!!!";
    const char cut[] = "Falha na conexão: a conexão caiu no meio da resposta!!!";
    const char refused[] = "Falha na conexão: redirecionamento para outro servidor recusado!!!";
    const struct {
        const char *what;
        Answer answer;
        std::function<QString()> call;
        const char *text;
    } cases[] = {
        // A stall is seen in time whatever the transfer before it did.
        {"GET stalled", {200, "Ok", 3000ms}, get, late},
        {"GET broken off", Answer::cutShort("Ok"), get, cut},
        {"GET stalled after a break", {200, "Ok", 3000ms}, get, late},
        {"POST broken off", Answer::cutShort("Ok"), post, cut},
        {"POST stalled after a POST", {200, "Ok", 3000ms}, post, late},
        {"GET answered", {200, "Ok"}, get, "Ok"},
        {"GET stalled after a reply", {200, "Ok", 3000ms}, get, late},
        {"a GET sent to another host", Answer::redirect(302, there), get, refused},
        {"the page store sent again to another host", Answer::redirect(307, there), post, refused},
        {"another port of this host", Answer::redirect(307, "http://127.0.0.1:1/nmbPtScp.php"), post, refused},
        {"another scheme", Answer::redirect(302, "ftp://127.0.0.1/nmbPtScp.php"), get, refused},
        {"a plain-text refusal", tooLarge, post, "Envio grande demais (máximo 10 MB)"},
        {"an error page", Answer(500, "<html>erro</html>"), post, "Falha na conexão: o servidor respondeu com erro 500!!!"},
    };
    for (const auto &c : cases) {
        m_recorder.answer(c.answer);
        EXPECT_EQ(c.call(), u8(c.text)) << c.what;
    }
    EXPECT_TRUE(elsewhere.requests().empty());
}


TEST_F(FaultsOnTheWire, EveryByteOfAReplyRoundTrips)
{
    std::string body = "Ok\r\n" + u8("Ação € 日本").toStdString();
    for (int b = 0; b < 256; ++b)
        body += char(b);
    m_recorder.answer({200, body});
    const QString reply = m_c.service.fetchScript(u8("p"));
    EXPECT_EQ(toCp1252(reply), QByteArray::fromStdString(body));

    m_recorder.answer({200, "Ok"});
    ASSERT_EQ(m_c.service.storeScript(u8("p"), reply), u8("Ok"));
    const Recorded post = m_recorder.last();
    ASSERT_EQ(post.Files.count("texto"), 1u);
    EXPECT_EQ(post.Files.find("texto")->second.content, body);
}

TEST_F(FaultsOnTheWire, AMillionLineListArrivesWhole)
{
    std::string body = "Ok\r\n";
    for (int i = 0; i < kMillion; ++i)
        body += "sala_" + std::to_string(i) + "\r\n";
    m_recorder.answer({200, body});
    const QStringList names = m_c.service.listScripts();
    ASSERT_EQ(names.size(), kMillion);
    EXPECT_EQ(names.front(), u8("sala 0"));
    EXPECT_EQ(names.back(), u8("sala 999999"));
}

TEST_F(FaultsOnTheWire, RepliesWithoutBoundsEndAsFailures)
{
    m_c.http.setLimits({qint64(1) << 20, 800ms}, {qint64(1) << 20, 800ms});
    const std::string block(64 * 1024, 'x');
    QTemporaryDir folder;
    const QString target = folder.filePath(u8("som.mp3"));
    const struct {
        const char *what;
        Answer answer;
        const char *text;
    } cases[] = {
        {"a service that trickles", Answer::flowing(Answer::Flow::Trickle, "Ok\r\nsala\r\n"), "o servidor demorou demais"},
        {"a body without end", Answer::flowing(Answer::Flow::Endless, block), "resposta grande demais"},
        {"2 GB announced", Answer::flowing(Answer::Flow::HugeLength, block), "resposta grande demais"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_recorder.answer(c.answer);
        const QString failure = u8("Falha na conexão: ") + u8(c.text) + u8("!!!");
        EXPECT_EQ(m_c.service.newScript(u8("p")), failure);
        EXPECT_TRUE(m_c.service.listScripts().isEmpty());
        EXPECT_EQ(downloadToFile(m_c.http, QString::fromStdString(m_recorder.siteUrl()) + u8("som.mp3"), target),
                  failure);
        EXPECT_TRUE(QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            << "something of the download was kept";
    }
}

// Within the service the page store follows, its body sent again.
TEST_F(FaultsOnTheWire, RedirectsWithinTheServiceAreFollowed)
{
    m_recorder.answerInTurn({Answer::redirect(307, "/outro/nmbPtScp.php"), Answer(200, "Ok")});
    EXPECT_EQ(m_c.service.storeScript(u8("p"), u8(kPage)), u8("Ok"));
    const Recorded followed = m_recorder.last();
    EXPECT_EQ(followed.Target.rfind("/outro/nmbPtScp.php", 0), 0u);
    EXPECT_EQ(followed.Files.count("texto"), 1u);
}

// A slow transfer of any kind keeps the windows painting many times a
// second, not once a second, and the author can cancel it.
TEST_F(FaultsOnTheWire, SlowTransfersKeepPaintingAndCanBeCancelled)
{
    m_c.http.setTimeouts(2000ms, 10000ms);
    const struct {
        const char *what;
        std::function<QString()> call;
        bool answers;
    } cases[] = {
        {"ServiceGet", [&] { return m_c.service.fetchScript(u8("p")); }, true},
        {"direct GET", [&] { return m_c.service.newScript(u8("p")); }, true},
        {"POST", [&] { return m_c.service.storeScript(u8("p"), u8(kPage)); }, true},
        {"page open", [&] { return m_c.page.open(u8("q")).Status; }, false},
    };
    for (const auto &c : cases) {
        m_c.http.setPump([&] { ++m_c.pumps; });
        m_recorder.answer({200, "Ok", 1500ms});
        m_c.pumps = 0;
        if (c.answers) {
            EXPECT_EQ(c.call(), u8("Ok")) << c.what;
            EXPECT_GT(m_c.pumps, 10) << c.what;
        }
        m_recorder.answer({200, std::string("Ok\r\n") + kPage, 3000ms});
        m_c.http.setPump([&] {
            if (++m_c.pumps == 3)
                m_c.http.cancel();
        });
        m_c.pumps = 0;
        EXPECT_EQ(c.call(), kCancelledText) << c.what;
    }
}

TEST_F(FaultsOnTheWire, NoTransferStartsInsideAnotherOrAfterTheEnd)
{
    m_recorder.answer({200, "Ok", 300ms});
    const QString url = QString::fromStdString(m_recorder.siteUrl()) + u8("mobVrs.php");
#ifdef QT_NO_DEBUG
    std::optional<HttpResult> inner;
    m_c.http.setPump([&] {
        if (!inner)
            inner = m_c.http.get(url);
    });
    const HttpResult outer = m_c.http.get(url);
    EXPECT_TRUE(outer.Ok);
    EXPECT_EQ(outer.Body, "Ok");
    ASSERT_TRUE(inner);
    EXPECT_FALSE(inner->Ok);
    EXPECT_EQ(m_recorder.requests().size(), 1u);
#else
    m_c.http.setPump([&] { m_c.http.get(url); });
    EXPECT_DEATH(m_c.http.get(url), "another runs");
#endif
    m_c.http.stop();
    EXPECT_EQ(m_c.service.newScript(u8("p")), kCancelledText);
    EXPECT_EQ(m_c.service.fetchScript(u8("p")), kCancelledText);
    EXPECT_LE(m_recorder.requests().size(), 1u);
}
