// nimbra-script: page scripts on the command line, read and written as
// Windows-1252 bytes.
#include "adventurecheck.h"
#include "codepage.h"
#include "generator.h"
#include "modeljson.h"
#include "pagesession.h"
#include "parser.h"
#include "storymap.h"
#include "templates.h"
#include "textlines.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <functional>
#include <optional>

using namespace nimbra;

namespace {

constexpr int kFound = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "uso: nimbra-script new txt|img NOME | format [--name NOME] ARQUIVO|- | dump ARQUIVO|- | check ARQUIVO|-"
    " | graph [--start NOME] PASTA|ARQUIVOS... | lint [--start NOME] [--files LISTA] PASTA|ARQUIVOS..."
    " | --help | --version\n";

const char kCommandsText[] =
    "Lê e escreve scripts de página como bytes Windows-1252.\n\n"
    "  new txt|img NOME                 modelo de uma página nova\n"
    "  format [--name NOME] ARQUIVO     o script como o editor o grava\n"
    "  dump ARQUIVO                     o modelo da página em JSON\n"
    "  check ARQUIVO                    o que não segue o formato, por linha\n"
    "  graph [--start NOME] PASTA|ARQUIVOS...  as páginas e seus links em Graphviz dot\n"
    "  lint [--start NOME] [--files LISTA] PASTA|ARQUIVOS...\n"
    "                                   o que quebraria para o jogador: links sem página, páginas\n"
    "                                   que a inicial não alcança, figuras e sons fora da LISTA\n\n"
    "ARQUIVO pode ser - para a entrada padrão.\n"
    "Saída: 0 tudo certo, 1 problemas encontrados (ou uma página que não pode ser gravada),"
    " 2 uso errado ou arquivo ilegível.\n\nOpções:\n";

struct Options {
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra esta ajuda.")};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Mostra a versão.")};
    QCommandLineOption Name{QStringLiteral("name"), QStringLiteral("format: o nome escrito no cabeçalho."),
                            QStringLiteral("NOME")};
    QCommandLineOption Start{QStringLiteral("start"), QStringLiteral("graph, lint: a página inicial."),
                             QStringLiteral("NOME")};
    QCommandLineOption Files{QStringLiteral("files"),
                             QStringLiteral("lint: os arquivos da aventura no serviço, um nome por linha."),
                             QStringLiteral("LISTA")};

    QList<QCommandLineOption> all() const { return {Help, Version, Name, Start, Files}; }
};

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

QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    const QString value = option.valueName().isEmpty() ? QString() : u' ' + option.valueName();
    return names.join(QStringLiteral(", ")) + value;
}

// The commands, then one line per option from the options themselves.
int help(const Options &options)
{
    QString text = QString::fromLatin1(kUsageText) + QString::fromUtf8(kCommandsText);
    for (const QCommandLineOption &option : options.all())
        text += QStringLiteral("  %1  %2\n").arg(optionNames(option), -30).arg(option.description());
    writeOut(text.toUtf8());
    return 0;
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

// What the command line asks for, once the options are taken out.
struct Request {
    QString Command;
    QStringList Args;
    std::optional<QString> Name;
    std::optional<QString> Start;
    std::optional<QString> Files;
};

std::optional<QString> valueOf(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

int runNew(const Request &r)
{
    if (r.Args.size() != 2)
        return usage();
    if (r.Args[0] != QLatin1StringView("txt") && r.Args[0] != QLatin1StringView("img"))
        return usage();
    const NewPageKind kind = r.Args[0] == QLatin1StringView("txt") ? NewPageKind::Text : NewPageKind::Image;
    writeOut(toCp1252(pageTemplate(kind, r.Args[1])));
    return 0;
}

// Without a kind the page cannot be written back, as in the editor.
int runFormat(const Request &r)
{
    if (r.Args.size() != 1)
        return usage();
    const auto text = readScript(r.Args[0]);
    if (!text)
        return kUsage;
    const PageModel page = parseScriptText(*text);
    if (const std::optional<QString> refused = compileRefusal(page)) {
        std::fprintf(stderr, "nimbra-script: %s\n", refused->toUtf8().constData());
        return kFound;
    }
    writeOut(toCp1252(generateScript(page, r.Name.value_or(page.HeaderName))));
    return 0;
}

int runDump(const Request &r)
{
    if (r.Args.size() != 1)
        return usage();
    const auto text = readScript(r.Args[0]);
    if (!text)
        return kUsage;
    writeOut(QJsonDocument(pageModelToJson(parseScriptText(*text))).toJson(QJsonDocument::Indented));
    return 0;
}

int runCheck(const Request &r)
{
    if (r.Args.size() != 1)
        return usage();
    const auto text = readScript(r.Args[0]);
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

// The pages of an adventure, named by their header or else by their file.
std::optional<std::vector<MapSource>> readPages(const QStringList &args)
{
    std::vector<MapSource> sources;
    for (const QString &path : scriptFiles(args)) {
        const auto text = readScript(path);
        if (!text)
            return std::nullopt;
        PageModel page = parseScriptText(*text);
        const QString name = page.HeaderName.isEmpty() ? QFileInfo(path).completeBaseName() : page.HeaderName;
        sources.push_back({name, std::move(page), true, {}});
    }
    if (sources.empty()) {
        std::fputs("nimbra-script: nenhum script na pasta\n", stderr);
        return std::nullopt;
    }
    return sources;
}

using PagesCommand = std::function<int(const std::vector<MapSource> &pages, const QString &startPage)>;

// A command over the pages the arguments name; the first is the start page
// unless --start names another.
int overPages(const Request &r, const PagesCommand &command)
{
    if (r.Args.isEmpty())
        return usage();
    const auto sources = readPages(r.Args);
    if (!sources)
        return kUsage;
    return command(*sources, r.Start.value_or(sources->front().Name));
}

int runGraph(const Request &r)
{
    return overPages(r, [](const std::vector<MapSource> &pages, const QString &startPage) {
        writeOut(storyMapToDot(buildStoryMap(pages, startPage)).toUtf8());
        return 0;
    });
}

// The names a list file holds, one a line.
std::optional<QStringList> readNames(const QString &path)
{
    const auto text = readScript(path);
    if (!text)
        return std::nullopt;
    QStringList names;
    for (const QString &line : splitLines(*text))
        if (!trimLine(line).isEmpty())
            names.append(trimLine(line));
    return names;
}

int runLint(const Request &r)
{
    std::optional<QStringList> files;
    if (r.Files && !(files = readNames(*r.Files)))
        return kUsage;
    return overPages(r, [&files](const std::vector<MapSource> &pages, const QString &startPage) {
        const std::vector<CheckFinding> found = checkAdventure(pages, startPage, files);
        QByteArray out;
        for (const CheckFinding &finding : found)
            out += findingText(finding).toUtf8() + '\n';
        writeOut(out);
        return found.empty() ? 0 : kFound;
    });
}

// Each option belongs to one command.
int run(const Request &r)
{
    const bool format = r.Command == QLatin1StringView("format");
    const bool graph = r.Command == QLatin1StringView("graph");
    const bool lint = r.Command == QLatin1StringView("lint");
    if ((r.Name && !format) || (r.Start && !graph && !lint) || (r.Files && !lint))
        return usage();
    if (format)
        return runFormat(r);
    if (graph)
        return runGraph(r);
    if (lint)
        return runLint(r);
    if (r.Command == QLatin1StringView("new"))
        return runNew(r);
    if (r.Command == QLatin1StringView("dump"))
        return runDump(r);
    if (r.Command == QLatin1StringView("check"))
        return runCheck(r);
    return usage();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nimbra-script"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NIMBRA_VERSION));
    const Options options;
    QCommandLineParser parser;
    parser.addOptions(options.all());
    // The parser's own error texts are in English: the usage line says it instead.
    if (!parser.parse(app.arguments()))
        return usage();
    if (parser.isSet(options.Help))
        return help(options);
    if (parser.isSet(options.Version)) {
        writeOut((QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n').toUtf8());
        return 0;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    return run({command, args, valueOf(parser, options.Name), valueOf(parser, options.Start),
                valueOf(parser, options.Files)});
}
