// Page scripts as authors leave them and what the editor makes of them, one
// folder per case: the script (input.txt, Windows-1252), the script written
// back (format.txt, under the name in name.txt if there is one; no file when
// the page cannot be written), what the check reports (check.txt, UTF-8) and,
// where the model itself matters, the model (dump.json).
#include "codepage.h"
#include "files.h"
#include "generator.h"
#include "modeljson.h"
#include "pagesession.h"
#include "parser.h"
#include "templates.h"
#include "testutil.h"

#include <QDir>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

const QDir kCases(QStringLiteral(NIMBRA_SCRIPT_CASES));

QString format(const QString &script, const QString &name)
{
    return generateScript(parseScriptText(script), name);
}

} // namespace

TEST(Golden, ScriptsAreReadWrittenAndCheckedAsRecorded)
{
    const QStringList names = kCases.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_GE(names.size(), 60);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kCases.filePath(name));
        std::vector<ScriptIssue> issues;
        const PageModel page = parseScriptText(fromCp1252(readBytes(dir.filePath(u8("input.txt")))), &issues);
        QByteArray check;
        for (const ScriptIssue &issue : issues)
            check += QByteArray::number(issue.Line) + ": " + issue.Text.toUtf8() + '\n';
        EXPECT_EQ(check.toStdString(), readBytes(dir.filePath(u8("check.txt"))).toStdString());
        if (dir.exists(u8("dump.json"))) {
            EXPECT_EQ(QJsonDocument(pageModelToJson(page)).toJson().toStdString(),
                      readBytes(dir.filePath(u8("dump.json"))).toStdString());
        }
        const bool writable = dir.exists(u8("format.txt"));
        EXPECT_EQ(!compileRefusal(page), writable);
        if (!writable)
            continue;
        const QString header = dir.exists(u8("name.txt")) ? fromCp1252(readBytes(dir.filePath(u8("name.txt"))))
                                                            : page.HeaderName;
        const QString once = generateScript(page, header);
        EXPECT_EQ(toCp1252(once).toStdString(), readBytes(dir.filePath(u8("format.txt"))).toStdString());
        // Written again it only loses the blank line the writer puts before
        // a "fim" of its own, which then reads back as the free section.
        QString again = once;
        if (again.endsWith(u8("\r\n\r\n  fim\r\n")))
            again.remove(again.size() - 9, 2);
        EXPECT_EQ(format(once, header), again);
    }
}

TEST(Golden, NewPagesAreTheRecordedTemplates)
{
    EXPECT_EQ(toCp1252(pageTemplate(NewPageKind::Text, u8("sala"))), readBytes(kCases.filePath(u8("new-text-page/input.txt"))));
    EXPECT_EQ(toCp1252(pageTemplate(NewPageKind::Image, u8("sala"))), readBytes(kCases.filePath(u8("new-image-page/input.txt"))));
}
