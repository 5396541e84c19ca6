#include "options.h"

#include <cstring>

namespace velorin {

static bool parsePort(const char *text, int &port)
{
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 65535)
        return false;
    port = int(value);
    return true;
}

std::optional<Options> parseOptions(int argc, char **argv, const QString &defaultSite, std::string &error)
{
    Options options;
    options.SiteDir = defaultSite;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--demo") {
            options.Demo = true;
        } else if (arg == "--port" && hasValue) {
            if (!parsePort(argv[++i], options.Port)) {
                error = "porta inválida";
                return std::nullopt;
            }
        } else if (arg == "--data" && hasValue) {
            options.DataDir = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--host" && hasValue) {
            options.Host = argv[++i];
        } else if (arg == "--site" && hasValue) {
            options.SiteDir = QString::fromLocal8Bit(argv[++i]);
        } else {
            error = "opção desconhecida: " + arg;
            return std::nullopt;
        }
    }
    if (options.DataDir.isEmpty()) {
        error = "falta --data DIR";
        return std::nullopt;
    }
    return options;
}

} // namespace velorin
