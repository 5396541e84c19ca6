// nimbra-script: page scripts on the command line, read and written as
// Windows-1252 bytes.
#include "codepage.h"
#include "generator.h"
#include "modeljson.h"
#include "parser.h"
#include "storymap.h"
#include "templates.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <optional>

using namespace nimbra;

namespace {

constexpr int kFound = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "uso: nimbra-script new txt|img NOME | format [--name NOME] ARQUIVO|- | dump ARQUIVO|- | check ARQUIVO|-"
    " | graph [--start NOME] PASTA|ARQUIVOS...\n";

int usage()
{
    std::fputs(kUsageText, stderr);
    return kUsage;
}

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

std::optional<QString> readScript(const QString &path)
{
    QFile file;
    const bool opened = path == QLatin1StringView("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                       : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        std::fprintf(stderr, "nimbra-script: não foi possível ler %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "nimbra-script: erro ao ler %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return std::nullopt;
    }
    return fromCp1252(bytes);
}

int runNew(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    if (args[0] != QLatin1StringView("txt") && args[0] != QLatin1StringView("img"))
        return usage();
    const NewPageKind kind = args[0] == QLatin1StringView("txt") ? NewPageKind::Text : NewPageKind::Image;
    writeOut(toCp1252(pageTemplate(kind, args[1])));
    return 0;
}

int runFormat(QStringList args)
{
    std::optional<QString> name;
    if (args.size() == 3 && args[0] == QLatin1StringView("--name")) {
        name = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1)
        return usage();
    const auto text = readScript(args[0]);
    if (!text)
        return kUsage;
    const PageModel page = parseScriptText(*text);
    if (page.PageKind != QLatin1StringView("txt") && page.PageKind != QLatin1StringView("img")) {
        std::fprintf(stderr, "nimbra-script: tipo de página desconhecido \"%s\": o conteúdo da página se perderia\n",
                     page.PageKind.toUtf8().constData());
        return kFound;
    }
    writeOut(toCp1252(generateScript(page, name.value_or(page.HeaderName))));
    return 0;
}

int runDump(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    const auto text = readScript(args[0]);
    if (!text)
        return kUsage;
    writeOut(QJsonDocument(pageModelToJson(parseScriptText(*text))).toJson(QJsonDocument::Indented));
    return 0;
}

int runCheck(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    const auto text = readScript(args[0]);
    if (!text)
        return kUsage;
    std::vector<ScriptIssue> issues;
    parseScriptText(*text, &issues);
    QByteArray out;
    for (const ScriptIssue &issue : issues)
        out += QByteArray::number(issue.Line) + ": " + issue.Text.toUtf8() + '\n';
    writeOut(out);
    return issues.empty() ? 0 : kFound;
}

// The files of a folder in name order, or the files as given.
QStringList scriptFiles(const QStringList &args)
{
    if (args.size() == 1 && QFileInfo(args[0]).isDir()) {
        QStringList files;
        const QDir dir(args[0]);
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
            files.append(dir.filePath(name));
        return files;
    }
    return args;
}

int runGraph(QStringList args)
{
    std::optional<QString> start;
    if (args.size() >= 2 && args[0] == QLatin1StringView("--start")) {
        start = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty())
        return usage();
    std::vector<MapSource> sources;
    for (const QString &path : scriptFiles(args)) {
        const auto text = readScript(path);
        if (!text)
            return kUsage;
        PageModel page = parseScriptText(*text);
        const QString name = page.HeaderName.isEmpty() ? QFileInfo(path).completeBaseName() : page.HeaderName;
        sources.push_back({name, std::move(page), true, {}});
    }
    if (sources.empty()) {
        std::fputs("nimbra-script: nenhum script na pasta\n", stderr);
        return kUsage;
    }
    const StoryMap map = buildStoryMap(sources, start.value_or(sources.front().Name));
    writeOut(storyMapToDot(map).toUtf8());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1StringView("new"))
        return runNew(args);
    if (command == QLatin1StringView("format"))
        return runFormat(args);
    if (command == QLatin1StringView("dump"))
        return runDump(args);
    if (command == QLatin1StringView("check"))
        return runCheck(args);
    if (command == QLatin1StringView("graph"))
        return runGraph(args);
    return usage();
}
