// libFuzzer target for the page script reader and writer: any bytes read
// without a crash, the written text is stable from the second pass on, and
// every line the reader kept comes back in the written text, in order.
#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "textlines.h"

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

void requireKeptLinesWritten(const PageModel &page, const QString &written)
{
    const QStringList lines = splitLines(written);
    qsizetype at = 0;
    for (const KeptLine &kept : page.KeptLines) {
        while (at < lines.size() && trimLine(lines[at]) != kept.Text)
            ++at;
        require(at < lines.size(), "kept line written");
        ++at;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString script = fromCp1252(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const PageModel page = parseScriptText(script);
    const QString once = generateScript(page, page.HeaderName);
    requireKeptLinesWritten(page, once);
    const QString twice = format(once);
    require(format(twice) == twice, "format stable");
    if (!page.FreeSection.isEmpty())
        require(twice == once, "free section stable");
    return 0;
}
