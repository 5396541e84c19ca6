#include "call.h"

#include "messages.h"
#include "names.h"

namespace velorin {

QString Call::value(const char *key) const
{
    if (!m_request.has_param(key))
        throw Refusal{QString::fromUtf16(msg::MissingKey).arg(QLatin1StringView(key))};
    return decodeValue(m_request.get_param_value(key));
}

QString Call::text(const char *key) const
{
    const QString text = value(key);
    if (!isLineText(text))
        throw Refusal{QString::fromUtf16(msg::ControlCharacter).arg(QLatin1StringView(key))};
    return text;
}

QString Call::label(const char *key) const
{
    const QString text = this->text(key).trimmed();
    if (text.isEmpty())
        throw Refusal{QString::fromUtf16(msg::MissingKey).arg(QLatin1StringView(key))};
    return canonicalName(text);
}

QString Call::name(const char *key) const
{
    const QString text = value(key);
    if (!isPlainName(text))
        throw Refusal{QString::fromUtf16(msg::BadName).arg(QLatin1StringView(key))};
    return canonicalName(text);
}

static QByteArray bytes(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray Call::part(const char *key) const
{
    const auto found = m_parts.find(key);
    if (found != m_parts.end())
        return bytes(found->second);
    if (!m_request.has_param(key))
        throw Refusal{QString::fromUtf16(msg::MissingKey).arg(QLatin1StringView(key))};
    return bytes(m_request.get_param_value(key));
}

Account Call::account() const
{
    const QString login = value("Login");
    const QString password = value("Senha");
    const Authenticator::Outcome outcome = m_context.Auth.authenticate(login, password);
    if (outcome.WaitSeconds > 0)
        throw Refusal{QString::fromUtf16(msg::Paused).arg(outcome.WaitSeconds)};
    if (!outcome.Author)
        throw Refusal{QString::fromUtf16(msg::BadLogin)};
    return *outcome.Author;
}

void Call::checkIndex(const Account &author) const
{
    if (value("Idx").trimmed() != QString::number(author.Id))
        throw Refusal{QString::fromUtf16(msg::BadIndex)};
}

Adventure Call::adventure(const Account &author) const
{
    auto found = m_context.Data.reachableAdventure(author.Id, name("Pfx"));
    if (!found)
        throw Refusal{QString::fromUtf16(msg::NoAdventure)};
    return *found;
}

} // namespace velorin
