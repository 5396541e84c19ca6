// velorin-local: the Velorin service on this machine, for the client to
// talk to without the real one.
#include "demo.h"
#include "options.h"
#include "routes.h"
#include "server.h"

#include <QCoreApplication>
#include <QDir>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <optional>
#include <thread>

using namespace velorin;

namespace {

// Ends the server on SIGINT or SIGTERM, from a thread of its own.
std::thread stopOnSignal(HttpServer &server)
{
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
    return std::thread([&server, blocked] {
        int received = 0;
        sigwait(&blocked, &received);
        server.halt();
    });
}

int bindServer(HttpServer &server, const Options &options)
{
    if (options.Port == 0)
        return server.bind_to_any_port(options.Host);
    return server.bind_to_port(options.Host, options.Port) ? options.Port : -1;
}

// The service's command line; exits early for --help, --version and bad usage.
std::optional<Options> readCommandLine(int &exitCode)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString site = findSite(programDir, QStringLiteral(VELORIN_SITE_RELATIVE), QStringLiteral(VELORIN_SITE_DIR));
    const CommandLine line = parseCommandLine(QCoreApplication::arguments(), site);
    exitCode = 0;
    switch (line.Want) {
    case Wanted::Run:
        return line.Given;
    case Wanted::Help:
    case Wanted::Version:
        std::printf("%s\n", qPrintable(line.Text));
        return std::nullopt;
    case Wanted::BadUsage:
        break;
    }
    std::fprintf(stderr,
                 "velorin-local: %s\nuso: velorin-local --port N --data DIR [--demo] [--host H] [--site DIR]"
                 " [--pause SEGUNDOS]\n",
                 qPrintable(line.Text));
    exitCode = 2;
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Numbers the service writes keep their dot whatever the machine's language.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("velorin-local"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NIMBRA_VERSION));
    installPortugueseTexts();
    int exitCode = 0;
    const auto options = readCommandLine(exitCode);
    if (!options)
        return exitCode;
    if (!holdsSite(options->SiteDir)) {
        std::fprintf(stderr, "velorin-local: não há site na pasta %s (indique a pasta do site com --site DIR)\n",
                     qPrintable(QDir::toNativeSeparators(options->SiteDir)));
        return 1;
    }
    try {
        QDir().mkpath(options->DataDir);
        Store store(QString(options->DataDir + QStringLiteral("/velorin.sqlite")).toStdString());
        Authenticator authenticator(store, std::chrono::seconds(options->PauseSeconds));
        Context context{store, authenticator, FileStore(options->DataDir + QStringLiteral("/files")), options->SiteDir};
        if (options->Demo)
            seedDemo(context);
        HttpServer server;
        addSiteRoutes(server, context);
        addEndpointRoutes(server, context);
        addRunnerRoutes(server, context);
        addChartRoute(server);
        addFallbackRoute(server);
        const int port = bindServer(server, *options);
        if (port < 0) {
            std::fprintf(stderr, "velorin-local: não foi possível usar a porta %d\n", options->Port);
            return 1;
        }
        std::printf("%d\n", port);
        std::fflush(stdout);
        std::thread stopper = stopOnSignal(server);
        server.serve();
        stopper.join();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "velorin-local: %s\n", e.what());
        return 1;
    }
    return 0;
}
