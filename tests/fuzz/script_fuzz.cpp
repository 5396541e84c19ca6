// libFuzzer target for the page script reader and writer: any bytes read
// without a crash, every line the author wrote comes back in the written
// text in order unless the format rewrites it or the reader reports it
// rewritten, and the written text is
// stable from the second pass on.
#include "codepage.h"
#include "generator.h"
#include "invariants.h"
#include "parser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace nimbra;

namespace {

QString format(const QString &script)
{
    const PageModel page = parseScriptText(script);
    return generateScript(page, page.HeaderName);
}

void require(bool condition, const char *property)
{
    if (!condition) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString script = fromCp1252(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    std::vector<ScriptIssue> issues;
    const PageModel page = parseScriptText(script, &issues);
    const QString once = generateScript(page, page.HeaderName);
    std::set<int> rewritten;
    for (const ScriptIssue &issue : issues)
        if (issue.Rewritten)
            rewritten.insert(issue.Line);
    require(!firstLostLine(script, once, rewritten), "every line written");
    const QString twice = format(once);
    require(format(twice) == twice, "format stable");
    if (!page.FreeSection.isEmpty())
        require(twice == once, "free section stable");
    return 0;
}
