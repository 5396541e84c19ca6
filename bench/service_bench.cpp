// Page script fetches and stores against a running velorin-local, four
// clients in parallel, each on its own kept-alive connection.
#include "velorin_process.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<VelorinProcess> service;
const char kQuery[] = "?Login=banco&Senha=banco&Pfx=bnc&Scp=pagina";

std::string scriptText()
{
    std::string text = "//mob txt pagina\r\n  margem= 0,10,0,0\r\n  texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000\r\n";
    text += "  boxon\r\n";
    for (int i = 0; i < 20; ++i)
        text += "  <p>Linha de texto da p\xE1gina, com acentua\xE7\xE3o.</p> \r\n";
    return text + "  boxoff\r\n  fim\r\n";
}

void prepare()
{
    char folder[] = "/tmp/service_bench.XXXXXX";
    service = std::make_unique<VelorinProcess>(mkdtemp(folder));
    httplib::Client client("127.0.0.1", service->port());
    client.Get("/nimbra/wbetz/mobNwUsr.php?Login=banco&Senha=banco&Email=b@b");
    auto login = client.Get("/nimbra/wbetz/nmbLog.php?Login=banco&Senha=banco");
    const std::string idx = login->body.substr(login->body.rfind("\r\n", login->body.size() - 3) + 2);
    client.Get(("/nimbra/wbetz/mobNwAdv.php?Login=banco&Senha=banco&Pfx=bnc&Nom=Banco&Idx=" +
                idx.substr(0, idx.size() - 2)).c_str());
    client.Post((std::string("/nimbra/wbetz/nmbPtScp.php") + kQuery).c_str(),
                httplib::MultipartFormDataItems{{"texto", scriptText(), "", ""}});
}

void BM_nmbGtScp(benchmark::State &state)
{
    httplib::Client client("127.0.0.1", service->port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    const std::string path = std::string("/nimbra/wbetz/nmbGtScp.php") + kQuery;
    for (auto _ : state) {
        auto reply = client.Get(path.c_str());
        if (!reply || reply->body.compare(0, 2, "Ok") != 0)
            state.SkipWithError("fetch failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_nmbPtScp(benchmark::State &state)
{
    httplib::Client client("127.0.0.1", service->port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    const std::string path = std::string("/nimbra/wbetz/nmbPtScp.php") + kQuery;
    const httplib::MultipartFormDataItems body{{"texto", scriptText(), "", ""}};
    for (auto _ : state) {
        auto reply = client.Post(path.c_str(), body);
        if (!reply || reply->body != "Ok")
            state.SkipWithError("store failed");
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_nmbGtScp)->Threads(4)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_nmbPtScp)->Threads(4)->UseRealTime()->MinTime(2.0);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    service.reset();
    return 0;
}
