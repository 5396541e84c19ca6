#include "fixture.h"

#include <sqlite3.h>

#include <atomic>
#include <thread>

TEST_F(ServiceTest, UnknownPathsAre404)
{
    for (const char *path : {"/nimbra/wbetz/mobNada.php", "/nimbra/wbetz/nmbLog", "/x", "/nimbra/wbetz/../../etc/passwd",
                             "/html/vestra/pags/sons/nada.mp3"}) {
        const Reply reply = m_client->get(path);
        EXPECT_EQ(reply.Status, 404) << path;
    }
    EXPECT_EQ(m_client->get("/nimbra/wbetz/mobNada.php").text(), u8("Página não encontrada"));
}

TEST_F(ServiceTest, MissingKeysGiveAnErrorLine)
{
    for (const char *endpoint : {"mobDados", "mobPtAdv", "mobNwAdv", "nmbLsScp", "nmbGtScp", "nmbPtScp", "mobNwScp",
                                 "nmbLsObj", "mobGtObj", "mobPtObj", "mobNwObj", "mobPtPrm", "mobLsLib", "mobPtLib",
                                 "mobLsSom", "mobLsArq", "mobPtImg", "mobDtArq"}) {
        const Reply reply = call(endpoint, {});
        EXPECT_EQ(reply.Status, 200) << endpoint;
        EXPECT_TRUE(reply.text().startsWith(u8("Falta o campo "))) << endpoint << ": " << reply.Body;
        EXPECT_EQ(reply.lines().size(), 1) << endpoint;
    }
    EXPECT_EQ(m_client->call("mobList", {}).text(), u8("Falta o campo Login"));
    EXPECT_EQ(call("nmbLog", {}).lines().value(0), u"Ok"); // still running
}

TEST_F(ServiceTest, BodyOverTenMegabytesIsRefused)
{
    const std::string big(10 * 1024 * 1024 + 1, 'x');
    const Reply reply = post("nmbPtScp", {{"Pfx", "abc"}, {"Scp", "grande"}}, "texto", big);
    EXPECT_EQ(reply.Status, 413);
    EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "grande"}}).text(), u8("Script não encontrado"));
    const std::string nearly(9 * 1024 * 1024, 'y');
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", "quase.png"}}, "Img", nearly, "quase.png").Body, "Ok");
}

TEST_F(ServiceTest, ConcurrentRequestsAreSafe)
{
    constexpr int kThreads = 6, kRounds = 40;
    std::atomic<int> failures = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &failures] {
            ServiceClient client(m_service->port());
            const std::string name = "p" + std::to_string(t);
            for (int i = 0; i < kRounds; ++i) {
                const std::string text = name + " versão " + std::to_string(i) + "\r\n";
                const Query who = {{"Login", "ana"}, {"Senha", "senha1"}, {"Pfx", "abc"}, {"Scp", name}};
                if (client.post("nmbPtScp", who, "texto", text).Body != "Ok")
                    ++failures;
                if (client.call("nmbGtScp", who).Body != "Ok\r\n" + text)
                    ++failures;
                if (client.call("mobNwObj", {{"Login", "ana"}, {"Senha", "senha1"}, {"Pfx", "abc"},
                                             {"Nome", name + "_" + std::to_string(i)}, {"Idx", m_idx}})
                        .Body != "Ok")
                    ++failures;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(call("nmbLsObj", {{"Pfx", "abc"}}).lines().size(), 1 + kThreads * kRounds);
}

static std::string integrityCheck(const std::string &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    std::string result = sqlite3_step(stmt) == SQLITE_ROW ? reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)) : "";
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

TEST_F(ServiceTest, KillDuringWritesLeavesTheDatabaseConsistent)
{
    std::atomic<bool> stop = false;
    std::atomic<int> stored = 0;
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t) {
        writers.emplace_back([this, t, &stop, &stored] {
            ServiceClient client(m_service->port());
            for (int i = 0; !stop; ++i) {
                const Query who = {{"Login", "ana"}, {"Senha", "senha1"}, {"Pfx", "abc"}, {"Scp", "w" + std::to_string(t)}};
                const std::string text(1000 + i, char('a' + t));
                if (client.post("nmbPtScp", who, "texto", text).Body == "Ok")
                    ++stored;
                else
                    return;
            }
        });
    }
    while (stored < 60)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    m_service->kill9();
    stop = true;
    for (std::thread &writer : writers)
        writer.join();
    EXPECT_EQ(integrityCheck(dataDir() + "/velorin.sqlite"), "ok");
    start();
    for (int t = 0; t < 3; ++t) {
        const Reply reply = call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "w" + std::to_string(t)}});
        const std::string body = reply.Body.substr(4);
        EXPECT_EQ(reply.Body.substr(0, 4), "Ok\r\n");
        EXPECT_EQ(body.find_first_not_of(char('a' + t)), std::string::npos); // one whole text, never a mix
    }
}
