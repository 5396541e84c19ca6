// Building and laying out the story map of a large generated adventure.
#include "parser.h"
#include "storymap.h"
#include "templates.h"

#include <benchmark/benchmark.h>

using namespace nimbra;

namespace {

// Every page links to the next two pages and back to the start; every tenth
// has a broken link.
std::vector<MapSource> generatedAdventure(int pages)
{
    std::vector<MapSource> sources;
    for (int i = 0; i < pages; ++i) {
        const QString name = QStringLiteral("pagina_%1").arg(i);
        PageModel page = parseScriptText(pageTemplate(i % 2 ? NewPageKind::Image : NewPageKind::Text, name));
        page.IconSlots[0] = {QString(), QStringLiteral("a.png"), QStringLiteral("pagina_%1").arg((i + 1) % pages)};
        page.IconSlots[1] = {QString(), QStringLiteral("b.png"), QStringLiteral("pagina_%1").arg((i * 7 + 3) % pages)};
        page.IconSlots[8] = {QString(), QStringLiteral("c.png"), i % 10 ? QStringLiteral("$start") : QStringLiteral("sumida")};
        sources.push_back({name, page, true, {}});
    }
    return sources;
}

void BM_BuildAndLayOutMap(benchmark::State &state)
{
    const std::vector<MapSource> sources = generatedAdventure(int(state.range(0)));
    for (auto _ : state) {
        const StoryMap map = buildStoryMap(sources, QStringLiteral("pagina_0"));
        benchmark::DoNotOptimize(layoutStoryMap(map));
    }
}
BENCHMARK(BM_BuildAndLayOutMap)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
