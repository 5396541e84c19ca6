#include "fixture.h"

#include <QDir>
#include <QDirIterator>

TEST_F(ServiceTest, UploadListFetchDelete)
{
    const std::string bytes("\x89PNG\r\n\x1a\n\0\x01\x02", 11);
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", "tela01.png"}}, "Img", bytes, "tela01.png").Body, "Ok");
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", "som-1.mp3"}}, "Img", "ID3", "som-1.mp3").Body, "Ok");
    EXPECT_EQ(call("mobLsArq", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "1-som-1.mp3", "2-tela01.png"}));
    EXPECT_EQ(m_client->get("/html/vestra/arqs/abc/tela01.png").Body, bytes);
    EXPECT_EQ(call("mobDtArq", {{"Pfx", "abc"}, {"Arq", "tela01.png"}}).Body, "Ok");
    EXPECT_EQ(call("mobDtArq", {{"Pfx", "abc"}, {"Arq", "tela01.png"}}).text(), u8("Arquivo não encontrado"));
    EXPECT_EQ(call("mobLsArq", {{"Pfx", "abc"}}).lines(), u8Lines({"Ok", "1-som-1.mp3"}));
}

static QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files;
}

TEST_F(ServiceTest, HostileFileNamesAreRefusedAndNothingIsWritten)
{
    const QStringList before = filesUnder(m_dir.path());
    for (const char *name : {"../x.png", "..", ".", "a/b.png", "a\\b.png", "/etc/passwd", "a\nb.png",
                             "a\x7f.png", "..\\..\\x", ""}) {
        EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", name}}, "Img", "x", "x.png").text(),
                  u8("Nome inválido em Arq"))
            << name;
        EXPECT_EQ(call("mobDtArq", {{"Pfx", "abc"}, {"Arq", name}}).text(), u8("Nome inválido em Arq")) << name;
    }
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "../abc"}, {"Arq", "x.png"}}, "Img", "x", "x.png").text(),
              u8("Nome inválido em Pfx"));
    EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", "x.png"}}, "Outro", "x", "x.png").text(),
              u8("Falta o campo Img"));
    const QStringList after = filesUnder(m_dir.path());
    for (const QString &file : after)
        EXPECT_TRUE(before.contains(file) || file.endsWith(QStringLiteral("-wal")) || file.endsWith(QStringLiteral("-shm")))
            << file.toStdString();
    EXPECT_EQ(m_client->get("/html/vestra/arqs/abc/..%2Fvelorin.sqlite").Status, 404);
}

TEST_F(ServiceTest, DotsInsideNamesArePlain)
{
    const char *const names[] = {"foto..final.png", "...", ".oculto", "fim.."};
    for (const char *name : names) {
        EXPECT_EQ(post("mobPtImg", {{"Pfx", "abc"}, {"Arq", name}}, "Img", name, "x.png").Body, "Ok") << name;
        EXPECT_EQ(m_client->get(std::string("/html/vestra/arqs/abc/") + name).Body, name);
    }
    EXPECT_EQ(call("mobLsArq", {{"Pfx", "abc"}}).lines(),
              u8Lines({"Ok", "1-...", "2-.oculto", "3-fim..", "4-foto..final.png"}));
    EXPECT_EQ(call("mobDtArq", {{"Pfx", "abc"}, {"Arq", "foto..final.png"}}).Body, "Ok");
}

TEST_F(ServiceTest, SoundLibraryByCategory)
{
    for (const char *category : {"agua", "beep", "bicho", "arma", "amb", "porta", "monstro"}) {
        const QStringList lines = call("mobLsSom", {{"Cat", category}}).lines();
        ASSERT_GE(lines.size(), 2) << category;
        EXPECT_EQ(lines[0], u"Ok");
        for (const QString &name : lines.mid(1)) {
            EXPECT_TRUE(name.startsWith(QLatin1StringView(category) + u'_')) << name.toStdString();
            const Reply file = m_client->get("/html/vestra/pags/sons/" + name.toStdString() + ".mp3");
            EXPECT_EQ(file.Status, 200);
            EXPECT_GT(file.Body.size(), 100u);
        }
    }
    EXPECT_EQ(call("mobLsSom", {{"Cat", "nada"}}).text(), u8("Categoria de sons desconhecida"));
    EXPECT_EQ(call("mobLsSom", {}).text(), u8("Falta o campo Cat"));
}

TEST_F(ServiceTest, SitePagesAndUpdater)
{
    for (const char *path : {"/nimbra/index.htm", "/html/vestra/pags/instrucs/index.htm",
                             "/html/vestra/pags/instrucs/formato.htm", "/nimbra/atlz.exe"}) {
        const Reply page = m_client->get(path);
        EXPECT_EQ(page.Status, 200) << path;
        EXPECT_FALSE(page.Body.empty()) << path;
    }
    EXPECT_NE(m_client->get("/html/vestra/pags/instrucs/formato.htm").text().indexOf(u8("retscp=")), -1);
}
