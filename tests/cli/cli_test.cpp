// nimbra-script run as the author runs it, against the recorded cases of
// the script tests and its own.
#include "files.h"
#include "testutil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(NIMBRA_SCRIPT_EXE), args);
    EXPECT_TRUE(p.waitForStarted(10000));
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// A file of the tests' data: the script tests' cases and maps, and these.
QString data(const char *path)
{
    return QStringLiteral(NIMBRA_TESTS_DATA "/") + u8(path);
}

} // namespace

// Every command reads and writes Windows-1252 bytes, from a file or from
// standard input, and writes what was recorded for the case. Files given one
// by one are pages in that order; the first is the start page unless another
// is named.
TEST(Cli, CommandsWriteTheRecordedOutput)
{
    const QString sala = data("script/maps/adventure/pages/sala_1.txt");
    const QString inicio = data("script/maps/adventure/pages/inicio.txt");
    struct Case {
        QStringList args;
        const char *input; // sent on standard input
        const char *expected;
        int exitCode;
    };
    const Case cases[] = {
        {u8Lines({"new", "txt", "sala"}), nullptr, "script/cases/new-text-page/input.txt", 0},
        {u8Lines({"new", "img", "sala"}), nullptr, "script/cases/new-image-page/input.txt", 0},
        {{u8("format"), data("script/cases/written-text-page-with-a-blank-text-line/input.txt")}, nullptr,
         "script/cases/written-text-page-with-a-blank-text-line/format.txt", 0},
        {u8Lines({"format", "--name", "nova", "-"}), "script/cases/returnable-page-uses-its-own-name/input.txt",
         "script/cases/returnable-page-uses-its-own-name/format.txt", 0},
        {{u8("check"), data("script/cases/boxoff-without-boxon/input.txt")}, nullptr,
         "script/cases/boxoff-without-boxon/check.txt", 1},
        {u8Lines({"check", "-"}), "script/cases/new-image-page/input.txt", "script/cases/new-image-page/check.txt", 0},
        {{u8("dump"), data("script/cases/link-arguments-written-as-read/input.txt")}, nullptr,
         "script/cases/link-arguments-written-as-read/dump.json", 0},
        {{u8("graph"), u8("--start"), u8("inicio"), data("script/maps/adventure/pages")}, nullptr,
         "script/maps/adventure/graph.dot", 0},
        {{u8("graph"), sala, inicio}, nullptr, "cli/cases/graph-from-the-first-file.dot", 0},
        {{u8("graph"), u8("--start"), u8("inicio"), sala, inicio}, nullptr, "cli/cases/graph-from-the-named-page.dot", 0},
        {{u8("lint"), u8("--start"), u8("inicio"), u8("--files"), data("script/maps/faulty/files.txt"),
          data("script/maps/faulty/pages")},
         nullptr, "script/maps/faulty/lint.txt", 1},
        {u8Lines({"--help"}), nullptr, "cli/cases/help.txt", 0},
        {u8Lines({"-h"}), nullptr, "cli/cases/help.txt", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const ToolRun r = runTool(c.args, c.input ? readBytes(data(c.input)) : QByteArray());
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_EQ(r.out.toStdString(), readBytes(data(c.expected)).toStdString());
        EXPECT_TRUE(r.err.isEmpty());
    }
    for (const char *option : {"--version", "-v"}) {
        const ToolRun version = runTool(u8Lines({option}));
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out, QByteArray("nimbra-script " NIMBRA_VERSION "\n"));
    }
}

TEST(Cli, ExitCodesAndMessages)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nada.txt"));
    struct Case {
        QStringList args;
        QByteArray input;
        int exitCode;
        bool message; // a message on stderr
    };
    const Case cases[] = {
        {{}, {}, 2, true},
        {u8Lines({"voar"}), {}, 2, true},
        {u8Lines({"new", "pdf", "x"}), {}, 2, true},
        {u8Lines({"new", "txt"}), {}, 2, true},
        {u8Lines({"format"}), {}, 2, true},
        {u8Lines({"format", "--name"}), {}, 2, true},
        {u8Lines({"--nada"}), {}, 2, true},
        {u8Lines({"new", "txt", "x", "--name", "y"}), {}, 2, true},
        {u8Lines({"check", "--start", "a", "-"}), {}, 2, true},
        {u8Lines({"format", "-"}), "nota\n//1:\n", 1, true},
        {{u8("format"), missing}, {}, 2, true},
        {{u8("dump"), missing}, {}, 2, true},
        {{u8("check"), dir.path()}, {}, 2, true},
        {{u8("graph"), dir.path()}, {}, 2, true},
        {u8Lines({"graph"}), {}, 2, true},
        {u8Lines({"lint"}), {}, 2, true},
        {{u8("graph"), u8("--files"), missing, data("script/maps/faulty/pages")}, {}, 2, true},
        {{u8("lint"), u8("--files"), missing, data("script/maps/faulty/pages")}, {}, 2, true},
        {u8Lines({"format", "-"}), "//mob wav p\n//0:\nfim\n", 1, true},
        {u8Lines({"dump", "-"}), "", 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const ToolRun r = runTool(c.args, c.input);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(!r.err.isEmpty(), c.message) << r.err.toStdString();
        if (c.message) {
            EXPECT_EQ(r.err.count('\n'), 1) << "one line: " << r.err.toStdString();
        }
    }
}
