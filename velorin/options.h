#pragma once

#include <QString>

#include <optional>
#include <string>

namespace velorin {

struct Options {
    std::string Host = "127.0.0.1";
    int Port = 8090;
    QString DataDir;
    QString SiteDir;
    bool Demo = false;
};

// --port N --data DIR [--demo] [--host H] [--site DIR]; nothing on bad
// arguments, with the reason in error.
std::optional<Options> parseOptions(int argc, char **argv, const QString &defaultSite, std::string &error);

} // namespace velorin
