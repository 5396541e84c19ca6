// Slow, silent and kept-alive connections never make another author's
// request wait for them.
#include "fixture.h"
#include "rawsocket.h"

#include <memory>
#include <thread>
#include <vector>

namespace {

const char kLogin[] = "/nimbra/wbetz/nmbLog.php?Login=ana&Senha=senha1";

// A client that gives up long before a request queued behind the other
// connections would be answered.
Reply fetch(int port, const std::string &path)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(3, 0);
    auto result = client.Get(path.c_str());
    return result ? Reply{result->status, result->body} : Reply{};
}

} // namespace

TEST_F(ServiceTest, SlowAndSilentConnectionsDoNotBlockAFetch)
{
    const int port = m_service->port();
    std::vector<std::unique_ptr<RawSocket>> silent, dribbling;
    for (int i = 0; i < 32; ++i)
        silent.push_back(std::make_unique<RawSocket>(port));
    for (int i = 0; i < 8; ++i) {
        dribbling.push_back(std::make_unique<RawSocket>(port));
        dribbling.back()->send("GET /nimbra/wbetz/mobVrs.php HTTP/1.1\r\nHo");
    }
    // Dribble one more byte on each while fetching in between.
    for (int round = 0; round < 3; ++round) {
        for (auto &slow : dribbling)
            slow->send("s");
        EXPECT_EQ(fetch(port, kLogin).lines().value(0), u"Ok") << round;
    }
    // A dribbled request, once whole, is answered as any other.
    dribbling[0]->send("t: x\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(dribbling[0]->receiveAll().substr(0, 12), "HTTP/1.1 200");
}

TEST_F(ServiceTest, ManyKeptAliveAuthorsAreServedAtOnce)
{
    std::vector<std::unique_ptr<httplib::Client>> authors;
    for (int i = 0; i < 40; ++i) {
        authors.push_back(std::make_unique<httplib::Client>("127.0.0.1", m_service->port()));
        authors.back()->set_keep_alive(true);
        authors.back()->set_read_timeout(3, 0);
    }
    for (int round = 0; round < 2; ++round) {
        for (auto &author : authors) {
            auto reply = author->Get(kLogin);
            ASSERT_TRUE(reply) << round;
            EXPECT_EQ(reply->body.substr(0, 2), "Ok");
        }
    }
}
