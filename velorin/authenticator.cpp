#include "authenticator.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <crypt.h>

#include <memory>
#include <stdexcept>

namespace velorin {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFreeTries = 5;
constexpr std::chrono::minutes kRemembered{10};
constexpr std::size_t kMaxEntries = 10000;

// The hash of the password under a crypt setting; empty on failure.
QString cryptHash(const QString &password, const QByteArray &setting)
{
    const QByteArray bytes = password.toUtf8();
    if (bytes.contains('\0'))
        return {};
    auto data = std::make_unique<crypt_data>();
    const char *hash = crypt_r(bytes.constData(), setting.constData(), data.get());
    return hash && hash[0] != '*' ? QString::fromLatin1(hash) : QString();
}

QString newHash(const QString &password)
{
    char setting[CRYPT_GENSALT_OUTPUT_SIZE];
    if (!crypt_gensalt_rn("$y$", 0, nullptr, 0, setting, sizeof setting))
        throw std::runtime_error("crypt_gensalt");
    const QString hash = cryptHash(password, setting);
    if (hash.isEmpty())
        throw std::runtime_error("crypt");
    return hash;
}

// Accounts made before the slow hash: "salt$" and the hex SHA-256 of
// "salt$password".
QString oldHash(const QString &stored, const QString &password)
{
    const QString salt = stored.section(u'$', 0, 0);
    const QByteArray digest = QCryptographicHash::hash((salt + u'$' + password).toUtf8(), QCryptographicHash::Sha256);
    return salt + u'$' + QString::fromLatin1(digest.toHex());
}

bool isOldHash(const QString &stored)
{
    return !stored.startsWith(u'$');
}

bool matches(const QString &stored, const QString &password)
{
    const QString hash = isOldHash(stored) ? oldHash(stored, password) : cryptHash(password, stored.toLatin1());
    return !hash.isEmpty() && hash == stored;
}

// One of the few hashes allowed at once, for as long as it lives.
class HashSlot final {
public:
    explicit HashSlot(std::counting_semaphore<> &free) : m_slots(free) { m_slots.acquire(); }
    ~HashSlot() { m_slots.release(); }
    HashSlot(const HashSlot &) = delete;
    HashSlot &operator=(const HashSlot &) = delete;

private:
    std::counting_semaphore<> &m_slots;
};

QByteArray randomSecret()
{
    QByteArray secret(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(secret.data()), secret.size() / 4);
    return secret;
}

// Keeps a map of remembered entries bounded: what no longer counts goes first.
template <typename Map, typename Stale>
void bound(Map &map, Stale stale)
{
    if (map.size() < kMaxEntries)
        return;
    std::erase_if(map, [&stale](const auto &entry) { return stale(entry.second); });
    if (map.size() >= kMaxEntries)
        map.clear();
}

} // namespace

Authenticator::Authenticator(Store &store, std::chrono::seconds pause)
    : m_store(store), m_pause(pause), m_secret(randomSecret())
{
}

QByteArray Authenticator::digest(const QString &login, const QString &password) const
{
    return QMessageAuthenticationCode::hash((login + u'\n' + password).toUtf8(), m_secret, QCryptographicHash::Sha256);
}

int Authenticator::secondsPaused(const QString &key)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_failures.find(key);
    if (found == m_failures.end() || found->second.PausedUntil <= Clock::now())
        return 0;
    const auto left = std::chrono::ceil<std::chrono::seconds>(found->second.PausedUntil - Clock::now());
    return int(std::max<std::chrono::seconds::rep>(left.count(), 1));
}

bool Authenticator::remembered(const QString &key, const StoredAccount &row, const QByteArray &pair)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_verified.find(key);
    return found != m_verified.end() && found->second.Hash == row.PasswordHash && found->second.Digest == pair
        && found->second.Until > Clock::now();
}

void Authenticator::remember(const QString &key, const QString &hash, const QByteArray &pair)
{
    std::lock_guard lock(m_mutex);
    bound(m_verified, [](const Verified &entry) { return entry.Until <= Clock::now(); });
    m_verified[key] = Verified{hash, pair, Clock::now() + kRemembered};
    m_failures.erase(key);
}

void Authenticator::failed(const QString &key)
{
    std::lock_guard lock(m_mutex);
    bound(m_failures, [](const Failures &entry) { return entry.PausedUntil <= Clock::now(); });
    Failures &failures = m_failures[key];
    if (++failures.Count >= kFreeTries) {
        failures.Count = 0;
        failures.PausedUntil = Clock::now() + m_pause;
    }
}

Authenticator::Outcome Authenticator::authenticate(const QString &login, const QString &password)
{
    const QString key = login.toCaseFolded();
    if (const int wait = secondsPaused(key))
        return {std::nullopt, wait};
    const auto row = m_store.storedAccount(login);
    const QByteArray pair = digest(key, password);
    if (row && remembered(key, *row, pair))
        return {row->Author, 0};
    const HashSlot slot(m_hashSlots);
    // The same pair may have been verified while this one waited.
    if (row && remembered(key, *row, pair))
        return {row->Author, 0};
    if (!row || !matches(row->PasswordHash, password)) {
        failed(key);
        return {};
    }
    QString hash = row->PasswordHash;
    if (isOldHash(hash)) {
        hash = newHash(password);
        m_store.setPasswordHash(row->Author.Id, hash);
    }
    remember(key, hash, pair);
    return {row->Author, 0};
}

bool Authenticator::createAccount(const QString &login, const QString &password, const QString &email)
{
    const HashSlot slot(m_hashSlots);
    return m_store.createAccount(login, newHash(password), email);
}

} // namespace velorin
