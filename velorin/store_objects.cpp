#include "store.h"

namespace velorin {

static GameObject readObject(const Database::Statement &row)
{
    return GameObject{row.text(0), row.text(1), row.text(2), row.text(3), row.text(4)};
}

QStringList Store::objectNames(qint64 adventureId)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT name FROM objects WHERE adventure_id = ?1 ORDER BY name COLLATE NOCASE");
    rows.bind(1, adventureId);
    QStringList names;
    while (rows.step())
        names.append(rows.text(0));
    return names;
}

std::optional<GameObject> Store::object(qint64 adventureId, const QString &name)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT name, initial_location, initial_shape, current_location, current_shape "
                            "FROM objects WHERE adventure_id = ?1 AND name = ?2");
    if (!row.bind(1, adventureId).bind(2, name).step())
        return std::nullopt;
    return readObject(row);
}

bool Store::createObject(qint64 adventureId, const QString &name)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    {
        auto exists = m_db.prepare("SELECT 1 FROM objects WHERE adventure_id = ?1 AND name = ?2");
        if (exists.bind(1, adventureId).bind(2, name).step())
            return false;
    }
    m_db.prepare("INSERT INTO objects (adventure_id, name) VALUES (?1, ?2)").bind(1, adventureId).bind(2, name).run();
    tx.commit();
    return true;
}

// The editor places an object for the start of the adventure; the current
// place starts over from there, as a new game would.
bool Store::placeObject(qint64 adventureId, const QString &name, const QString &location, const QString &shape)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    {
        auto exists = m_db.prepare("SELECT 1 FROM objects WHERE adventure_id = ?1 AND name = ?2");
        if (!exists.bind(1, adventureId).bind(2, name).step())
            return false;
    }
    m_db.prepare("UPDATE objects SET initial_location = ?3, initial_shape = ?4, current_location = ?3, "
                 "current_shape = ?4 WHERE adventure_id = ?1 AND name = ?2")
        .bind(1, adventureId)
        .bind(2, name)
        .bind(3, location)
        .bind(4, shape)
        .run();
    tx.commit();
    return true;
}

std::vector<GameObject> Store::objectsAt(qint64 adventureId, const QString &location)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT name, initial_location, initial_shape, current_location, current_shape "
                             "FROM objects WHERE adventure_id = ?1 AND current_location = ?2 ORDER BY name");
    rows.bind(1, adventureId).bind(2, location);
    std::vector<GameObject> list;
    while (rows.step())
        list.push_back(readObject(rows));
    return list;
}

} // namespace velorin
