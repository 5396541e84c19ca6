#include "pagesession.h"

#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "textlines.h"

namespace nimbra {

QStringList ScriptStore::fetchScripts(const QStringList &names, const FetchProgress &progress)
{
    QStringList replies;
    replies.reserve(names.size());
    for (const QString &name : names) {
        replies.append(fetchScript(name));
        if (progress)
            progress(int(replies.size()), int(names.size()));
    }
    return replies;
}

PageSession::Opened PageSession::open(const QString &name)
{
    const QString reply = m_store.fetchScript(name);
    const QStringList lines = splitLines(reply);
    const QString status = lines.value(0);
    if (status != QLatin1StringView("Ok")) {
        // Another page that did not open leaves the shown one as it was;
        // the shown page itself, not fetched again, must not be written over.
        if (name == m_name)
            m_loaded = false;
        return {false, statusToShow(status), reply};
    }
    m_model = parsePage(lines, m_model.ReturnScript);
    m_name = name;
    m_loaded = true;
    return {true, status, reply};
}

void PageSession::close()
{
    m_model = PageModel();
    m_name.clear();
    m_loaded = false;
}

std::optional<QString> PageSession::refusal(const QString &text) const
{
    if (!m_loaded)
        return kNotLoadedStatus;
    if (trimLine(text).isEmpty())
        return kEmptyScriptStatus;
    return std::nullopt;
}

std::optional<QString> compileRefusal(const PageModel &page)
{
    if (page.PageKind != QLatin1StringView("txt") && page.PageKind != QLatin1StringView("img"))
        return kUnknownKindStatus;
    if (page.PageKind == QLatin1StringView("txt")) {
        for (const QString &line : page.PageText) {
            if (trimLine(line) == QLatin1StringView("boxoff"))
                return kBoxoffLineStatus;
        }
    }
    if (const auto field = unwritableField(page))
        return kUnwritableFieldStatus.arg(*field);
    return std::nullopt;
}

QString PageSession::compileAndStore(const PageModel &edited, QString *writtenText)
{
    if (!m_loaded)
        return kNotLoadedStatus;
    if (const auto refused = compileRefusal(edited))
        return *refused;
    const QString text = generateScript(edited, m_name);
    if (writtenText)
        *writtenText = text;
    m_model = edited;
    return m_store.storeScript(m_name, text);
}

QString PageSession::storeSource(const QString &text)
{
    if (const auto refused = refusal(text))
        return *refused;
    return m_store.storeScript(m_name, text);
}

namespace {

// The percent-decoded value of the first query key "key=" of url (the key
// must start the query or follow "&"), or nothing when the key is absent.
std::optional<QString> queryValue(const QString &url, QLatin1StringView key)
{
    const qsizetype query = url.indexOf(u'?');
    if (query < 0)
        return std::nullopt;
    qsizetype at = query + 1;
    while (at < url.size()) {
        qsizetype end = url.indexOf(u'&', at);
        if (end < 0)
            end = url.size();
        const QStringView field = QStringView(url).mid(at, end - at);
        if (field.startsWith(key)) {
            // Addresses carry names percent-encoded, byte by byte in the code page.
            return fromCp1252(QByteArray::fromPercentEncoding(toCp1252(field.mid(key.size()).toString())));
        }
        at = end + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> scriptOfRunUrl(const QString &url, const QString &advPrefix, const QString &returnScript)
{
    const std::optional<QString> script = queryValue(url, QLatin1StringView("Scp="));
    // "$..." names are resolved by the service, which redirects to the page.
    if (!script || script->isEmpty() || script->startsWith(u'$'))
        return std::nullopt;
    const std::optional<QString> prefix = queryValue(url, QLatin1StringView("Pfx="));
    if (prefix && *prefix != advPrefix)
        return std::nullopt;
    if (*script == QLatin1StringView("xvlt")) {
        if (returnScript.isEmpty())
            return std::nullopt;
        return returnScript;
    }
    return script;
}

} // namespace nimbra
