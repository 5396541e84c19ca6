#pragma once

#include "database.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace velorin {

struct Account {
    qint64 Id = 0;
    QString Login;
    QString Email;
};

struct StoredAccount {
    Account Author;
    QString PasswordHash;
};

struct Adventure {
    qint64 Id = 0;
    QString Prefix;
    QString Name;
    QString Title;
    qint64 OwnerId = 0;
    QString OwnerLogin;
    QString StartScript;
    QString Font;
    QString BackColor;
    QString TextColor;
    QString LinkColor;
};

struct GameObject {
    QString Name;
    QString InitialLocation;
    QString InitialShape;
    QString CurrentLocation;
    QString CurrentShape;
};

struct AdventureStyle {
    QString Font;
    QString BackColor;
    QString TextColor;
    QString LinkColor;
};

// Accounts, adventures, page scripts, objects and editors in one SQLite
// file. Names given here are already checked and in their "_" spelling.
class Store final {
public:
    explicit Store(const std::string &path);

    // False when the login exists.
    bool createAccount(const QString &login, const QString &passwordHash, const QString &email);
    std::optional<StoredAccount> storedAccount(const QString &login);
    void setPasswordHash(qint64 accountId, const QString &passwordHash);

    // Creates the adventure with its first page; false when the prefix exists.
    bool createAdventure(qint64 ownerId, const QString &prefix, const QString &name,
                         const QString &startScript, const QByteArray &startText);
    std::vector<Adventure> adventuresOf(qint64 accountId);
    std::optional<Adventure> adventure(const QString &prefix);
    std::optional<Adventure> reachableAdventure(qint64 accountId, const QString &prefix);
    std::optional<Adventure> findAdventure(qint64 accountId, const QString &nameOrTitle);
    void setStyle(qint64 adventureId, const AdventureStyle &style);
    void setParameters(qint64 adventureId, const QString &title, const QString &startScript);

    QStringList scriptNames(qint64 adventureId);
    std::optional<QByteArray> script(qint64 adventureId, const QString &name);
    void putScript(qint64 adventureId, const QString &name, const QByteArray &text);
    bool createScript(qint64 adventureId, const QString &name, const QByteArray &text);

    QStringList objectNames(qint64 adventureId);
    std::optional<GameObject> object(qint64 adventureId, const QString &name);
    bool createObject(qint64 adventureId, const QString &name);
    bool placeObject(qint64 adventureId, const QString &name, const QString &location, const QString &shape);
    std::vector<GameObject> objectsAt(qint64 adventureId, const QString &location);

    QStringList editors(qint64 adventureId);
    QStringList candidates(qint64 adventureId);
    // Replaces the editors by the known logins among names; returns the unknown ones.
    QStringList setEditors(qint64 adventureId, const QStringList &names);

private:
    void migrate();
    qint64 schemaVersion();
    Database m_db;
};

} // namespace velorin
