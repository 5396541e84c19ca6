#include "database.h"

#include <sqlite3.h>

#include <stdexcept>

namespace velorin {

static void fail(sqlite3 *db, const char *what)
{
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

Database::Database(const std::string &path)
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        fail(m_db, "open");
    sqlite3_busy_timeout(m_db, 5000);
    prepare("PRAGMA journal_mode=WAL").step();
    prepare("PRAGMA synchronous=NORMAL").run();
    prepare("PRAGMA foreign_keys=ON").run();
}

Database::~Database()
{
    for (auto &[sql, stmt] : m_cache)
        sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

Database::Statement Database::prepare(const char *sql)
{
    auto found = m_cache.find(sql);
    if (found == m_cache.end()) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            fail(m_db, "prepare");
        found = m_cache.emplace(sql, stmt).first;
    }
    return Statement(m_db, found->second);
}

Database::Statement::~Statement()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Database::Statement::check(int rc) const
{
    if (rc != SQLITE_OK)
        fail(m_db, "bind");
}

Database::Statement &Database::Statement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    check(sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
    return *this;
}

Database::Statement &Database::Statement::bind(int index, const QByteArray &blob)
{
    check(sqlite3_bind_blob(m_stmt, index, blob.constData(), int(blob.size()), SQLITE_TRANSIENT));
    return *this;
}

Database::Statement &Database::Statement::bind(int index, qint64 number)
{
    check(sqlite3_bind_int64(m_stmt, index, number));
    return *this;
}

bool Database::Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(m_db, "step");
    return false;
}

void Database::Statement::run()
{
    while (step()) {
    }
}

QString Database::Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

QByteArray Database::Statement::blob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt, column));
}

qint64 Database::Statement::number(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

Database::Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.prepare("BEGIN IMMEDIATE").run();
}

Database::Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.prepare("ROLLBACK").run();
        } catch (...) {
        }
    }
}

void Database::Transaction::commit()
{
    m_db.prepare("COMMIT").run();
    m_done = true;
}

} // namespace velorin
