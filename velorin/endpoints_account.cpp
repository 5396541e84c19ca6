#include "endpoints.h"
#include "messages.h"
#include "names.h"
#include "reply.h"

namespace velorin {

// The version the current client carries; any other text offers an update.
static const QString kClientVersion = QStringLiteral("0.1m");

QByteArray nmbLog(Call &call)
{
    const Account author = call.account();
    return linesReply({author.Login, author.Email, QStringLiteral("autor"), QString::number(author.Id)});
}

QByteArray mobNwUsr(Call &call)
{
    const QString login = call.value("Login");
    const QString password = call.text("Senha");
    const QString email = call.text("Email");
    if (!isPlainName(login))
        throw Refusal{QString::fromUtf16(msg::BadName).arg(QStringLiteral("Login"))};
    require(isLogin(login), msg::UnusableLogin);
    require(!password.isEmpty(), msg::BadLogin);
    if (email.trimmed().isEmpty())
        throw Refusal{QString::fromUtf16(msg::MissingKey).arg(QStringLiteral("Email"))};
    require(call.authenticator().createAccount(login, password, email.trimmed()), msg::LoginExists);
    return bareReply(QString::fromUtf16(msg::AccountCreated).arg(email.trimmed()));
}

QByteArray mobVrs(Call &)
{
    return bareReply(kClientVersion);
}

} // namespace velorin
