// velorin-local: the Velorin service on this machine, for the client to
// talk to without the real one.
#include "demo.h"
#include "options.h"
#include "routes.h"

#include <QDir>

#include <csignal>
#include <cstdio>
#include <thread>

using namespace velorin;

namespace {

// Ends the server on SIGINT or SIGTERM, from a thread of its own.
std::thread stopOnSignal(httplib::Server &server)
{
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
    return std::thread([&server, blocked] {
        int received = 0;
        sigwait(&blocked, &received);
        server.stop();
    });
}

int bindServer(httplib::Server &server, const Options &options)
{
    if (options.Port == 0)
        return server.bind_to_any_port(options.Host);
    return server.bind_to_port(options.Host, options.Port) ? options.Port : -1;
}

} // namespace

int main(int argc, char **argv)
{
    std::string error;
    auto options = parseOptions(argc, argv, QStringLiteral(VELORIN_SITE_DIR), error);
    if (!options) {
        std::fprintf(stderr, "velorin-local: %s\nuso: velorin-local --port N --data DIR [--demo] [--host H] [--site DIR]\n",
                     error.c_str());
        return 2;
    }
    try {
        QDir().mkpath(options->DataDir);
        Store store(QString(options->DataDir + QStringLiteral("/velorin.sqlite")).toStdString());
        Context context{store, FileStore(options->DataDir + QStringLiteral("/files")), options->SiteDir};
        if (options->Demo)
            seedDemo(context);
        httplib::Server server;
        addSiteRoutes(server, context);
        addEndpointRoutes(server, context);
        addRunnerRoutes(server, context);
        addChartRoute(server);
        const int port = bindServer(server, *options);
        if (port < 0) {
            std::fprintf(stderr, "velorin-local: não foi possível usar a porta %d\n", options->Port);
            return 1;
        }
        std::printf("%d\n", port);
        std::fflush(stdout);
        std::thread stopper = stopOnSignal(server);
        server.listen_after_bind();
        stopper.join();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "velorin-local: %s\n", e.what());
        return 1;
    }
    return 0;
}
