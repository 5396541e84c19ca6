// The client's cold start: from creating the main window to its web views
// showing their first pages (the run view on a page of the local service's
// demo), and the memory the process holds then. Needs a display: run it
// under xvfb-run, as scripts/bench.sh does.
#include "requesturl.h"
#include "tform1.h"
#include "tform3.h"
#include "tform5.h"
#include "velorin_process.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<VelorinProcess> service;
constexpr std::chrono::seconds kLoadLimit(60);

// VmRSS of this process (the web engine's own processes not counted).
double residentMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// Loads every view and runs the event loop until each has finished its
// first page; false when one fails or the time limit passes.
bool loadFirstPages(const std::vector<std::pair<QWebEngineView *, QUrl>> &views)
{
    QEventLoop loop;
    std::size_t pending = views.size();
    bool allLoaded = true;
    for (const auto &[view, url] : views) {
        QObject::connect(
            view, &QWebEngineView::loadFinished, &loop,
            [&](bool ok) {
                allLoaded = allLoaded && ok;
                if (--pending == 0)
                    loop.quit();
            },
            Qt::SingleShotConnection);
        view->load(url);
    }
    QTimer::singleShot(kLoadLimit, &loop, [&] {
        allLoaded = false;
        loop.quit();
    });
    loop.exec();
    return allLoaded && pending == 0;
}

// One start per run: only the first one in a process is cold.
void BM_ClientColdStart(benchmark::State &state)
{
    const QString site = QString::fromStdString(service->baseUrl());
    const QUrl runPage(nimbra::runUrl(site, QStringLiteral("1"), QStringLiteral("casa"), QStringLiteral("inicio")));
    double resident = 0;
    for (auto _ : state) {
        auto main = std::make_unique<nimbra::TForm1>();
        main->work.session.setSite(site);
        main->createWindows();
        main->show();
        main->form3->show();
        main->form5->show();
        if (!loadFirstPages({{main->form3->Web, runPage}, {main->form5->Web, QUrl(QStringLiteral("about:blank"))}})) {
            state.SkipWithError("a web view did not load its first page");
            break;
        }
        resident = residentMiB();
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
    state.counters["rss_mib"] = resident;
}

} // namespace

BENCHMARK(BM_ClientColdStart)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const QTemporaryDir data;
    service = std::make_unique<VelorinProcess>(data.path().toStdString(), std::vector<std::string>{"--demo"});
    // The web views share the windows' graphics context, as in the program.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    service.reset();
    return 0;
}
