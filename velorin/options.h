#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace velorin {

struct Options {
    std::string Host = "127.0.0.1";
    int Port = 8090;
    QString DataDir;
    QString SiteDir;
    bool Demo = false;
    int PauseSeconds = 30; // a login's pause after a run of wrong passwords
};

// What the command line asks for.
enum class Wanted { Run, Help, Version, BadUsage };

struct CommandLine {
    Wanted Want = Wanted::Run;
    Options Given;
    QString Text; // the help, the version line, or what is wrong
};

// --port N --data DIR [--demo] [--host H] [--site DIR] [--pause SECONDS], or
// --help, --version.
// arguments starts with the program name; the parser's own texts are in
// Portuguese once installPortugueseTexts() has run.
CommandLine parseCommandLine(const QStringList &arguments, const QString &defaultSite);

// The command line parser's own texts in Portuguese; needs the application object.
void installPortugueseTexts();

// The site installed beside the program (relative to its folder), or the
// build tree's when the program runs from there.
QString findSite(const QString &programDir, const QString &relativeSite, const QString &builtSite);

// A folder the service can serve the site from.
bool holdsSite(const QString &dir);

} // namespace velorin
