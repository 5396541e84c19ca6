#include "store.h"

namespace velorin {

QStringList Store::editors(qint64 adventureId)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT a.login FROM editors e JOIN accounts a ON a.id = e.account_id "
                             "WHERE e.adventure_id = ?1 ORDER BY a.login COLLATE NOCASE");
    rows.bind(1, adventureId);
    QStringList names;
    while (rows.step())
        names.append(rows.text(0));
    return names;
}

// Every account but the owner may be offered as an editor.
QStringList Store::candidates(qint64 adventureId)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT login FROM accounts WHERE id <> (SELECT owner_id FROM adventures WHERE id = ?1) "
                             "ORDER BY login COLLATE NOCASE");
    rows.bind(1, adventureId);
    QStringList names;
    while (rows.step())
        names.append(rows.text(0));
    return names;
}

QStringList Store::setEditors(qint64 adventureId, const QStringList &names)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    m_db.prepare("DELETE FROM editors WHERE adventure_id = ?1").bind(1, adventureId).run();
    QStringList unknown;
    for (const QString &name : names) {
        auto account = m_db.prepare("SELECT id FROM accounts WHERE login = ?1 AND id <> "
                                    "(SELECT owner_id FROM adventures WHERE id = ?2)");
        if (!account.bind(1, name).bind(2, adventureId).step()) {
            unknown.append(name);
            continue;
        }
        const qint64 accountId = account.number(0);
        m_db.prepare("INSERT OR IGNORE INTO editors (adventure_id, account_id) VALUES (?1, ?2)")
            .bind(1, adventureId)
            .bind(2, accountId)
            .run();
    }
    tx.commit();
    return unknown;
}

} // namespace velorin
