#include "options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTranslator>

namespace velorin {

namespace {

// The few texts QCommandLineParser writes itself.
class ParserTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        static const QHash<QByteArray, QString> texts{
            {"Usage: %1", QStringLiteral("Uso: %1")},
            {"[options]", QStringLiteral("[opções]")},
            {"Options:", QStringLiteral("Opções:")},
            {"Arguments:", QStringLiteral("Argumentos:")},
            {"Unknown option '%1'.", QStringLiteral("opção desconhecida: %1")},
            {"Unknown options: %1.", QStringLiteral("opções desconhecidas: %1")},
            {"Missing value after '%1'.", QStringLiteral("falta o valor depois de %1")},
            {"Unexpected value after '%1'.", QStringLiteral("valor inesperado depois de %1")},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        return texts.value(QByteArray(source));
    }
};

struct OptionSet {
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra esta ajuda.")};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Mostra a versão.")};
    QCommandLineOption Port{QStringLiteral("port"),
                            QStringLiteral("Porta onde o serviço atende; 0: uma porta livre, escrita na saída."),
                            QStringLiteral("N"), QStringLiteral("8090")};
    QCommandLineOption Host{QStringLiteral("host"), QStringLiteral("Endereço onde o serviço atende."),
                            QStringLiteral("H"), QStringLiteral("127.0.0.1")};
    QCommandLineOption Data{QStringLiteral("data"), QStringLiteral("Pasta dos dados: banco SQLite e arquivos enviados."),
                            QStringLiteral("DIR")};
    QCommandLineOption Site{QStringLiteral("site"), QStringLiteral("Pasta do site: páginas, instruções e sons."),
                            QStringLiteral("DIR")};
    QCommandLineOption Demo{QStringLiteral("demo"),
                            QStringLiteral("Cria a conta demo (senha demo) com uma aventura de exemplo.")};
    QCommandLineOption Pause{QStringLiteral("pause"),
                             QStringLiteral("Segundos de espera de um login depois de várias senhas erradas."),
                             QStringLiteral("SEGUNDOS"), QStringLiteral("30")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(QStringLiteral("Serviço Velorin local, para o cliente Nimbra."));
        parser.addOptions({Help, Version, Port, Host, Data, Site, Demo, Pause});
    }
};

bool parseNumber(const QString &text, int highest, int &number)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > highest)
        return false;
    number = value;
    return true;
}

CommandLine badUsage(const QString &reason)
{
    return {Wanted::BadUsage, {}, reason};
}

CommandLine optionsToRun(const QCommandLineParser &parser, const OptionSet &set, const QString &defaultSite)
{
    if (!parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("argumento inesperado: ") + parser.positionalArguments().first());
    CommandLine line;
    if (!parseNumber(parser.value(set.Port), 65535, line.Given.Port))
        return badUsage(QStringLiteral("porta inválida"));
    if (!parseNumber(parser.value(set.Pause), 86400, line.Given.PauseSeconds))
        return badUsage(QStringLiteral("pausa inválida"));
    line.Given.Host = parser.value(set.Host).toStdString();
    line.Given.DataDir = parser.value(set.Data);
    line.Given.SiteDir = parser.isSet(set.Site) ? parser.value(set.Site) : defaultSite;
    line.Given.Demo = parser.isSet(set.Demo);
    if (line.Given.DataDir.isEmpty())
        return badUsage(QStringLiteral("falta --data DIR"));
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const QString &defaultSite)
{
    QCommandLineParser parser;
    const OptionSet set;
    set.addTo(parser);
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    if (parser.isSet(set.Help))
        return {Wanted::Help, {}, parser.helpText()};
    if (parser.isSet(set.Version))
        return {Wanted::Version, {}, QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion()};
    return optionsToRun(parser, set, defaultSite);
}

void installPortugueseTexts()
{
    QCoreApplication::installTranslator(new ParserTexts(QCoreApplication::instance()));
}

QString findSite(const QString &programDir, const QString &relativeSite, const QString &builtSite)
{
    const QString installed = QDir::cleanPath(QDir(programDir).filePath(relativeSite));
    return holdsSite(installed) ? installed : builtSite;
}

bool holdsSite(const QString &dir)
{
    return QFileInfo(QDir(dir).filePath(QStringLiteral("nimbra/index.htm"))).isFile();
}

} // namespace velorin
