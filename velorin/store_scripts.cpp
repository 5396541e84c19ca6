#include "store.h"

namespace velorin {

QStringList Store::scriptNames(qint64 adventureId)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT name FROM scripts WHERE adventure_id = ?1 ORDER BY name COLLATE NOCASE");
    rows.bind(1, adventureId);
    QStringList names;
    while (rows.step())
        names.append(rows.text(0));
    return names;
}

std::optional<QByteArray> Store::script(qint64 adventureId, const QString &name)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT body FROM scripts WHERE adventure_id = ?1 AND name = ?2");
    if (!row.bind(1, adventureId).bind(2, name).step())
        return std::nullopt;
    return row.blob(0);
}

void Store::putScript(qint64 adventureId, const QString &name, const QByteArray &text)
{
    auto lock = m_db.lock();
    m_db.prepare("INSERT INTO scripts (adventure_id, name, body) VALUES (?1, ?2, ?3) "
                 "ON CONFLICT (adventure_id, name) DO UPDATE SET body = excluded.body")
        .bind(1, adventureId)
        .bind(2, name)
        .bind(3, text)
        .run();
}

bool Store::createScript(qint64 adventureId, const QString &name, const QByteArray &text)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    {
        auto exists = m_db.prepare("SELECT 1 FROM scripts WHERE adventure_id = ?1 AND name = ?2");
        if (exists.bind(1, adventureId).bind(2, name).step())
            return false;
    }
    m_db.prepare("INSERT INTO scripts (adventure_id, name, body) VALUES (?1, ?2, ?3)")
        .bind(1, adventureId)
        .bind(2, name)
        .bind(3, text)
        .run();
    tx.commit();
    return true;
}

} // namespace velorin
