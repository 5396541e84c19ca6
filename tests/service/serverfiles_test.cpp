#include "recorder.h"

#include "serverfiles.h"
#include "update.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below root, with its bytes, so a test can see that nothing
// changed outside the adventure folder.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    const QDir dir(root);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            files.insert(entry.filePath(), QByteArray("link to ") + entry.symLinkTarget().toUtf8());
        else if (entry.isDir())
            files.insert(snapshot(entry.filePath()));
        else
            files.insert(entry.filePath(), readFile(entry.filePath()));
    }
    return files;
}

// A program folder with an open adventure "casa".
class AdventureFolderTest : public ::testing::Test {
protected:
    AdventureFolderTest()
    {
        m_session.AppDir = m_dir.path() + u8("/app/");
        m_session.AdvPrefix = u8("casa");
        m_session.AdvFolder = m_session.AppDir + u8("casa/");
        QDir().mkpath(m_session.AdvFolder);
    }

    QString advFile(const char *name) const { return m_session.AdvFolder + u8(name); }

    QTemporaryDir m_dir;
    Session m_session;
};

} // namespace











TEST_F(AdventureFolderTest, LocalListsShowTheFilesOfTheMasksInNameOrder)
{
    for (const char *name : {"c.jpg", "a.png", "B.gif", "d.txt", "e.mp3", "f.ogg", "H.PNG", "g.mp3.part"})
        ASSERT_TRUE(writeFile(advFile(name), "x"));
    ASSERT_TRUE(QDir().mkpath(advFile("pasta.png")));
    EXPECT_EQ(localFiles(m_session.AdvFolder, kImageMasks), u8Lines({"a.png", "B.gif", "c.jpg", "H.PNG"}));
    EXPECT_EQ(localFiles(m_session.AdvFolder, kSoundMasks), u8Lines({"e.mp3", "f.ogg"}));
    EXPECT_TRUE(localFiles(m_session.AppDir + u8("falta/"), kImageMasks).isEmpty());
    EXPECT_TRUE(localFiles(QString(), kImageMasks).isEmpty());
}

// A library sound from the real service's library folder.
TEST_F(AdventureFolderTest, ADownloadedSoundLandsInTheAdventureFolder)
{
    const VelorinProcess service(m_dir.filePath(u8("data")).toStdString());
    m_session.setSite(QString::fromStdString(service.baseUrl()));
    Http http;
    EXPECT_EQ(FetchLibrarySound(http, m_session, u8("agua_gota.mp3")), std::nullopt);
    EXPECT_GT(readFile(advFile("agua_gota.mp3")).size(), 100);
    EXPECT_EQ(http.connectTimeout(), 5000ms);
    EXPECT_EQ(http.inactivityTimeout(), 5000ms);
    EXPECT_EQ(QDir(m_session.AdvFolder).entryList(QDir::Files), u8Lines({"agua_gota.mp3"}));
}

// Answers the reference service will not give: errors, broken replies.
class LibraryFaultTest : public AdventureFolderTest {
protected:
    LibraryFaultTest() { m_session.setSite(QString::fromStdString(m_recorder.siteUrl())); }

    Recorder m_recorder;
    Http m_http;
};

// A failed download leaves the folder as it was, with or without the file.
TEST_F(LibraryFaultTest, OnlyACompleteSuccessfulAnswerIsWritten)
{
    const struct {
        Answer answer;
        bool written;
        const char *before; // nullptr: no file before
    } cases[] = {
        {{200, "ID3 som"}, true, nullptr},
        {{500, "erro do servidor"}, false, nullptr},
        {{500, "erro"}, false, "antigo"},
        {{404, "nao ha"}, false, nullptr},
        {{302, "outro lugar"}, false, nullptr},
        {Answer::cutShort("ID3 metade"), false, "antigo"},
    };
    for (const auto &c : cases) {
        QFile::remove(advFile("beep_curto.mp3"));
        ASSERT_TRUE(!c.before || writeFile(advFile("beep_curto.mp3"), c.before));
        m_recorder.answer(c.answer);
        const std::optional<QString> failure = FetchLibrarySound(m_http, m_session, u8("beep_curto.mp3"));
        EXPECT_EQ(!failure, c.written) << c.answer.Status;
        if (failure && c.answer.Status != 200) {
            EXPECT_TRUE(failure->contains(QString::number(c.answer.Status))) << failure->toStdString();
        }
        EXPECT_EQ(m_recorder.last().Target, "/html/vestra/pags/sons/beep_curto.mp3");
        EXPECT_EQ(QDir(m_session.AdvFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  c.written || c.before ? u8Lines({"beep_curto.mp3"}) : QStringList())
            << c.answer.Status;
        EXPECT_EQ(readFile(advFile("beep_curto.mp3")), c.written ? QByteArray("ID3 som") : QByteArray(c.before))
            << c.answer.Status;
    }
}

TEST_F(LibraryFaultTest, HostileNamesSendNothingAndWriteNothing)
{
    const QString outside = m_dir.filePath(u8("fora.mp3"));
    ASSERT_TRUE(writeFile(outside, "fora"));
    ASSERT_TRUE(writeFile(m_session.AppDir + kUpdaterName, "MZ"));
    ASSERT_TRUE(QFile::link(outside, advFile("link.mp3")));
    ASSERT_TRUE(QFile::link(m_dir.filePath(u8("novo.mp3")), advFile("solto.mp3")));
    const QMap<QString, QByteArray> before = snapshot(m_dir.path());
    m_recorder.answer({200, "ID3 hostil"});
    for (const char *name : {"../fora.mp3", "../../fora.mp3", "/tmp/x.mp3", "a\\..\\b.mp3", "..", "", "x\ny.mp3",
                             "atlz.exe", "link.mp3", "solto.mp3"}) {
        EXPECT_NE(FetchLibrarySound(m_http, m_session, u8(name)), std::nullopt) << name;
    }
    m_session.AdvPrefix = u8("..");
    EXPECT_NE(FetchLibrarySound(m_http, m_session, u8("atlz.exe")), std::nullopt);
    EXPECT_TRUE(m_recorder.requests().empty());
    EXPECT_EQ(snapshot(m_dir.path()), before);
}
