#include "fixture.h"

#include <QDir>
#include <QDirIterator>

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
    const QStringList after = filesUnder(m_dir.path());
    for (const QString &file : after)
        EXPECT_TRUE(before.contains(file) || file.endsWith(QStringLiteral("-wal")) || file.endsWith(QStringLiteral("-shm")))
            << file.toStdString();
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
}

// With the stock pictures of a new adventure's pages.
TEST_F(ServiceTest, SitePagesUpdaterAndStockPictures)
{
    for (const std::string path : {"/nimbra/index.htm", "/html/vestra/pags/instrucs/index.htm",
                                   "/html/vestra/pags/instrucs/formato.htm", "/nimbra/atlz.exe",
                                   "/html/vestra/arqs/abc/fio.png", "/html/vestra/arqs/abc/icone.png",
                                   "/html/vestra/arqs/abc/tela01.png"}) {
        const Reply page = m_client->get(path);
        EXPECT_EQ(page.Status, 200) << path;
        EXPECT_FALSE(page.Body.empty()) << path;
        EXPECT_TRUE(!path.ends_with(".png") || page.Body.substr(1, 3) == "PNG") << path;
    }
    EXPECT_NE(m_client->get("/html/vestra/pags/instrucs/formato.htm").text().indexOf(u8("retscp=")), -1);
}
