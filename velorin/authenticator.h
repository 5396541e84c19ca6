#pragma once

#include "store.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <mutex>
#include <optional>
#include <semaphore>
#include <unordered_map>

namespace velorin {

// Checks logins and passwords. Passwords are kept as slow standard hashes
// (yescrypt); pairs verified a short while ago are remembered, so the
// password every request carries costs the hash once; after a run of wrong
// passwords a login is paused for a while.
class Authenticator final {
public:
    Authenticator(Store &store, std::chrono::seconds pause);

    struct Outcome {
        std::optional<Account> Author;
        int WaitSeconds = 0; // > 0 while the login is paused
    };
    Outcome authenticate(const QString &login, const QString &password);

    // False when the login exists.
    bool createAccount(const QString &login, const QString &password, const QString &email);

private:
    struct Verified {
        QString Hash;
        QByteArray Digest;
        std::chrono::steady_clock::time_point Until;
    };
    struct Failures {
        int Count = 0;
        std::chrono::steady_clock::time_point PausedUntil;
    };

    QByteArray digest(const QString &login, const QString &password) const;
    int secondsPaused(const QString &key);
    bool remembered(const QString &key, const StoredAccount &row, const QByteArray &pair);
    void remember(const QString &key, const QString &hash, const QByteArray &pair);
    void failed(const QString &key);

    Store &m_store;
    const std::chrono::seconds m_pause;
    const QByteArray m_secret; // keys the remembered pairs' digests
    // Each hash takes many megabytes: only a few run at once.
    std::counting_semaphore<> m_hashSlots{4};
    std::mutex m_mutex;
    std::unordered_map<QString, Verified> m_verified;
    std::unordered_map<QString, Failures> m_failures;
};

} // namespace velorin
