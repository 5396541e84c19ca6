#pragma once

#include "adventurecheck.h"
#include "pagesession.h"
#include "reply.h"
#include "requesturl.h"
#include "serviceget.h"
#include "session.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace nimbra {

// One routine per service endpoint, built from the session's values. Direct
// requests give the whole reply text, or the failure text of the transfer,
// which is never "Ok", so a failure can never pass for success.
class Velorin final : public PageStore {
public:
    Velorin(Session &session, ServiceClient &client) : m_session(session), m_client(client) {}

    // Account
    Reply login(const QString &typedLogin, const QString &typedPassword);
    QString newAccount(const QString &login, const QString &password, const QString &email);

    // Adventures
    Reply listAdventures();
    Reply adventureData(const QString &name);
    QString putAdventureStyle(const QString &font, const QString &back, const QString &text, const QString &link);
    QString newAdventure(const QString &prefix, const QString &name);

    // Page scripts; names listed with blanks for "_"
    QStringList listScripts();
    QString fetchScript(const QString &name) override;
    // Several fetches in flight at once.
    QStringList fetchScripts(const QStringList &names, const FetchProgress &progress = {}) override;
    QString storeScript(const QString &name, const QString &text) override;
    QString newScript(const QString &name) override;

    // Objects
    QStringList listObjects();
    Reply object(const QString &name);
    Reply putObject(const QString &name, const QString &location, const QString &shape);
    QString newObject(const QString &name);
    // Every object's pictures, initial and current, for the adventure check.
    std::vector<ObjectPicture> objectPictures();

    // Parameters and editors
    QString putParameters(const QString &title, const QString &startScript);
    Reply listEditors();
    QString putEditors(const QStringList &names);

    // Files and sounds
    QStringList listSounds(const QString &category);
    QStringList listServerFiles();
    // The adventure's files on the service; nothing when the list could not
    // be had, which is not the same as no files.
    std::optional<QStringList> serverFiles();
    QString uploadFile(const QString &localPath, const QString &serverName);
    QString deleteFile(const QString &serverName);

    // The service's version text; a failed transfer comes back failed.
    HttpResult version();

    Session &session() { return m_session; }
    ServiceClient &client() { return m_client; }

private:
    QString url(const char *endpoint, QueryPairs further = {}) const;
    QString scriptUrl(const QString &name) const;
    QString directText(const QString &url);
    static QString resultText(const HttpResult &result);

    Session &m_session;
    ServiceClient &m_client;
};

} // namespace nimbra
