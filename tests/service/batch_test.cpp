// Fetches of many pages with several transfers in flight: the same
// cookies, headers, limits, redirect rule and cancel as the one request at
// a time, each failure its own, and never a batch inside another transfer.
#include "recorder.h"

#include "codepage.h"
#include "http.h"
#include "serviceget.h"
#include "session.h"
#include "velorin.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

class Batches : public ::testing::Test {
protected:
    Batches() { m_http.setTimeouts(2000ms, 1000ms); }

    QString url(int n) const { return QString::fromStdString(m_recorder.siteUrl()) + u8("p?n=%1").arg(n); }
    QStringList urls(int count) const
    {
        QStringList all;
        for (int n = 0; n < count; ++n)
            all.append(url(n));
        return all;
    }
    std::vector<HttpResult> fetch(int count, const Http::Progress &progress = {})
    {
        return m_http.getMany(urls(count), ServiceClient::kInFlight, progress);
    }

    Recorder m_recorder;
    Http m_http;
};

std::string header(const Recorded &request, const char *name)
{
    const auto found = request.Headers.find(name);
    return found == request.Headers.end() ? std::string() : found->second;
}

} // namespace

TEST_F(Batches, RepliesComeInTheOrderAskedWithTheSessionsCookieAndHeaders)
{
    m_recorder.answer({200, "Ok", 0ms, "sessao=abc; Path=/"});
    ASSERT_TRUE(m_http.get(url(99)).Ok);
    const Recorded single = m_recorder.last();
    m_recorder.answer(Answer::echo(100ms));
    std::vector<std::pair<int, int>> told;
    const std::vector<HttpResult> results = fetch(10, [&](int done, int total) { told.emplace_back(done, total); });

    ASSERT_EQ(results.size(), 10u);
    for (int n = 0; n < 10; ++n) {
        EXPECT_TRUE(results[size_t(n)].Ok) << n;
        EXPECT_EQ(results[size_t(n)].Body, QByteArray("/p?n=") + QByteArray::number(n));
    }
    const std::vector<Recorded> requests = m_recorder.requests();
    ASSERT_EQ(requests.size(), 11u);
    for (size_t i = 1; i < requests.size(); ++i) {
        EXPECT_EQ(header(requests[i], "Cookie"), "sessao=abc");
        for (const char *name : {"User-Agent", "Accept"})
            EXPECT_EQ(header(requests[i], name), header(single, name)) << name;
    }
    EXPECT_EQ(m_recorder.mostAtOnce(), ServiceClient::kInFlight);
    ASSERT_EQ(told.size(), 10u);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(told[size_t(k)], std::make_pair(k + 1, 10));
}

TEST_F(Batches, EachFailureIsNamedLikeThatOfASingleRequest)
{
    m_http.setLimits({qint64(1) << 20, 1500ms}, kDownloadLimits);
    Recorder elsewhere("127.0.0.2");
    Answer refusal(413, "Pedido recusado\r\n");
    refusal.ContentType = "text/plain; charset=windows-1252";
    const struct {
        const char *what;
        Answer answer;
        const char *text;
    } cases[] = {
        {"HTTP 500", {500, "erro"}, "Falha na conexão: o servidor respondeu com erro 500!!!"},
        {"broken off", Answer::cutShort("Ok"), "Falha na conexão: a conexão caiu no meio da resposta!!!"},
        {"stalled", {200, "Ok", 3000ms}, "Falha na conexão: o servidor não respondeu a tempo!!!"},
        {"trickling", Answer::flowing(Answer::Flow::Trickle, "Ok"), "Falha na conexão: o servidor demorou demais!!!"},
        {"without end", Answer::flowing(Answer::Flow::Endless, std::string(64 * 1024, 'x')),
         "Falha na conexão: resposta grande demais!!!"},
        {"off the service", Answer::redirect(302, elsewhere.siteUrl() + "p"),
         "Falha na conexão: redirecionamento para outro servidor recusado!!!"},
        {"a plain-text refusal", refusal, "Pedido recusado"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_recorder.answer(c.answer);
        for (const HttpResult &result : fetch(3))
            EXPECT_EQ(result.failureText(), u8(c.text));
    }
    EXPECT_TRUE(elsewhere.requests().empty());
}

TEST_F(Batches, CancelEndsTheRunningTransfersAndStartsNoMore)
{
    m_recorder.answer({200, "Ok", 400ms});
    int pumps = 0;
    m_http.setPump([&] {
        if (++pumps == 2)
            m_http.cancel();
    });
    const std::vector<HttpResult> results = fetch(12);
    ASSERT_EQ(results.size(), 12u);
    for (const HttpResult &result : results) {
        EXPECT_TRUE(result.Cancelled);
        EXPECT_EQ(result.failureText(), kCancelledText);
    }
    EXPECT_LE(m_recorder.requests().size(), size_t(ServiceClient::kInFlight));

    m_http.stop();
    for (const HttpResult &result : fetch(2))
        EXPECT_TRUE(result.Cancelled);
}

// The editor's own request may run while a batch waits; no batch starts
// inside a transfer or inside another batch.
TEST_F(Batches, ABatchYieldsToARequestAndNeverRunsInsideOne)
{
    m_recorder.answer(Answer::echo(150ms));
    std::optional<HttpResult> inner;
    std::optional<std::vector<HttpResult>> innerBatch;
    m_http.setPump([&] {
        if (!inner)
            inner = m_http.get(url(50));
        else if (!innerBatch)
            innerBatch = fetch(2);
    });
    const std::vector<HttpResult> outer = fetch(6);
    for (size_t n = 0; n < outer.size(); ++n)
        EXPECT_EQ(outer[n].Body, QByteArray("/p?n=") + QByteArray::number(qsizetype(n)));
    ASSERT_TRUE(inner && innerBatch);
    EXPECT_EQ(inner->Body, "/p?n=50");
    for (const HttpResult &refused : *innerBatch)
        EXPECT_EQ(refused.Error, u8("outra transferência em andamento"));

    std::optional<std::vector<HttpResult>> batchInRequest;
    m_http.setPump([&] {
        if (!batchInRequest)
            batchInRequest = fetch(2);
    });
    EXPECT_TRUE(m_http.get(url(60)).Ok);
    ASSERT_TRUE(batchInRequest);
    for (const HttpResult &refused : *batchInRequest)
        EXPECT_EQ(refused.Error, u8("outra transferência em andamento"));
    EXPECT_EQ(m_recorder.requests().size(), 8u);
}

TEST(PageBatches, TheServiceGivesEachPageAsItsOwnFetchDoes)
{
    QTemporaryDir dir;
    VelorinProcess process(dir.path().toStdString(), {"--demo"});
    Http http;
    Session session;
    ServiceClient client(http);
    Velorin service(session, client);
    session.setSite(QString::fromStdString(process.baseUrl()));
    session.Login = session.Password = u8("demo");
    session.AdvPrefix = u8("casa");
    QStringList names = service.listScripts();
    ASSERT_GE(names.size(), 6);
    names.insert(2, u8("não existe"));
    const QStringList replies = service.fetchScripts(names);
    ASSERT_EQ(replies.size(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(replies[i], service.fetchScript(names[i])) << names[i].toStdString();
    EXPECT_TRUE(replies[0].startsWith(u8("Ok\r\n")));
    EXPECT_EQ(replies[2], u8("Script não encontrado"));

    client.setOnlineProbe([](const QString &) { return false; });
    EXPECT_EQ(service.fetchScripts(names.mid(0, 2)), QStringList(2, kNoConnection));
}
