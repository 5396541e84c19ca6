// One line per request on standard error; standard output keeps only the
// port line.
#include "fixture.h"

#include <QFile>
#include <QRegularExpression>

TEST_F(ServiceTest, AccessLogHasALinePerRequestWithoutTheQuery)
{
    const std::string log = dataDir() + "/acesso.log";
    start({}, log);
    const struct {
        std::string target;
        const char *line;
    } requests[] = {
        {"/nimbra/wbetz/nmbLog.php?Login=ana&Senha=segredo-da-ana", "GET /nimbra/wbetz/nmbLog.php 200"},
        {"/nimbra/wbetz/mobNada.php?Senha=segredo-da-ana", "GET /nimbra/wbetz/mobNada.php 404"},
        {"/a%0Ab%25c?Senha=segredo-da-ana", "GET /a%0Ab%25c 404"},
        {"/chart?cht=qr&chs=160x160&chl=http://x/inicio.php?Pfx=segredo-da-ana", "GET /chart 200"},
    };
    for (const auto &request : requests)
        m_client->get(request.target);
    m_client->post("nmbPtScp", {{"Login", "ana"}, {"Senha", "segredo-da-ana"}, {"Pfx", "abc"}, {"Scp", "p"}}, "texto", "x");
    m_client.reset();
    m_service.reset();

    QFile file(QString::fromStdString(log));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("segredo")));
    static const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [A-Z]+ /\\S* \\d{3} \\d+\\.\\d ms$"));
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(shape.match(lines[i]).hasMatch()) << lines[i].toStdString();
    // Each connection logs on its own thread: the order is not kept.
    const QString all = lines.join(u'\n');
    for (const auto &request : requests)
        EXPECT_TRUE(all.contains(QLatin1StringView(request.line))) << request.line;
    EXPECT_TRUE(all.contains(QStringLiteral("POST /nimbra/wbetz/nmbPtScp.php 200")));
}
