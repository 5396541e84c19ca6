// A school at work: 256 authors, each fetching a page every 1 to 3 s over a
// kept-alive connection of its own; then the same beside 8 connections that
// dribble a byte every 2 s and 32 that stay silent. Reports the fetches'
// 95th percentile and longest wait in milliseconds.
#include "rawsocket.h"
#include "velorin_process.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kAuthors = 256;
constexpr int kDribbling = 8;
constexpr int kSilent = 32;
const char kFetch[] = "/nimbra/wbetz/nmbGtScp.php?Login=escola&Senha=escola&Pfx=esc&Scp=inicio";

std::unique_ptr<VelorinProcess> service;

void prepare()
{
    char folder[] = "/tmp/authors_bench.XXXXXX";
    // The access log of thousands of fetches stays out of the report.
    service = std::make_unique<VelorinProcess>(mkdtemp(folder), std::vector<std::string>{}, "/dev/null");
    httplib::Client client("127.0.0.1", service->port());
    client.Get("/nimbra/wbetz/mobNwUsr.php?Login=escola&Senha=escola&Email=e@e");
    auto login = client.Get("/nimbra/wbetz/nmbLog.php?Login=escola&Senha=escola");
    const std::string body = login->body.substr(0, login->body.size() - 2);
    const std::string idx = body.substr(body.rfind('\n') + 1);
    client.Get(("/nimbra/wbetz/mobNwAdv.php?Login=escola&Senha=escola&Pfx=esc&Nom=Escola&Idx=" + idx).c_str());
}

// Every fetch's wait, in milliseconds, from every author.
class Waits {
public:
    void add(double millis)
    {
        std::lock_guard lock(m_mutex);
        m_millis.push_back(millis);
    }
    double percentile(double p)
    {
        std::lock_guard lock(m_mutex);
        if (m_millis.empty())
            return 0;
        std::sort(m_millis.begin(), m_millis.end());
        return m_millis[std::min(m_millis.size() - 1, std::size_t(p * double(m_millis.size())))];
    }
    std::size_t count()
    {
        std::lock_guard lock(m_mutex);
        return m_millis.size();
    }

private:
    std::mutex m_mutex;
    std::vector<double> m_millis;
};

void author(int seed, Clock::time_point end, Waits &waits, std::atomic<int> &failures)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pause(1000, 3000);
    httplib::Client client("127.0.0.1", service->port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(pause(random) - 1000));
    while (Clock::now() < end) {
        const auto start = Clock::now();
        auto reply = client.Get(kFetch);
        if (!reply || reply->body.compare(0, 2, "Ok") != 0)
            ++failures;
        waits.add(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
    }
}

// Connections that hold the service up as much as they can: heads dribbled
// a byte every 2 s, and connections that never send anything.
void badPeers(Clock::time_point end)
{
    std::vector<std::unique_ptr<RawSocket>> peers;
    for (int i = 0; i < kSilent + kDribbling; ++i)
        peers.push_back(std::make_unique<RawSocket>(service->port()));
    const std::string head = "GET /nimbra/wbetz/mobVrs.php HTTP/1.1\r\nX-Lento: ";
    for (std::size_t sent = 0; Clock::now() < end; ++sent) {
        for (int i = 0; i < kDribbling; ++i)
            peers[std::size_t(i)]->send(std::string(1, sent < head.size() ? head[sent] : 'z'));
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
}

void runAuthors(benchmark::State &state, bool withBadPeers)
{
    const int seconds = int(state.range(0));
    for (auto _ : state) {
        Waits waits;
        std::atomic<int> failures = 0;
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        std::thread bad;
        if (withBadPeers)
            bad = std::thread(badPeers, end);
        std::vector<std::thread> authors;
        for (int i = 0; i < kAuthors; ++i)
            authors.emplace_back(author, i, end, std::ref(waits), std::ref(failures));
        for (std::thread &thread : authors)
            thread.join();
        if (bad.joinable())
            bad.join();
        state.counters["p50_ms"] = waits.percentile(0.50);
        state.counters["p95_ms"] = waits.percentile(0.95);
        state.counters["max_ms"] = waits.percentile(1.0);
        state.counters["fetches"] = double(waits.count());
        state.counters["failures"] = failures.load();
    }
}

void BM_ManyAuthors(benchmark::State &state)
{
    runAuthors(state, false);
}

void BM_ManyAuthorsBesideSlowPeers(benchmark::State &state)
{
    runAuthors(state, true);
}

} // namespace

// Slow and silent peers are dropped after 10 s without a whole head: the
// second run stays within that.
BENCHMARK(BM_ManyAuthors)->Arg(20)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyAuthorsBesideSlowPeers)->Arg(9)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    service.reset();
    return 0;
}
