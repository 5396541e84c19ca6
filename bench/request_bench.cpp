// ServiceGet, OpenPage and CompileAndStore against the plain transfer they
// wrap, on the same running local service.
#include "pagesession.h"
#include "requesturl.h"
#include "serviceget.h"
#include "velorin.h"
#include "velorin_process.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <memory>

using namespace nimbra;

namespace {

struct Stage {
    Stage() : process(dir.path().toStdString(), {"--demo"})
    {
        session.setSite(QString::fromStdString(process.baseUrl()));
        session.Login = QStringLiteral("demo");
        session.Password = QStringLiteral("demo");
        session.UserIdx = QStringLiteral("1");
        session.AdvPrefix = QStringLiteral("casa");
    }
    QString fetchUrl(const char *page) const
    {
        return endpointUrl(session.ServiceUrl, "nmbGtScp.php", session.Login, session.Password,
                           {{"Pfx", session.AdvPrefix}, {"Scp", QString::fromUtf8(page)}});
    }
    QTemporaryDir dir;
    VelorinProcess process;
    Session session;
    Http http;
    ServiceClient client{http};
    Velorin service{session, client};
};

Stage &stage()
{
    static Stage s;
    return s;
}

size_t discard(char *, size_t size, size_t count, void *)
{
    return size * count;
}

void BM_BareCurlGet(benchmark::State &state)
{
    const std::string url = stage().fetchUrl("sala").toStdString();
    CURL *curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_TCP_NODELAY, 1L);
    for (auto _ : state) {
        if (curl_easy_perform(curl) != CURLE_OK)
            state.SkipWithError("transfer failed");
    }
    curl_easy_cleanup(curl);
}
BENCHMARK(BM_BareCurlGet)->UseRealTime();

void BM_BareCurlPost(benchmark::State &state)
{
    const std::string url = endpointUrl(stage().session.ServiceUrl, "nmbPtScp.php", stage().session.Login,
                                        stage().session.Password, {{"Pfx", QStringLiteral("casa")}, {"Scp", QStringLiteral("porao")}})
                                .toStdString();
    PageSession page(stage().service);
    page.open(QStringLiteral("porao"));
    QString text;
    page.compileAndStore(page.model(), &text);
    const std::string body = text.toStdString();
    CURL *curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_TCP_NODELAY, 1L);
    for (auto _ : state) {
        curl_mime *mime = curl_mime_init(curl);
        curl_mimepart *part = curl_mime_addpart(mime);
        curl_mime_name(part, "texto");
        curl_mime_data(part, body.data(), body.size());
        curl_easy_setopt(curl, CURLOPT_MIMEPOST, mime);
        if (curl_easy_perform(curl) != CURLE_OK)
            state.SkipWithError("transfer failed");
        curl_mime_free(mime);
    }
    curl_easy_cleanup(curl);
}
BENCHMARK(BM_BareCurlPost)->UseRealTime();

void BM_ServiceGet(benchmark::State &state)
{
    const QString url = stage().fetchUrl("sala");
    for (auto _ : state)
        benchmark::DoNotOptimize(stage().client.ServiceGet(url));
}
BENCHMARK(BM_ServiceGet)->UseRealTime();

void BM_OpenPage(benchmark::State &state)
{
    PageSession page(stage().service);
    for (auto _ : state) {
        if (!page.open(QStringLiteral("sala")).Ok)
            state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenPage)->UseRealTime();

void BM_CompileAndStore(benchmark::State &state)
{
    PageSession page(stage().service);
    page.open(QStringLiteral("porao"));
    const PageModel model = page.model();
    for (auto _ : state)
        benchmark::DoNotOptimize(page.compileAndStore(model));
}
BENCHMARK(BM_CompileAndStore)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
