// The rows of cases/names.txt: how the client reads names, values and
// replies, each kind of row one function of the client; the escapes are
// those of the service's case files.
#include "adventure.h"
#include "casetext.h"
#include "imageload.h"
#include "requesturl.h"
#include "serverfiles.h"
#include "serviceget.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include <sys/stat.h>

using namespace nimbra;

namespace {

QStringList list(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u8(", "));
}

QString shown(const ListedNames &names)
{
    return u'[' + names.Shown.join(u8(", ")) + u8("] refused [") + names.Refused.join(u8(", ")) + u']';
}

// A program folder with an open adventure "casa" holding a picture, a
// folder and a pipe under picture names, a sound, and sound names that are
// not plain files.
class NameRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_session.AppDir = m_dir.path() + u8("/app/");
        m_session.AdvPrefix = u8("casa");
        m_session.AdvFolder = m_session.AppDir + u8("casa/");
        const QString folder = m_session.AdvFolder;
        ASSERT_TRUE(QDir().mkpath(folder + u8("pasta.png")) && QDir().mkpath(folder + u8("pasta.mp3")));
        ASSERT_EQ(mkfifo((folder + u8("cano.png")).toLocal8Bit().constData(), 0600), 0);
        for (const char *name : {"tela.png", "velho.mp3", "../fora.mp3"}) {
            QFile file(folder + u8(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
        }
        ASSERT_TRUE(QFile::link(m_session.AppDir + u8("fora.mp3"), folder + u8("link.mp3")));
        ASSERT_TRUE(QFile::link(m_session.AppDir + u8("nada.mp3"), folder + u8("solto.mp3")));
    }

    QString path(std::optional<QString> found, const QString &why) const
    {
        return found ? found->mid(m_session.AppDir.size()) : u8("! ") + why;
    }

    QTemporaryDir m_dir;
    Session m_session;
};

} // namespace

TEST_F(NameRows, EveryRowOfTheFile)
{
    QString why;
    const std::map<QString, std::function<QString(const QString &)>> kinds = {
        {u8("entry"), [](const QString &s) { return serverEntryName(s); }},
        {u8("images"), [](const QString &s) { return shown(serverFileNames(list(s), ServerFileKind::Image)); }},
        {u8("sounds"), [](const QString &s) { return shown(serverFileNames(list(s), ServerFileKind::Sound)); }},
        {u8("refused"), [](const QString &s) { return refusedNamesStatus(list(s)); }},
        {u8("library"), [](const QString &s) { return shown(librarySoundNames(list(s))); }},
        {u8("sound"),
         [](const QString &s) -> QString {
             const std::optional<SoundName> sound = soundName(s);
             return !sound ? u8("none") : sound->FileName + (sound->Library ? u8(" from the library") : QString());
         }},
        {u8("prefix"),
         [&](const QString &s) -> QString {
             Session session = m_session;
             session.AdvPrefix = s;
             const QString folder = path(adventureFolder(session, &why), why);
             const std::optional<QString> file = adventureFilePath(session, u8("a.png"), &why);
             return folder + u8(" ; ") + (file ? path(file, why) : u8("none"));
         }},
        {u8("path"), [&](const QString &s) { return path(adventureFilePath(m_session, s, &why), why); }},
        {u8("upload"), [&](const QString &s) { return path(uploadablePath(m_session, s, &why), why); }},
        {u8("target"), [&](const QString &s) { return path(soundTargetPath(m_session, s, &why), why); }},
        {u8("percent"), [](const QString &s) { return percentEncode(s); }},
        {u8("reply"),
         [](const QString &s) -> QString {
             const Reply reply(s);
             return QStringLiteral("%1 lines, ").arg(reply.size()) + (reply.isOk() ? u8("ok") : u8("failed"));
         }},
        {u8("colour"), [](const QString &s) { return ColorFromText(s).name(); }},
        {u8("adventure"),
         [&](const QString &s) -> QString {
             QStringList l = list(s);
             const qsizetype size = l.isEmpty() ? 0 : l.takeLast().toInt();
             while (l.size() < size)
                 l.append(QStringLiteral("v%1").arg(l.size()));
             const auto data = readAdventureData(Reply(l.join(u8("\r\n"))), &why);
             if (!data)
                 return u8("! ") + why;
             return data->Prefix + u8(", back ") + data->BackColor + u8(", start ") + data->StartScript
                    + u8(", font ") + data->MainFont;
         }},
        {u8("run"), [](const QString &s) { return runUrl(list(s)[0], list(s)[1], list(s)[2], list(s)[3]); }},
        {u8("chart"), [](const QString &s) { return qrChartUrl(list(s)[0], list(s)[1]); }},
        {u8("startqr"), [](const QString &s) { return adventureQrText(list(s)[0], list(s)[1]); }},
        {u8("pageqr"), [](const QString &s) { return pageQrText(list(s)[0], list(s)[1], list(s)[2], list(s)[3]); }},
        // Each name but the empty one would reach a real picture if it were followed.
        {u8("image"),
         [](const QString &s) -> QString {
             const LoadedImage loaded = loadImageFile(QStringLiteral(IMAGE_CASES), s, QImage(2, 2, QImage::Format_RGB32));
             const QString outcome = loaded.outcome == LoadedImage::Outcome::Cleared  ? u8("cleared")
                                     : loaded.outcome == LoadedImage::Outcome::Failed ? u8("!")
                                                                                      : u8("shown");
             return (loaded.image.isNull() ? QString() : u8("a picture, ")) + outcome + u' ' + loaded.error;
         }},
    };
    QFile file(QStringLiteral(NAME_CASES));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int rows = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const QString kind = line.section(u' ', 0, 0);
        const qsizetype arrow = line.indexOf(u8(" =>"));
        ASSERT_TRUE(kinds.count(kind) && arrow > 0) << line.toStdString();
        EXPECT_EQ(kinds.at(kind)(caseText(line.mid(kind.size() + 1, arrow - kind.size() - 1))),
                  caseText(line.mid(arrow + 4)))
            << line.toStdString();
        ++rows;
    }
    EXPECT_GT(rows, 70);
}
