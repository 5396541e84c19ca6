#pragma once

// What formatting a page script must never do to the author's lines; shared
// by the randomised test and the fuzz target.
#include "generator.h"
#include "parser.h"
#include "textlines.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <string>

namespace nimbra {

// Lines the format writes its own way: the header, the section comments,
// the returnable page's own name and the fixed lines.
inline bool rewrittenByFormat(QStringView line)
{
    const bool section = line.size() >= 4 && line.startsWith(u"//") && line[2] >= u'0' && line[2] <= u'6'
        && line[3] == u':';
    return section || line.startsWith(u"//mob") || line.startsWith(u"retscp=") || line.startsWith(u"margem=")
        || line.startsWith(u"objjog=") || line.startsWith(u"//objjog=")
        || line == QLatin1StringView("cmd= shp,000,369,920,2,fio.png");
}

// The first non-blank line of input that the format does not rewrite and
// that is missing from output or out of order there; a byte-order mark
// before the first line is not part of it. Lines the reader reported as
// rewritten (by their numbers, 1 = the first) are not looked for.
inline std::optional<QString> firstLostLine(const QString &input, const QString &output,
                                            const std::set<int> &rewritten = {})
{
    QStringList in = splitLines(input);
    if (!in.isEmpty() && in[0].startsWith(QChar(0xFEFF)))
        in[0].remove(0, 1);
    if (!in.isEmpty() && in[0].startsWith(QStringView(u"\u00EF\u00BB\u00BF")))
        in[0].remove(0, 3);
    const QStringList out = splitLines(output);
    qsizetype at = 0;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QStringView wanted = trimLine(QStringView(in[i]));
        if (wanted.isEmpty() || rewrittenByFormat(wanted) || rewritten.count(int(i) + 1))
            continue;
        while (at < out.size() && trimLine(QStringView(out[at])) != wanted)
            ++at;
        if (at == out.size())
            return wanted.toString();
        ++at;
    }
    return std::nullopt;
}

inline QString formatScript(const QString &script)
{
    const PageModel page = parseScriptText(script);
    return generateScript(page, page.HeaderName);
}

// What formatting script does wrong, if anything: a line of the author's
// lost, or a written text that changes when formatted again (from the second
// pass on, or at all when the page has a free section).
inline std::optional<std::string> formatFault(const QString &script)
{
    std::vector<ScriptIssue> issues;
    const PageModel page = parseScriptText(script, &issues);
    const QString once = generateScript(page, page.HeaderName);
    std::set<int> rewritten;
    for (const ScriptIssue &issue : issues)
        if (issue.Rewritten)
            rewritten.insert(issue.Line);
    if (const std::optional<QString> lost = firstLostLine(script, once, rewritten))
        return "line lost: " + lost->toStdString() + "\n----\n" + once.toStdString();
    const QString twice = formatScript(once);
    if (formatScript(twice) != twice)
        return "formatting again changes the text";
    if (!page.FreeSection.isEmpty() && twice != once)
        return "a page with a free section changes when formatted again";
    return std::nullopt;
}

} // namespace nimbra
