#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "templates.h"
#include "textlines.h"
#include "testutil.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nimbra;

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

QStringList args(std::initializer_list<const char *> a)
{
    return u8Lines(a);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Cli, NewPrintsTheTemplatesByteForByte)
{
    const ToolRun txt = runTool(args({"new", "txt", "sala 1"}));
    EXPECT_EQ(txt.exitCode, 0);
    EXPECT_EQ(txt.out, toCp1252(pageTemplate(NewPageKind::Text, u8("sala 1"))));
    EXPECT_TRUE(txt.out.contains("<p>P\xE1gina de texto.</p>\r\n"));

    const ToolRun img = runTool(args({"new", "img", "s"}));
    EXPECT_EQ(img.exitCode, 0);
    EXPECT_EQ(img.out, toCp1252(pageTemplate(NewPageKind::Image, u8("s"))));
}

TEST(Cli, FormatWritesWhatTheGeneratorWrites)
{
    const QByteArray script = "//mob txt velho\n  boxon\n<p>Ol\xE1</p>\nboxoff\n//0:\nfim";
    const ToolRun byHeader = runTool(args({"format", "-"}), script);
    EXPECT_EQ(byHeader.exitCode, 0);
    EXPECT_TRUE(byHeader.out.startsWith("//mob txt velho\r\n"));
    EXPECT_TRUE(byHeader.out.contains("\r\n  <p>Ol\xE1</p> \r\n"));
    EXPECT_TRUE(byHeader.out.endsWith("  //0:Programa\xE7\xE3o ignorada...\r\n  fim\r\n"));

    const ToolRun renamed = runTool(args({"format", "--name", "novo", "-"}), script);
    EXPECT_TRUE(renamed.out.startsWith("//mob txt novo\r\n"));

    const ToolRun again = runTool(args({"format", "-"}), byHeader.out);
    EXPECT_EQ(again.out, byHeader.out);
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
        {args({"voar"}), {}, 2, true},
        {args({"new", "pdf", "x"}), {}, 2, true},
        {args({"new", "txt"}), {}, 2, true},
        {args({"format"}), {}, 2, true},
        {args({"format", "--name"}), {}, 2, true},
        {args({"--nada"}), {}, 2, true},
        {args({"new", "txt", "x", "--name", "y"}), {}, 2, true},
        {args({"check", "--start", "a", "-"}), {}, 2, true},
        {args({"format", "-"}), "nota\n//1:\n", 1, true},
        {{u8("format"), missing}, {}, 2, true},
        {{u8("dump"), missing}, {}, 2, true},
        {{u8("check"), dir.path()}, {}, 2, true},
        {args({"format", "-"}), "//mob wav p\n//0:\nfim\n", 1, true},
        {args({"check", "-"}), toCp1252(pageTemplate(NewPageKind::Image, u8("p"))), 0, false},
        {args({"check", "-"}), "//mob txt p\n//1:\ncmd= fig,862,000,58,58,a,b\n", 1, false},
        {args({"dump", "-"}), "", 0, false},
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

TEST(Cli, CheckListsProblemsWithLineNumbers)
{
    const ToolRun r = runTool(args({"check", "-"}), "//mob txt p\n//1:\ncmd= fig,862,000,58,58,a,b\nboxoff\n");
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = splitLines(QString::fromUtf8(r.out));
    ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u8("2: seção //1: com 1 de 6 linhas"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(u8("4: \"boxoff\" sem \"boxon\", mantida como está: boxoff"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(u8("4: falta \"fim\"")));
}

TEST(Cli, DumpPrintsTheModelAsJson)
{
    const ToolRun r = runTool(args({"dump", "-"}),
                          "//mob img sala\nretscp= sala\ntelpos= t\xE9la.png\n//6:\ncmd= txt,1,2,3,4,a,,c,d\n");
    EXPECT_EQ(r.exitCode, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(r.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(json[u8("kind")].toString(), u8("img"));
    EXPECT_EQ(json[u8("screenImage")].toString(), u8("téla.png"));
    EXPECT_TRUE(json[u8("returnable")].toBool());
    const QJsonObject link = json[u8("links")].toArray()[0].toObject();
    EXPECT_TRUE(link[u8("on")].toBool());
    EXPECT_EQ(link[u8("arg2")].toString(), QString());
    EXPECT_EQ(link[u8("arg3")].toString(), u8("c,d"));
}

TEST(Cli, GraphPrintsTheStoryMapOfAFolder)
{
    QTemporaryDir dir;
    auto write = [&](const char *file, const QByteArray &text) {
        QFile f(dir.filePath(u8(file)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("a.txt", "//mob txt inicio\n//3:\ncmd= fig,000,382,58,58,i.png,sala_1\n");
    write("b.txt", "//mob txt sala_1\n//3:\ncmd= fig,000,382,58,58,i.png,fim_do_mundo\n");
    const ToolRun r = runTool({u8("graph"), dir.path()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString dot = QString::fromUtf8(r.out);
    EXPECT_TRUE(dot.contains(u8("\"inicio\" [label=\"inicio\\ntxt\", peripheries=2];")));
    EXPECT_TRUE(dot.contains(u8("\"inicio\" -> \"sala 1\";")));
    EXPECT_TRUE(dot.contains(u8("\"sala 1\" -> \"? fim_do_mundo\" [color=red];")));

    const ToolRun started = runTool({u8("graph"), u8("--start"), u8("sala_1"), dir.filePath(u8("b.txt"))});
    EXPECT_TRUE(QString::fromUtf8(started.out).contains(u8("\"sala 1\" [label=\"sala 1\\ntxt\", peripheries=2];")));

    QTemporaryDir empty;
    EXPECT_EQ(runTool({u8("graph"), empty.path()}).exitCode, 2);
    EXPECT_EQ(runTool(args({"graph"})).exitCode, 2);
}

// Each folder holds a hand-edited script (input.txt), what format writes
// from it (format.txt; none when the page cannot be written) and what check
// reports (check.txt; empty when it checks clean).
TEST(Cli, FormatAndCheckTheMalformedCases)
{
    const QDir cases(QStringLiteral(NIMBRA_SCRIPT_CASES));
    const QStringList names = cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_GE(names.size(), 20);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(cases.filePath(name));
        const QString input = dir.filePath(QStringLiteral("input.txt"));
        const bool writable = dir.exists(QStringLiteral("format.txt"));
        const ToolRun format = runTool({u8("format"), input});
        EXPECT_EQ(format.exitCode, writable ? 0 : 1) << format.err.toStdString();
        EXPECT_EQ(format.out, fileBytes(dir.filePath(QStringLiteral("format.txt"))));
        const QByteArray expected = fileBytes(dir.filePath(QStringLiteral("check.txt")));
        const ToolRun check = runTool({u8("check"), input});
        EXPECT_EQ(check.exitCode, expected.isEmpty() ? 0 : 1);
        EXPECT_EQ(check.out.toStdString(), expected.toStdString());
    }
}

TEST(Cli, HelpAndVersion)
{
    for (const char *option : {"--help", "-h"}) {
        const ToolRun help = runTool(args({option}));
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.err.isEmpty());
        const QString text = QString::fromUtf8(help.out);
        EXPECT_TRUE(text.startsWith(u8("uso: nimbra-script new txt|img NOME"))) << help.out.toStdString();
        for (const char *part : {"format [--name NOME]", "graph [--start NOME]", "--version", "Saída: 0"})
            EXPECT_TRUE(text.contains(u8(part))) << part;
    }
    for (const char *option : {"--version", "-v"}) {
        const ToolRun version = runTool(args({option}));
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out, QByteArray("nimbra-script " NIMBRA_VERSION "\n"));
    }
}
