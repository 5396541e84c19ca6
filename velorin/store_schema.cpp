#include "store.h"

namespace velorin {

// Version 1 of the schema. A later version adds its steps after these and
// raises the number; an existing file is brought up step by step.
static const char *const kSchemaV1[] = {
    "CREATE TABLE accounts ("
    " id INTEGER PRIMARY KEY,"
    " login TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " password_hash TEXT NOT NULL,"
    " email TEXT NOT NULL)",
    "CREATE TABLE adventures ("
    " id INTEGER PRIMARY KEY,"
    " prefix TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " name TEXT NOT NULL,"
    " title TEXT NOT NULL DEFAULT '',"
    " owner_id INTEGER NOT NULL REFERENCES accounts(id),"
    " start_script TEXT NOT NULL,"
    " font TEXT NOT NULL DEFAULT 'Arial',"
    " back_color TEXT NOT NULL DEFAULT 'FFFFFF',"
    " text_color TEXT NOT NULL DEFAULT '000000',"
    " link_color TEXT NOT NULL DEFAULT '0000FF')",
    "CREATE TABLE editors ("
    " adventure_id INTEGER NOT NULL REFERENCES adventures(id) ON DELETE CASCADE,"
    " account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
    " PRIMARY KEY (adventure_id, account_id))",
    "CREATE TABLE scripts ("
    " adventure_id INTEGER NOT NULL REFERENCES adventures(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL,"
    " body BLOB NOT NULL,"
    " PRIMARY KEY (adventure_id, name))",
    "CREATE TABLE objects ("
    " adventure_id INTEGER NOT NULL REFERENCES adventures(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL,"
    " initial_location TEXT NOT NULL DEFAULT '',"
    " initial_shape TEXT NOT NULL DEFAULT '',"
    " current_location TEXT NOT NULL DEFAULT '',"
    " current_shape TEXT NOT NULL DEFAULT '',"
    " PRIMARY KEY (adventure_id, name))",
};

Store::Store(const std::string &path) : m_db(path)
{
    migrate();
}

qint64 Store::schemaVersion()
{
    auto current = m_db.prepare("SELECT max(version) FROM schema_version");
    return current.step() ? current.number(0) : 0;
}

void Store::migrate()
{
    auto lock = m_db.lock();
    Database::Transaction tx(m_db);
    m_db.prepare("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)").run();
    if (schemaVersion() < 1) {
        for (const char *sql : kSchemaV1)
            m_db.prepare(sql).run();
        m_db.prepare("INSERT INTO schema_version (version) VALUES (?1)").bind(1, qint64(1)).run();
    }
    tx.commit();
}

} // namespace velorin
