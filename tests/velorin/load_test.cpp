// The service under several authors at once, each a client of its own with
// its own libcurl handle, as the program has one: pages are never lost or
// mixed, and a crash in the middle of a write burst loses no stored page.
#include "fixture.h"

#include "http.h"
#include "serviceget.h"
#include "velorin.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iterator>
#include <optional>
#include <set>
#include <thread>

namespace {

constexpr int kAuthors = 5;
constexpr int kRounds = 60;
const QString kShared = QStringLiteral("comum");

QString ownPage(int author)
{
    return QStringLiteral("p%1").arg(author);
}

// Unlike in length and in every line, so a page made of two stores, or cut
// short, matches none of them.
QString pageText(const QString &name, int author, int round)
{
    QString text = QStringLiteral("//mob txt %1\r\n  boxon\r\n").arg(name);
    const QString line = QStringLiteral("  <p>autor %1, versão %2</p>\r\n").arg(author).arg(round);
    text += line.repeated(1 + (author * 7 + round) % 23);
    return text + QStringLiteral("  boxoff\r\n  fim\r\n");
}

std::set<QString> everyTextOf(const QString &name)
{
    std::set<QString> texts;
    for (int author = 0; author < kAuthors; ++author) {
        for (int round = 0; round < kRounds; ++round)
            texts.insert(pageText(name, author, round));
    }
    return texts;
}

// The page part of a fetch reply, or nothing for a failed fetch.
std::optional<QString> scriptOf(const QString &reply)
{
    return reply.startsWith(QStringLiteral("Ok\r\n")) ? std::optional(reply.mid(4)) : std::nullopt;
}

// One author at work: the client's own request layer on a connection of its own.
struct Author {
    explicit Author(int port)
    {
        session.setSite(QStringLiteral("http://127.0.0.1:%1/").arg(port));
        session.Login = QStringLiteral("ana");
        session.Password = QStringLiteral("senha1");
        session.AdvPrefix = QStringLiteral("abc");
        session.UserIdx = QStringLiteral("1");
    }
    nimbra::Http http;
    nimbra::Session session;
    nimbra::ServiceClient client{http};
    nimbra::Velorin service{session, client};
};

// Every row of the check: "ok" alone for a sound file.
std::vector<std::string> integrityCheck(const std::string &path)
{
    std::vector<std::string> rows;
    sqlite3 *db = nullptr;
    const auto row = [](void *out, int, char **values, char **) {
        static_cast<std::vector<std::string> *>(out)->emplace_back(values[0]);
        return 0;
    };
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "PRAGMA integrity_check", row, &rows, nullptr) != SQLITE_OK)
        rows.emplace_back(sqlite3_errmsg(db));
    sqlite3_close(db);
    return rows;
}

class LoadTest : public ServiceTest {
protected:
    // Runs work(author, client) for every author at once.
    template <typename Work>
    void everyAuthorAtOnce(Work work)
    {
        std::vector<std::thread> threads;
        for (int author = 0; author < kAuthors; ++author) {
            threads.emplace_back([this, author, work] {
                Author client(m_service->port());
                work(author, client);
            });
        }
        for (std::thread &thread : threads)
            thread.join();
    }

    QString fetched(const QString &name)
    {
        Author reader(m_service->port());
        return reader.service.fetchScript(name);
    }

    std::atomic<int> m_failedRequests = 0;
    std::atomic<int> m_lostOrMixed = 0;
};

} // namespace

TEST_F(LoadTest, ParallelStoresFetchesAndNewObjectsNeitherLoseNorMix)
{
    const std::set<QString> sharedTexts = everyTextOf(kShared);
    everyAuthorAtOnce([&](int author, Author &client) {
        for (int round = 0; round < kRounds; ++round) {
            const QString own = pageText(ownPage(author), author, round);
            const QString shared = pageText(kShared, author, round);
            if (client.service.storeScript(ownPage(author), own) != u"Ok"
                || client.service.storeScript(kShared, shared) != u"Ok"
                || client.service.newObject(QStringLiteral("o%1_%2").arg(author).arg(round)) != u"Ok") {
                ++m_failedRequests;
                continue;
            }
            // Nobody else writes the own page: it is the text just stored.
            if (scriptOf(client.service.fetchScript(ownPage(author))) != own)
                ++m_lostOrMixed;
            const auto sharedNow = scriptOf(client.service.fetchScript(kShared));
            if (!sharedNow || !sharedTexts.count(*sharedNow))
                ++m_lostOrMixed;
        }
    });
    EXPECT_EQ(m_failedRequests.load(), 0);
    EXPECT_EQ(m_lostOrMixed.load(), 0);

    for (int author = 0; author < kAuthors; ++author)
        EXPECT_EQ(scriptOf(fetched(ownPage(author))), pageText(ownPage(author), author, kRounds - 1));
    // The store that came last was some author's last one.
    std::set<QString> lastTexts;
    for (int author = 0; author < kAuthors; ++author)
        lastTexts.insert(pageText(kShared, author, kRounds - 1));
    EXPECT_TRUE(lastTexts.count(scriptOf(fetched(kShared)).value_or(QString())));

    QStringList expected = {u8("inicio"), kShared};
    for (int author = 0; author < kAuthors; ++author)
        expected.append(ownPage(author));
    expected.sort();
    QStringList listed = Author(m_service->port()).service.listScripts();
    listed.sort();
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(Author(m_service->port()).service.listObjects().size(), kAuthors * kRounds);
}

TEST_F(LoadTest, KillDuringAWriteBurstKeepsEveryStoredPage)
{
    // The round of each author's last store the service acknowledged.
    std::atomic<int> acknowledged[kAuthors];
    for (auto &round : acknowledged)
        round = -1;
    std::atomic<int> stores = 0;
    std::thread burst([&] {
        everyAuthorAtOnce([&](int author, Author &client) {
            for (int round = 0; round < kRounds * 100; ++round) {
                if (client.service.storeScript(ownPage(author), pageText(ownPage(author), author, round % kRounds)) != u"Ok"
                    || client.service.storeScript(kShared, pageText(kShared, author, round % kRounds)) != u"Ok")
                    return;
                acknowledged[author] = round;
                ++stores;
            }
        });
    });
    const auto everyAuthorStored = [&] {
        return std::all_of(std::begin(acknowledged), std::end(acknowledged), [](const auto &round) { return round >= 2; });
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!(stores >= kAuthors * 10 && everyAuthorStored()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    m_service->kill9();
    burst.join();
    ASSERT_TRUE(everyAuthorStored()) << "the burst never got going";

    EXPECT_EQ(integrityCheck(dataDir() + "/velorin.sqlite"), std::vector<std::string>{"ok"});
    start();
    for (int author = 0; author < kAuthors; ++author) {
        // The acknowledged text, or the one after it whose answer the kill cut off.
        const int last = acknowledged[author];
        const auto page = scriptOf(fetched(ownPage(author)));
        EXPECT_TRUE(page == pageText(ownPage(author), author, last % kRounds)
                    || page == pageText(ownPage(author), author, (last + 1) % kRounds))
            << "author " << author << " after round " << last;
    }
    const auto shared = scriptOf(fetched(kShared));
    EXPECT_TRUE(shared && everyTextOf(kShared).count(*shared));
}
