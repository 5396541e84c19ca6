#pragma once

#include <QByteArray>
#include <QString>

#include <mutex>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace velorin {

// One SQLite connection shared by every request thread. Callers hold
// lock() for the whole of an operation; statements are prepared once and
// reused, and values only ever travel as bound parameters.
class Database final {
public:
    explicit Database(const std::string &path);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    std::unique_lock<std::mutex> lock() { return std::unique_lock(m_mutex); }

    class Statement final {
    public:
        Statement(sqlite3 *db, sqlite3_stmt *stmt) : m_db(db), m_stmt(stmt) {}
        ~Statement();
        Statement(const Statement &) = delete;
        Statement &operator=(const Statement &) = delete;

        Statement &bind(int index, const QString &text);
        Statement &bind(int index, const QByteArray &blob);
        Statement &bind(int index, qint64 number);
        bool step(); // true while a row is there
        void run();  // steps a statement that returns no rows

        QString text(int column) const;
        QByteArray blob(int column) const;
        qint64 number(int column) const;

    private:
        void check(int rc) const;
        sqlite3 *m_db;
        sqlite3_stmt *m_stmt;
    };

    Statement prepare(const char *sql);

    // BEGIN IMMEDIATE ... COMMIT; rolls back when left without commit().
    class Transaction final {
    public:
        explicit Transaction(Database &db);
        ~Transaction();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;
        void commit();

    private:
        Database &m_db;
        bool m_done = false;
    };

private:
    sqlite3 *m_db = nullptr;
    std::mutex m_mutex;
    std::unordered_map<const char *, sqlite3_stmt *> m_cache;
};

} // namespace velorin
