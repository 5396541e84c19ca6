// nimbra-script: page scripts on the command line, read and written as
// Windows-1252 bytes.
#include "codepage.h"
#include "generator.h"
#include "modeljson.h"
#include "parser.h"
#include "templates.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>
#include <optional>

using namespace nimbra;

namespace {

constexpr int kFound = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "uso: nimbra-script new txt|img NOME | format [--name NOME] ARQUIVO|- | dump ARQUIVO|- | check ARQUIVO|-\n";

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
    return usage();
}
