// Requests and the replies they must get, byte for byte, held in the files
// of cases/exchanges. Each file runs in order on a fresh service where ana
// (password senha1, user index 1) owns the adventure abc. A request line
//   GET target
//   POST target field[:file name] content
// is followed by its reply line
//   status body
// and, for a redirect, by the address it names: "Location: address".
// Content and body are the Windows-1252 bytes of the text, with the escapes
// \r \n \t \\ \xNN; "RESTART args" starts the service again on the same data.
// "SQL statement" runs on the data file with the service stopped. A cookie
// the service sets goes with the GETs after it.
#include "casetext.h"
#include "fixture.h"
#include "rawsocket.h"

#include "templates.h"

#include <QDir>
#include <QFile>

namespace {

// A reply as it would be written in a case file, for the failure message.
std::string shown(const Reply &reply)
{
    std::string text = std::to_string(reply.Status) + ' ';
    for (const QChar c : nimbra::fromCp1252(QByteArray::fromStdString(reply.Body))) {
        if (c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            text += c == u'\r' ? "\\r" : c == u'\n' ? "\\n" : c == u'\\' ? "\\\\" : QString::asprintf("\\x%02X", c.unicode()).toStdString();
        else
            text += QString(c).toStdString();
    }
    return text;
}

// The Location header of a GET as sent, asked again on a bare connection:
// the HTTP client decodes it.
std::string location(int port, const std::string &target, const httplib::Headers &cookie)
{
    RawSocket raw(port);
    const std::string sent = cookie.empty() ? std::string() : "Cookie: " + cookie.begin()->second + "\r\n";
    raw.send("GET " + target + " HTTP/1.1\r\nHost: x\r\n" + sent + "Connection: close\r\n\r\n");
    const std::string answer = raw.receiveAll();
    const std::size_t at = answer.find("\r\nLocation: ");
    return at == std::string::npos ? std::string() : answer.substr(at + 12, answer.find("\r\n", at + 2) - at - 12);
}

} // namespace

TEST_F(ServiceTest, EveryExchangeOfTheCaseFiles)
{
    const QDir folder(QStringLiteral(EXCHANGE_CASES));
    const QStringList files = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 8);
    for (const QString &name : files) {
        m_client.reset();
        m_service.reset();
        ASSERT_TRUE(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        SetUp();
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        httplib::Headers cookie; // kept as a browser keeps it
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            const std::string where = name.toStdString() + ':' + std::to_string(i + 1);
            if (line.isEmpty() || line.startsWith(u'#')) {
                continue;
            } else if (line.startsWith(u"SQL ")) {
                EXPECT_EQ(sql(line.mid(4).toStdString()), "") << where;
                continue;
            } else if (line.startsWith(u"RESTART")) {
                std::vector<std::string> args;
                for (const QString &arg : line.split(u' ', Qt::SkipEmptyParts).mid(1))
                    args.push_back(arg.toStdString());
                start(args);
                continue;
            }
            const std::string target = line.section(u' ', 1, 1).toStdString();
            ASSERT_TRUE(line.startsWith(u"GET ") || line.startsWith(u"POST ")) << where;
            const QString part = line.section(u' ', 2, 2);
            const httplib::MultipartFormDataItems items = {{part.section(u':', 0, 0).toStdString(),
                                                            bytesOf(line.section(u' ', 3)), part.section(u':', 1).toStdString(),
                                                            part.contains(u':') ? "image/jpg" : ""}};
            const httplib::Result result = line.startsWith(u"GET ") ? m_client->http().Get(target.c_str(), cookie)
                                                                     : m_client->http().Post(target.c_str(), items);
            if (result && result->has_header("Set-Cookie"))
                cookie = {{"Cookie", result->get_header_value("Set-Cookie").substr(0, result->get_header_value("Set-Cookie").find(';'))}};
            const Reply reply = result ? Reply{result->status, result->body} : Reply{};
            ASSERT_LT(++i, lines.size()) << where << ": no reply line";
            const QString expected = lines[i];
            EXPECT_EQ(reply.Status, expected.section(u' ', 0, 0).toInt()) << where << '\n' << shown(reply);
            EXPECT_EQ(reply.Body, bytesOf(expected.section(u' ', 1))) << where << '\n' << shown(reply);
            if (i + 1 < lines.size() && lines[i + 1].startsWith(u"Location: "))
                EXPECT_EQ(location(m_service->port(), target, cookie), lines[++i].mid(10).toStdString()) << where;
            else
                EXPECT_FALSE(result && result->has_header("Location")) << where;
        }
    }
}

TEST_F(ServiceTest, NewAdventureStartsWithTheClientsTextPage)
{
    const QStringList lines = call("nmbGtScp", {{"Pfx", "abc"}, {"Scp", "inicio"}}).lines();
    EXPECT_EQ(lines.mid(1), nimbra::pageTemplateLines(nimbra::NewPageKind::Text, QStringLiteral("inicio")));
}
