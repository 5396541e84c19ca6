#include "store.h"

namespace velorin {

bool Store::createAccount(const QString &login, const QString &passwordHash, const QString &email)
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
        .bind(2, passwordHash)
        .bind(3, email)
        .run();
    tx.commit();
    return true;
}

std::optional<StoredAccount> Store::storedAccount(const QString &login)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT id, login, email, password_hash FROM accounts WHERE login = ?1");
    if (!row.bind(1, login).step())
        return std::nullopt;
    return StoredAccount{Account{row.number(0), row.text(1), row.text(2)}, row.text(3)};
}

void Store::setPasswordHash(qint64 accountId, const QString &passwordHash)
{
    auto lock = m_db.lock();
    m_db.prepare("UPDATE accounts SET password_hash = ?2 WHERE id = ?1").bind(1, accountId).bind(2, passwordHash).run();
}

} // namespace velorin
