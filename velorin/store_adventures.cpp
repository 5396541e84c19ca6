#include "store.h"

namespace velorin {

#define ADVENTURE_COLUMNS                                                                          \
    "a.id, a.prefix, a.name, a.title, a.owner_id, o.login, a.start_script, a.font, "              \
    "a.back_color, a.text_color, a.link_color FROM adventures a JOIN accounts o ON o.id = a.owner_id "

// Who may edit an adventure: its owner and the accounts listed as editors.
#define REACHABLE_BY_2                                                                             \
    "(a.owner_id = ?2 OR EXISTS (SELECT 1 FROM editors e WHERE e.adventure_id = a.id AND e.account_id = ?2))"

static Adventure readAdventure(const Database::Statement &row)
{
    return Adventure{row.number(0), row.text(1), row.text(2), row.text(3), row.number(4), row.text(5),
                     row.text(6), row.text(7), row.text(8), row.text(9), row.text(10)};
}

static std::optional<Adventure> firstAdventure(Database::Statement &row)
{
    if (!row.step())
        return std::nullopt;
    return readAdventure(row);
}

bool Store::createAdventure(qint64 ownerId, const QString &prefix, const QString &name,
                            const QString &startScript, const QByteArray &startText)
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    {
        auto exists = m_db.prepare("SELECT 1 FROM adventures WHERE prefix = ?1");
        if (exists.bind(1, prefix).step())
            return false;
    }
    m_db.prepare("INSERT INTO adventures (prefix, name, owner_id, start_script) VALUES (?1, ?2, ?3, ?4)")
        .bind(1, prefix)
        .bind(2, name)
        .bind(3, ownerId)
        .bind(4, startScript)
        .run();
    m_db.prepare("INSERT INTO scripts (adventure_id, name, body) "
                 "SELECT id, ?2, ?3 FROM adventures WHERE prefix = ?1")
        .bind(1, prefix)
        .bind(2, startScript)
        .bind(3, startText)
        .run();
    tx.commit();
    return true;
}

std::vector<Adventure> Store::adventuresOf(qint64 accountId)
{
    auto lock = m_db.lock();
    auto rows = m_db.prepare("SELECT " ADVENTURE_COLUMNS "WHERE " REACHABLE_BY_2
                             " ORDER BY a.id");
    rows.bind(2, accountId);
    std::vector<Adventure> list;
    while (rows.step())
        list.push_back(readAdventure(rows));
    return list;
}

std::optional<Adventure> Store::adventure(const QString &prefix)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT " ADVENTURE_COLUMNS "WHERE a.prefix = ?1");
    row.bind(1, prefix);
    return firstAdventure(row);
}

std::optional<Adventure> Store::reachableAdventure(qint64 accountId, const QString &prefix)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT " ADVENTURE_COLUMNS "WHERE a.prefix = ?1 AND " REACHABLE_BY_2);
    row.bind(1, prefix).bind(2, accountId);
    return firstAdventure(row);
}

std::optional<Adventure> Store::findAdventure(qint64 accountId, const QString &nameOrTitle)
{
    auto lock = m_db.lock();
    auto row = m_db.prepare("SELECT " ADVENTURE_COLUMNS "WHERE (a.name = ?1 OR a.title = ?1) AND "
                            REACHABLE_BY_2 " ORDER BY a.title = ?1 DESC, a.id");
    row.bind(1, nameOrTitle).bind(2, accountId);
    return firstAdventure(row);
}

void Store::setStyle(qint64 adventureId, const AdventureStyle &style)
{
    auto lock = m_db.lock();
    m_db.prepare("UPDATE adventures SET font = ?2, back_color = ?3, text_color = ?4, link_color = ?5 "
                 "WHERE id = ?1")
        .bind(1, adventureId)
        .bind(2, style.Font)
        .bind(3, style.BackColor)
        .bind(4, style.TextColor)
        .bind(5, style.LinkColor)
        .run();
}

void Store::setParameters(qint64 adventureId, const QString &title, const QString &startScript)
{
    auto lock = m_db.lock();
    m_db.prepare("UPDATE adventures SET title = ?2, start_script = ?3 WHERE id = ?1")
        .bind(1, adventureId)
        .bind(2, title)
        .bind(3, startScript)
        .run();
}

} // namespace velorin
