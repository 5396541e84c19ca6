#include "pagesession.h"

#include "codepage.h"
#include "generator.h"
#include "parser.h"
#include "textlines.h"

namespace nimbra {

PageSession::Opened PageSession::open(const QString &name)
{
    const QString reply = m_store.fetchScript(name);
    const QStringList lines = splitLines(reply);
    const QString status = lines.isEmpty() ? QString() : lines.first();
    if (status != QLatin1StringView("Ok")) {
        m_loaded = false;
        return {false, status.isEmpty() ? QStringLiteral("Tente novamente!") : status, reply};
    }
    m_model = parsePage(lines, m_model.ReturnScript);
    m_name = name;
    m_loaded = true;
    return {true, status, reply};
}

std::optional<QString> PageSession::refusal(const QString &text) const
{
    if (!m_loaded)
        return kNotLoadedStatus;
    if (trimLine(text).isEmpty())
        return kEmptyScriptStatus;
    return std::nullopt;
}

QString PageSession::compileAndStore(const PageModel &edited, QString *writtenText)
{
    if (!m_loaded)
        return kNotLoadedStatus;
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

std::optional<QString> scriptOfRunUrl(const QString &url, const QString &returnScript)
{
    const qsizetype at = url.indexOf(QLatin1StringView("Scp="));
    if (at < 0)
        return std::nullopt;
    QString script = url.mid(at + 4);
    const qsizetype amp = script.indexOf(u'&');
    if (amp >= 0)
        script.truncate(amp);
    // Addresses carry names percent-encoded, byte by byte in the code page.
    script = fromCp1252(QByteArray::fromPercentEncoding(toCp1252(script)));
    if (script == QLatin1StringView("xvlt"))
        return returnScript;
    return script;
}

} // namespace nimbra
