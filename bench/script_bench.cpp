// Page script reading and writing against a plain line split of the same bytes.
#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "templates.h"
#include "textlines.h"

#include <benchmark/benchmark.h>

using namespace nimbra;

namespace {

// A corpus of many pages, text and image, with page text and free lines.
QByteArray makeCorpusPage(int i)
{
    const QString name = QStringLiteral("pagina_%1").arg(i);
    PageModel page = parseScriptText(pageTemplate(i % 2 ? NewPageKind::Image : NewPageKind::Text, name));
    for (int k = 0; k < 6; ++k)
        page.PageText.append(QStringLiteral("<p>Linha %1 da página %2, com acentuação: ação, órgão.</p>").arg(k).arg(i));
    for (int k = 0; k < 10; ++k)
        page.ScreenLinks[k] = {QString(), QStringLiteral("fig"), QStringLiteral("010"), QStringLiteral("020"),
                               QStringLiteral("100"), QStringLiteral("080"), QStringLiteral("porta.png"),
                               QStringLiteral("sala_%1").arg(k), QString()};
    page.FreeSection = {QStringLiteral("se chave entao abre"), QStringLiteral(":rotulo"), QStringLiteral("fim")};
    return toCp1252(generateScript(page, name));
}

const std::vector<QByteArray> &corpus()
{
    static const std::vector<QByteArray> pages = [] {
        std::vector<QByteArray> v;
        for (int i = 0; i < 2000; ++i)
            v.push_back(makeCorpusPage(i));
        return v;
    }();
    return pages;
}

int64_t corpusBytes()
{
    int64_t n = 0;
    for (const QByteArray &p : corpus())
        n += p.size();
    return n;
}

void BM_LineSplit(benchmark::State &state)
{
    for (auto _ : state)
        for (const QByteArray &bytes : corpus())
            benchmark::DoNotOptimize(splitLines(fromCp1252(bytes)));
    state.SetBytesProcessed(state.iterations() * corpusBytes());
}
BENCHMARK(BM_LineSplit)->Unit(benchmark::kMillisecond);

void BM_ParseAndGenerate(benchmark::State &state)
{
    for (auto _ : state)
        for (const QByteArray &bytes : corpus()) {
            QStringList lines = splitLines(fromCp1252(bytes));
            lines.prepend(QStringLiteral("Ok"));
            const PageModel page = parsePage(lines);
            benchmark::DoNotOptimize(toCp1252(generateScript(page, page.HeaderName)));
        }
    state.SetBytesProcessed(state.iterations() * corpusBytes());
}
BENCHMARK(BM_ParseAndGenerate)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
