#include "recorder.h"

#include "serverfiles.h"
#include "update.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

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

TEST(ServerFiles, EntryIsThePartAfterTheFirstDash)
{
    const struct {
        const char *line;
        const char *shown;
    } cases[] = {
        {"123-tela01.png", "tela01.png"},
        {"a-b-c.png", "b-c.png"},
        {"capa.png", "capa.png"},
        {"-x.png", "x.png"},
        {"7-", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(serverEntryName(u8(c.line)), u8(c.shown)) << c.line;
}

TEST(ServerFiles, ListsByKindWithCaseCounting)
{
    const QStringList lines = u8Lines({"1-tela01.png", "2-FOTO.PNG", "3-a.jpg", "4-b.gif", "5-c.png.txt", "6-som.mp3",
                                       "7-ruido.ogg", "8-MUSICA.MP3", "9-notas.txt", "capa.png"});
    EXPECT_EQ(serverFileNames(lines, ServerFileKind::Image).Shown,
              u8Lines({"tela01.png", "a.jpg", "b.gif", "c.png.txt", "capa.png"}));
    EXPECT_EQ(serverFileNames(lines, ServerFileKind::Sound).Shown, u8Lines({"som.mp3", "ruido.ogg"}));
    EXPECT_TRUE(serverFileNames(lines, ServerFileKind::Image).Refused.isEmpty());
}

TEST(ServerFiles, NamesThatCannotBeFilesAreRefused)
{
    const QStringList lines = u8Lines({"1-../fora.png", "2-a/b.png", "3-a\\b.png", "4-x\x01y.png", "5-boa.png",
                                       "6-../../som.mp3", "7-..", "8-"});
    const ListedNames images = serverFileNames(lines, ServerFileKind::Image);
    EXPECT_EQ(images.Shown, u8Lines({"boa.png"}));
    EXPECT_EQ(images.Refused, u8Lines({"../fora.png", "a/b.png", "a\\b.png", "x\x01y.png"}));
    const ListedNames sounds = serverFileNames(lines, ServerFileKind::Sound);
    EXPECT_TRUE(sounds.Shown.isEmpty());
    EXPECT_EQ(sounds.Refused, u8Lines({"../../som.mp3"}));
}

TEST(ServerFiles, RefusalsAreCountedForTheAuthor)
{
    EXPECT_EQ(refusedNamesStatus({}), QString());
    EXPECT_EQ(refusedNamesStatus(u8Lines({"../a", "b/c"})), u8("Nomes de arquivo inválidos recusados: 2!!!"));
}

TEST(ServerFiles, LibrarySoundNamesMustBeFileNames)
{
    const ListedNames names =
        librarySoundNames(u8Lines({"agua_gota", "../../fora", "a/b", "c\\d", "", "e\tf", "porta_batida", "$x"}));
    EXPECT_EQ(names.Shown, u8Lines({"agua_gota", "porta_batida", "$x"}));
    EXPECT_EQ(names.Refused, u8Lines({"../../fora", "a/b", "c\\d", "", "e\tf"}));
}

TEST(ServerFiles, SoundFieldsNameLibrarySoundsOrOwnFiles)
{
    const struct {
        const char *field;
        const char *file;  // nullptr: no sound
        bool library;
    } cases[] = {
        {"", nullptr, false},
        {"$", nullptr, false},
        {"$agua_gota", "agua_gota.mp3", true},
        {"$agua_gota.mp3", "agua_gota.mp3", true},
        {"vento", "vento.mp3", false},
        {"vento.mp3", "vento.mp3", false},
        {"a.mp3b", "a.mp3b", false},
        {"ruido.ogg", "ruido.ogg", false},
        {"$ruido.ogg", "ruido.ogg.mp3", true},
        {"VENTO.MP3", "VENTO.MP3.mp3", false},
        {"$$x", "$x.mp3", true},
    };
    for (const auto &c : cases) {
        const std::optional<SoundName> sound = soundName(u8(c.field));
        if (!c.file) {
            EXPECT_EQ(sound.has_value(), false) << c.field;
            continue;
        }
        ASSERT_TRUE(sound.has_value()) << c.field;
        EXPECT_EQ(sound->FileName, u8(c.file)) << c.field;
        EXPECT_EQ(sound->Library, c.library) << c.field;
    }
}

TEST_F(AdventureFolderTest, TheAdventureFolderNeedsAPlainPrefix)
{
    QString why;
    EXPECT_EQ(adventureFolder(m_session, &why), m_session.AppDir + u8("casa/"));
    const struct {
        const char *prefix;
        QString why;
    } cases[] = {
        {"", kNoAdventure},
        {"..", u8("Prefixo da aventura inválido!!!")},
        {"../fora", u8("Prefixo da aventura inválido!!!")},
        {"a\\b", u8("Prefixo da aventura inválido!!!")},
        {"c\nd", u8("Prefixo da aventura inválido!!!")},
    };
    for (const auto &c : cases) {
        m_session.AdvPrefix = u8(c.prefix);
        EXPECT_EQ(adventureFolder(m_session, &why), std::nullopt) << c.prefix;
        EXPECT_EQ(why, c.why) << c.prefix;
        EXPECT_EQ(adventureFilePath(m_session, u8("a.png"), &why), std::nullopt) << c.prefix;
    }
}

TEST_F(AdventureFolderTest, OnlyPlainNamesBecomePaths)
{
    QString why;
    EXPECT_EQ(adventureFilePath(m_session, u8("tela01.png"), &why), advFile("tela01.png"));
    const struct {
        const char *name;
        const char *why;
    } cases[] = {
        {"", "Nome de arquivo inválido: !!!"},
        {".", "Nome de arquivo inválido: .!!!"},
        {"..", "Nome de arquivo inválido: ..!!!"},
        {"../nimbra.ini", "Nome de arquivo inválido: ../nimbra.ini!!!"},
        {"/etc/passwd", "Nome de arquivo inválido: /etc/passwd!!!"},
        {"a\\b.mp3", "Nome de arquivo inválido: a\\b.mp3!!!"},
        {"a\x01" "b.mp3", "Nome de arquivo inválido: a?b.mp3!!!"},
        {"a\x7F" "b.mp3", "Nome de arquivo inválido: a?b.mp3!!!"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(adventureFilePath(m_session, u8(c.name), &why), std::nullopt) << c.name;
        EXPECT_EQ(why, u8(c.why)) << c.name;
    }
}

TEST_F(AdventureFolderTest, UploadsReadOnlyRegularFilesThatAreThere)
{
    ASSERT_TRUE(writeFile(advFile("tela.png"), "png"));
    ASSERT_TRUE(QDir().mkpath(advFile("pasta.png")));
    ASSERT_EQ(mkfifo(advFile("cano.png").toLocal8Bit().constData(), 0600), 0);
    QString why;
    EXPECT_EQ(uploadablePath(m_session, u8("tela.png"), &why), advFile("tela.png"));
    const struct {
        const char *name;
        QString why;
    } cases[] = {
        {"", kNoLocalFile},
        {"falta.png", u8("Arquivo não encontrado: falta.png!!!")},
        {"pasta.png", u8("Arquivo ilegível: pasta.png!!!")},
        {"cano.png", u8("Arquivo ilegível: cano.png!!!")},
        {"../tela.png", u8("Nome de arquivo inválido: ../tela.png!!!")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(uploadablePath(m_session, u8(c.name), &why), std::nullopt) << c.name;
        EXPECT_EQ(why, c.why) << c.name;
    }
}

TEST_F(AdventureFolderTest, ASoundIsWrittenOnlyAsTheFileItNames)
{
    const QString outside = m_dir.filePath(u8("fora.mp3"));
    ASSERT_TRUE(writeFile(outside, "fora"));
    ASSERT_TRUE(QFile::link(outside, advFile("link.mp3")));
    ASSERT_TRUE(QFile::link(m_dir.filePath(u8("nada.mp3")), advFile("solto.mp3")));
    ASSERT_TRUE(QDir().mkpath(advFile("pasta.mp3")));
    ASSERT_TRUE(writeFile(advFile("velho.mp3"), "velho"));
    QString why;
    EXPECT_EQ(soundTargetPath(m_session, u8("novo.mp3"), &why), advFile("novo.mp3"));
    EXPECT_EQ(soundTargetPath(m_session, u8("velho.mp3"), &why), advFile("velho.mp3"));
    const struct {
        const char *name;
        const char *why;
    } cases[] = {
        {"atlz.exe", "Nome reservado ao atualizador: atlz.exe!!!"},
        {"ATLZ.EXE", "Nome reservado ao atualizador: ATLZ.EXE!!!"},
        {"link.mp3", "Não é um arquivo comum: link.mp3!!!"},
        {"solto.mp3", "Não é um arquivo comum: solto.mp3!!!"},
        {"pasta.mp3", "Não é um arquivo comum: pasta.mp3!!!"},
        {"../fora.mp3", "Nome de arquivo inválido: ../fora.mp3!!!"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(soundTargetPath(m_session, u8(c.name), &why), std::nullopt) << c.name;
        EXPECT_EQ(why, u8(c.why)) << c.name;
    }
}

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

// Library sounds from the real service's library folder.
class LibrarySoundTest : public AdventureFolderTest {
protected:
    LibrarySoundTest() : m_service(m_dir.filePath(u8("data")).toStdString())
    {
        m_session.setSite(q(m_service.baseUrl()));
    }

    VelorinProcess m_service;
    Http m_http;
};

TEST_F(LibrarySoundTest, ADownloadedSoundLandsInTheAdventureFolder)
{
    EXPECT_EQ(FetchLibrarySound(m_http, m_session, u8("agua_gota.mp3")), std::nullopt);
    const QByteArray bytes = readFile(advFile("agua_gota.mp3"));
    EXPECT_GT(bytes.size(), 100);
    EXPECT_EQ(m_http.connectTimeout(), 5000ms);
    EXPECT_EQ(m_http.inactivityTimeout(), 5000ms);
    EXPECT_EQ(QDir(m_session.AdvFolder).entryList(QDir::Files), u8Lines({"agua_gota.mp3"}));
}

// Answers the reference service will not give: errors, broken replies.
class LibraryFaultTest : public AdventureFolderTest {
protected:
    LibraryFaultTest() { m_session.setSite(q(m_recorder.siteUrl())); }

    Recorder m_recorder;
    Http m_http;
};

TEST_F(LibraryFaultTest, OnlyACompleteSuccessfulAnswerIsWritten)
{
    const struct {
        Answer answer;
        bool written;
    } cases[] = {
        {{200, "ID3 som"}, true},
        {{500, "erro do servidor"}, false},
        {{404, "nao ha"}, false},
        {{302, "outro lugar"}, false},
        {Answer::cutShort("ID3 metade"), false},
    };
    for (const auto &c : cases) {
        QFile::remove(advFile("beep_curto.mp3"));
        m_recorder.answer(c.answer);
        const std::optional<QString> failure = FetchLibrarySound(m_http, m_session, u8("beep_curto.mp3"));
        EXPECT_EQ(!failure, c.written) << c.answer.Status;
        if (failure && c.answer.Status != 200) {
            EXPECT_TRUE(failure->contains(QString::number(c.answer.Status))) << failure->toStdString();
        }
        EXPECT_EQ(m_recorder.last().Target, "/html/vestra/pags/sons/beep_curto.mp3");
        EXPECT_EQ(QDir(m_session.AdvFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  c.written ? u8Lines({"beep_curto.mp3"}) : QStringList())
            << c.answer.Status;
    }
    EXPECT_EQ(readFile(advFile("beep_curto.mp3")), QByteArray());
}

TEST_F(LibraryFaultTest, AFailedDownloadKeepsTheFileThatWasThere)
{
    ASSERT_TRUE(writeFile(advFile("amb_vento.mp3"), "antigo"));
    m_recorder.answer({500, "erro"});
    EXPECT_NE(FetchLibrarySound(m_http, m_session, u8("amb_vento.mp3")), std::nullopt);
    EXPECT_EQ(readFile(advFile("amb_vento.mp3")), QByteArray("antigo"));
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
