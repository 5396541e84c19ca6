// Request bodies are bounded whatever their framing: a declared length,
// chunks, a compressed body, or bytes until the connection ends.
#include "fixture.h"
#include "rawsocket.h"

#include <fstream>
#include <functional>

namespace {

constexpr std::size_t kLimit = 10 * 1024 * 1024;
const std::string kBoundary = "limite-de-envio";
const std::string kMultipart = "multipart/form-data; boundary=" + kBoundary;
const std::string kStore = "/nimbra/wbetz/nmbPtScp.php?Login=ana&Senha=senha1&Pfx=abc&Scp=grande";

const std::string kHead = "--" + kBoundary + "\r\nContent-Disposition: form-data; name=\"texto\"\r\n\r\n";
const std::string kTail = "\r\n--" + kBoundary + "--\r\n";

// A multipart body of one text field of `size` bytes, made while it is sent
// in chunks.
httplib::ContentProviderWithoutLength chunkedField(std::size_t size)
{
    return [size, sent = std::size_t(0), started = false](std::size_t, httplib::DataSink &sink) mutable {
        static const std::string filler(64 * 1024, 'x');
        if (!started) {
            started = true;
            return sink.write(kHead.data(), kHead.size());
        }
        const std::size_t n = std::min(filler.size(), size - sent);
        sent += n;
        if (n > 0)
            return sink.write(filler.data(), n);
        sink.write(kTail.data(), kTail.size());
        sink.done();
        return true;
    };
}

// The peak resident memory of a process so far, in bytes.
std::size_t peakMemory(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoul(line.substr(6)) * 1024;
    }
    return 0;
}

using BodyTest = ServiceTest;

} // namespace

TEST_F(BodyTest, BodiesWithinTheLimitAreStored)
{
    for (std::size_t size : {std::size_t(1), std::size_t(3 * 1024 * 1024)}) {
        auto result = m_client->http().Post(kStore.c_str(), chunkedField(size), kMultipart.c_str());
        EXPECT_TRUE(result && result->body == "Ok") << size;
        EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "grande"}}).Body.size(), size + 4) << size; // after "Ok" CR LF
    }
    const std::string nearly(9 * 1024 * 1024, 'y');
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", "quase.png"}}, "Img", nearly, "quase.png").Body, "Ok");
}

TEST_F(BodyTest, BodiesOverTheLimitAreRefusedAndNeverHeld)
{
    const std::size_t before = peakMemory(m_service->pid());
    const struct {
        const char *what;
        std::function<httplib::Result()> send;
    } cases[] = {
        {"a declared length",
         [&] { return m_client->http().Post(kStore.c_str(), kHead + std::string(kLimit + 1, 'x') + kTail, kMultipart.c_str()); }},
        {"chunks", [&] { return m_client->http().Post(kStore.c_str(), chunkedField(12 * kLimit), kMultipart.c_str()); }},
        {"a compressed body",
         [&] {
             m_client->http().set_compress(true);
             return m_client->http().Post(kStore.c_str(), kHead + std::string(2 * kLimit, 'x') + kTail, kMultipart.c_str());
         }},
    };
    for (const auto &c : cases) {
        const httplib::Result result = c.send();
        const Reply reply = result ? Reply{result->status, result->body} : Reply{};
        EXPECT_EQ(reply.Status, 413) << c.what;
        EXPECT_EQ(reply.text(), u8("Envio grande demais (máximo 10 MB)")) << c.what;
        EXPECT_EQ(call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "grande"}}).text(), u8("Script não encontrado")) << c.what;
    }
    EXPECT_LT(peakMemory(m_service->pid()) - before, 6 * kLimit);
}

TEST_F(BodyTest, BodyUntilTheConnectionEndsIsBounded)
{
    RawSocket raw(m_service->port());
    raw.send("POST " + kStore + " HTTP/1.1\r\nHost: x\r\nContent-Type: " + kMultipart + "\r\n\r\n" + kHead);
    raw.send(std::string(kLimit + 1024, 'x'));
    raw.finishSending();
    const std::string answer = raw.receiveAll();
    EXPECT_EQ(answer.rfind("HTTP/1.1 413", 0), 0u) << answer.substr(0, 80);
    EXPECT_NE(answer.find("Connection: close"), std::string::npos);
}

TEST_F(BodyTest, BodiesNoRouteTakesAreNeverHeld)
{
    const struct {
        std::string head;
        const char *status;
    } cases[] = {
        {"POST /nimbra/index.htm HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", "HTTP/1.1 413"},
        {"POST /nimbra/wbetz/mobNada.php HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", "HTTP/1.1 413"},
        {"PUT /nimbra/wbetz/nmbPtScp.php HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", "HTTP/1.1 405"},
        {"PRI /x HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", "HTTP/1.1 405"},
        {"GET /nimbra/wbetz/mobVrs.php HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", "HTTP/1.1 200"},
    };
    const std::string chunk = "100000\r\n" + std::string(0x100000, 'x') + "\r\n";
    const std::size_t before = peakMemory(m_service->pid());
    for (const auto &c : cases) {
        RawSocket raw(m_service->port());
        raw.send(c.head);
        for (int i = 0; i < 20 && raw.send(chunk); ++i) {
        }
        raw.finishSending();
        const std::string answer = raw.receiveAll();
        EXPECT_EQ(answer.rfind(c.status, 0), 0u) << c.head << answer.substr(0, 80);
        // One answer, and the connection ends: the rest was never read as requests.
        EXPECT_EQ(answer.find("HTTP/1.1", 1), std::string::npos) << c.head;
    }
    EXPECT_LT(peakMemory(m_service->pid()) - before, 2 * kLimit);
}
