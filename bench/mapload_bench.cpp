// Opening the story map of a 1000-page adventure: every page fetched from a
// running local service, then the map built and laid out. On loopback and
// behind a line that holds every answer 50 ms, as a service far away does;
// the pages one after another against several in flight.
#include "delayline.h"
#include "largeadventure.h"
#include "maploader.h"
#include "storymap.h"
#include "velorin.h"
#include "velorin_process.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace nimbra;

namespace {

constexpr int kPages = 1000;

struct Stage {
    Stage() : process(dir.path().toStdString(), {"--demo"})
    {
        session.setSite(QString::fromStdString(process.baseUrl()));
        session.Login = session.Password = QStringLiteral("demo");
        session.UserIdx = QStringLiteral("1");
        session.AdvPrefix = QStringLiteral("casa");
        names = storeLargeAdventure(service, kPages);
    }
    QTemporaryDir dir;
    VelorinProcess process;
    Session session;
    Http http;
    ServiceClient client{http};
    Velorin service{session, client};
    QStringList names;
};

Stage &stage()
{
    static Stage s;
    return s;
}

// A store that fetches one page after another, as the map did before.
class OneAtATime final : public ScriptStore {
public:
    explicit OneAtATime(ScriptStore &store) : m_store(store) {}
    QString fetchScript(const QString &name) override { return m_store.fetchScript(name); }
    QString storeScript(const QString &name, const QString &text) override { return m_store.storeScript(name, text); }

private:
    ScriptStore &m_store;
};

void openMap(benchmark::State &state, bool together)
{
    Stage &s = stage();
    if (s.names.size() != kPages) {
        state.SkipWithError("the adventure could not be stored");
        return;
    }
    std::unique_ptr<DelayLine> line;
    if (state.range(0) > 0)
        line = std::make_unique<DelayLine>(s.process.port(), std::chrono::milliseconds(state.range(0)));
    Session far = s.session;
    far.setSite(line ? QString::fromStdString(line->baseUrl()) : s.session.SiteUrl);
    Http http;
    ServiceClient client(http);
    Velorin service(far, client);
    OneAtATime oneByOne(service);
    ScriptStore &store = together ? static_cast<ScriptStore &>(service) : oneByOne;
    for (auto _ : state) {
        const std::vector<MapSource> sources = fetchMapSources(store, s.names);
        const StoryMap map = buildStoryMap(sources, QStringLiteral("pagina_0"));
        benchmark::DoNotOptimize(layoutStoryMap(map));
        if (map.Pages.size() != size_t(kPages) || !map.Pages.back().Loaded)
            state.SkipWithError("a page did not load");
    }
}

void BM_OpenMapFourInFlight(benchmark::State &state)
{
    openMap(state, true);
}
void BM_OpenMapOneAtATime(benchmark::State &state)
{
    openMap(state, false);
}

} // namespace

// The argument is the hold of every answer, in milliseconds.
BENCHMARK(BM_OpenMapFourInFlight)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenMapFourInFlight)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenMapOneAtATime)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenMapOneAtATime)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
