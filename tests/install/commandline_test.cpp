// velorin-local's command line: help, version, bad usage and a missing site,
// each with its exit status and text.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(VelorinCommandLine, AnswersWithItsExitStatusAndText)
{
    struct Case {
        const char *what;
        QStringList arguments; // "DATA" stands for a fresh data folder
        int exitCode;
        const char *out, *err; // found in standard output and error
    };
    const auto args = [](std::initializer_list<const char *> list) {
        QStringList arguments;
        for (const char *a : list)
            arguments.append(QString::fromUtf8(a));
        return arguments;
    };
    const Case cases[] = {
        {"help", args({"--help"}), 0, "--site <DIR>", ""},
        {"help texts in Portuguese", args({"-h"}), 0, "Opções:", ""},
        {"version", args({"--version"}), 0, "velorin-local " NIMBRA_TEST_VERSION, ""},
        {"no data folder", args({"--port", "0"}), 2, "", "falta --data DIR"},
        {"bad port", args({"--port", "x", "--data", "DATA"}), 2, "", "porta inválida"},
        {"unknown option", args({"--porta", "1"}), 2, "", "opção desconhecida: porta"},
        {"stray argument", args({"--data", "DATA", "demo"}), 2, "", "argumento inesperado: demo"},
        {"missing site folder", args({"--port", "0", "--data", "DATA", "--site", "/nonexistent/site"}), 1, "",
         "não há site na pasta /nonexistent/site"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QProcess process;
        process.start(QStringLiteral(VELORIN_LOCAL_PATH),
                      QStringList(c.arguments).replaceInStrings(QStringLiteral("DATA"), dir.filePath(QStringLiteral("data"))));
        ASSERT_TRUE(process.waitForStarted(10000));
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, c.exitCode) << err.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.out))) << out.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
    }
}
