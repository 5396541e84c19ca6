#include "store.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace velorin {

static QString hashPassword(const QString &salt, const QString &password)
{
    const QByteArray digest =
        QCryptographicHash::hash((salt + u'$' + password).toUtf8(), QCryptographicHash::Sha256);
    return salt + u'$' + QString::fromLatin1(digest.toHex());
}

static QString newSalt()
{
    return QString::number(QRandomGenerator::system()->generate64(), 16);
}

bool Store::createAccount(const QString &login, const QString &password, const QString &email)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    {
        auto exists = m_db.prepare("SELECT 1 FROM accounts WHERE login = ?1");
        if (exists.bind(1, login).step())
            return false;
    }
    m_db.prepare("INSERT INTO accounts (login, password_hash, email) VALUES (?1, ?2, ?3)")
        .bind(1, login)
        .bind(2, hashPassword(newSalt(), password))
        .bind(3, email)
        .run();
    tx.commit();
    return true;
}

std::optional<Account> Store::authenticate(const QString &login, const QString &password)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT id, login, email, password_hash FROM accounts WHERE login = ?1");
    if (!row.bind(1, login).step())
        return std::nullopt;
    const QString stored = row.text(3);
    const QString salt = stored.section(u'$', 0, 0);
    if (hashPassword(salt, password) != stored)
        return std::nullopt;
    return Account{row.number(0), row.text(1), row.text(2)};
}

} // namespace velorin
