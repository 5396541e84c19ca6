// velorin-local's command line: help, version, bad usage and a missing site,
// each with its exit status and text.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ProgramRun {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

ProgramRun runService(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VELORIN_LOCAL_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted(10000));
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

struct Case {
    const char *What;
    QStringList Arguments; // "DATA" stands for a fresh data folder
    int ExitCode;
    const char *Out; // found in standard output
    const char *Err; // found in standard error
};

// Names the case in the test's output.
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.What;
}

const QString kData = QStringLiteral("DATA");

QStringList withData(QStringList arguments, const QString &data)
{
    arguments.replaceInStrings(kData, data);
    return arguments;
}

} // namespace

class VelorinCommandLine : public ::testing::TestWithParam<Case> {};

TEST_P(VelorinCommandLine, AnswersWithItsExitStatusAndText)
{
    const Case &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ProgramRun run = runService(withData(c.Arguments, dir.filePath(QStringLiteral("data"))));
    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(QString::fromUtf8(c.Out))) << run.Out.toStdString();
    EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.Err))) << run.Err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VelorinCommandLine,
    ::testing::Values(
        Case{"help", {QStringLiteral("--help")}, 0, "--site <DIR>", ""},
        Case{"help texts in Portuguese", {QStringLiteral("-h")}, 0, "Opções:", ""},
        Case{"version", {QStringLiteral("--version")}, 0, "velorin-local " NIMBRA_TEST_VERSION, ""},
        Case{"no data folder", {QStringLiteral("--port"), QStringLiteral("0")}, 2, "", "falta --data DIR"},
        Case{"bad port", {QStringLiteral("--port"), QStringLiteral("x"), QStringLiteral("--data"), kData}, 2, "",
             "porta inválida"},
        Case{"unknown option", {QStringLiteral("--porta"), QStringLiteral("1")}, 2, "", "opção desconhecida: porta"},
        Case{"stray argument", {QStringLiteral("--data"), kData, QStringLiteral("demo")}, 2, "",
             "argumento inesperado: demo"},
        Case{"missing site folder",
             {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--data"), kData, QStringLiteral("--site"),
              QStringLiteral("/nonexistent/site")},
             1, "", "não há site na pasta /nonexistent/site"}),
    [](const ::testing::TestParamInfo<Case> &info) {
        QString name = QString::fromUtf8(info.param.What);
        name.replace(u' ', u'_');
        return name.toStdString();
    });
