// Backup and restore against the real service: the demo copied into a new
// adventure byte for byte, and every bad input reported with the rest going on.
#include "backup_fixture.h"

#include "adventurebackup.h"
#include "files.h"
#include "manifest.h"
#include "pagehistory.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <functional>

using namespace nimbra;

namespace {

// Copies a backup folder with its subfolders.
void copyFolder(const QString &from, const QString &to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString target = to + path.mid(from.size());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
        ASSERT_TRUE(QFile::copy(path, target)) << target.toStdString();
    }
}

Manifest manifestOf(const QString &folder)
{
    const ManifestRead read = readManifest(readBytes(folder + u'/' + kManifestFile));
    return read.Read.value_or(Manifest());
}

void rewriteManifest(const QString &folder, const std::function<void(Manifest &)> &change)
{
    Manifest manifest = manifestOf(folder);
    change(manifest);
    ASSERT_TRUE(writeBytes(folder + u'/' + kManifestFile, writeManifest(manifest)));
}

// Every line is one of the report's, or the start of one.
::testing::AssertionResult hasLines(const BackupOutcome &outcome, const QStringList &lines)
{
    for (const QString &line : lines)
        if (std::none_of(outcome.Lines.begin(), outcome.Lines.end(),
                         [&](const QString &l) { return l.startsWith(line); }))
            return ::testing::AssertionFailure()
                   << "no line \"" << line.toStdString() << "\" in\n" << outcome.Lines.join(u'\n').toStdString();
    return ::testing::AssertionSuccess();
}

} // namespace

class BackupOfDemo : public DemoBackup {
protected:
    // Location and shape of every object of the open adventure.
    QMap<QString, QStringList> objectPlaces()
    {
        QMap<QString, QStringList> places;
        for (const QString &name : m_work.service.listObjects()) {
            const Reply reply = m_work.service.object(name);
            places.insert(name, {reply.line(3), reply.line(4)});
        }
        return places;
    }

    AdventureData dataOf(const QString &name)
    {
        QString why;
        return readAdventureData(m_work.service.adventureData(name), &why).value_or(AdventureData());
    }

    // The demo backed up with one local copy, sala.png, in backupFolder().
    BackupOutcome backUpDemo()
    {
        EXPECT_TRUE(writeBytes(m_work.session.AdvFolder + u8("sala.png"), kPicture));
        return writeBackup(m_work, m_work.service.listScripts(), backupFolder());
    }

    inline static const QByteArray kPicture = QByteArrayLiteral("\x89PNG\r\n\x1a\n picture bytes \x00\xff");
};

TEST_F(BackupOfDemo, RestoredIntoANewAdventureGivesTheSameAdventure)
{
    const QMap<QString, QString> pages = pageReplies();
    const QMap<QString, QStringList> objects = objectPlaces();
    const AdventureData data = dataOf(kDemo);
    const QStringList files = m_work.service.serverFiles().value_or(QStringList());
    ASSERT_GE(files.size(), 2);

    const BackupOutcome made = backUpDemo();
    EXPECT_EQ(made.Failed, files.size() - 1) << made.Lines.join(u'\n').toStdString();
    EXPECT_TRUE(hasLines(made, {u8("Arquivo sala.png: Ok"), u8("Arquivo porao.png: ") + kNoLocalCopy,
                                u8("Página sala: Ok"), u8("Objeto chave: Ok"), u8("Manifesto: Ok")}));
    EXPECT_EQ(made.Summary, kBackupDone.arg(made.Succeeded).arg(made.Failed));

    openNewAdventure(u8("copia"), u8("Copia da casa"));
    const BackupOutcome restored = restoreBackup(m_work, m_work.service.listScripts(), backupFolder());
    EXPECT_EQ(restored.Failed, files.size() - 1) << restored.Lines.join(u'\n').toStdString();
    EXPECT_TRUE(hasLines(restored, {u8("Gravar página inicio: Ok"), u8("Criar página sala: Ok"),
                                    u8("Conferir página sala: Ok"), u8("Enviar arquivo sala.png: Ok"),
                                    u8("Enviar arquivo porao.png: ") + kNoLocalCopy, u8("Criar objeto chave: Ok"),
                                    u8("Página inicial: Ok"), u8("Visual: Ok")}));
    EXPECT_EQ(pageReplies(), pages);
    EXPECT_EQ(objectPlaces(), objects);
    const AdventureData copy = dataOf(u8("Copia da casa"));
    EXPECT_EQ(copy.StartScript, data.StartScript);
    EXPECT_EQ(QStringList({copy.MainFont, copy.BackColor, copy.TextColor, copy.LinkColor}),
              QStringList({data.MainFont, data.BackColor, data.TextColor, data.LinkColor}));
    const QStringList titles = m_work.service.listAdventures().data();
    EXPECT_EQ(titles.count(u8("A_casa_misteriosa")), 1) << "the copy keeps its own title";
    EXPECT_EQ(titles.count(u8("Copia_da_casa")), 1);
    const QStringList copied = m_work.service.serverFiles().value_or(QStringList());
    EXPECT_TRUE(copied.contains(u8("sala.png")));
    EXPECT_FALSE(copied.contains(u8("porao.png")));
    // The copy is in the adventure's folder too, and the stored texts in its history.
    EXPECT_EQ(readBytes(m_work.session.AdvFolder + u8("sala.png")), kPicture);
    EXPECT_EQ(PageHistory(m_work.session.AdvFolder).versions(u8("sala")).size(), 1u);
}

// Names the lister gives that could lead out of the folder are refused, a
// page the service lacks is reported; neither is listed or written.
TEST_F(BackupOfDemo, BadInputsOfABackupAreReported)
{
    struct Case {
        const char *what;
        std::function<void()> setUp;
        QStringList pages;
        QStringList lines;
        QStringList written; // the page files the backup holds
    };
    const QString folder = backupFolder();
    const QString link = m_work.session.AdvFolder + u8("porao.png");
    const Case cases[] = {
        {"hostile and missing pages",
         [] {},
         {u8("inicio"), u8("../x"), u8("/etc/passwd"), u8("a/b"), QString(QChar(0)) + u8("b"), u8("sumida")},
         {u8("Página ../x: nome recusado!!!"), u8("Página /etc/passwd: nome recusado!!!"),
          u8("Página a/b: nome recusado!!!"), u8("Página ?b: nome recusado!!!"),
          u8("Página sumida: Script não encontrado"), u8("Página inicio: Ok"), u8("Manifesto: Ok")},
         {u8("inicio.txt")}},
        {"a link in the adventure folder",
         [&] { ASSERT_TRUE(QFile::link(u8("/etc/passwd"), link)); },
         {u8("ajuda")},
         {u8("Arquivo porao.png: não é um arquivo comum!!!"), u8("Manifesto: Ok")},
         {u8("ajuda.txt")}},
        {"no folder can be made",
         [&] { ASSERT_TRUE(writeBytes(folder, "a file")); },
         {u8("ajuda")},
         {u8("Pasta ") + folder + u8("/paginas: não foi possível criar!!!")},
         {}},
        {"no adventure open",
         [this] { m_work.session.AdvPrefix.clear(); },
         {u8("ajuda")},
         {u8("Cópia: Não tem aventura em edição!!!")},
         {}},
    };
    const Session session = m_work.session;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp();
        const BackupOutcome outcome = writeBackup(m_work, c.pages, folder);
        EXPECT_TRUE(hasLines(outcome, c.lines));
        EXPECT_EQ(QDir(folder + u8("/paginas")).entryList(QDir::Files), c.written);
        EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(u8("x"))));
        EXPECT_EQ(manifestOf(folder).Pages.size(), c.written.size());
        m_work.session = session;
        QFile::remove(link);
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }
}

// Each fault is reported and the steps it does not touch go on.
TEST_F(BackupOfDemo, BadInputsOfARestoreAreReported)
{
    ASSERT_EQ(backUpDemo().Failed, m_work.service.serverFiles().value_or(QStringList()).size() - 1);
    const QString longName(121, u'p');
    struct Case {
        const char *what;
        std::function<void(const QString &folder)> spoil;
        QStringList lines;
        bool goesOn;
    };
    const Case cases[] = {
        {"no manifest",
         [](const QString &f) { QFile::remove(f + u8("/manifesto.json")); },
         {u8("Manifesto ") + backupFolder() + u8("-0/manifesto.json: não encontrado!!!")},
         false},
        {"a malformed manifest",
         [](const QString &f) { writeBytes(f + u8("/manifesto.json"), "{ \"formato\": "); },
         {u8("Manifesto ilegível: ")},
         false},
        {"a page file missing",
         [](const QString &f) { QFile::remove(f + u8("/paginas/chave.txt")); },
         {u8("Ler página chave: arquivo da página ausente!!!")},
         true},
        {"a copy that is a link",
         [](const QString &f) {
             QFile::remove(f + u8("/arquivos/sala.png"));
             QFile::link(u8("/etc/passwd"), f + u8("/arquivos/sala.png"));
         },
         {u8("Enviar arquivo sala.png: não é um arquivo comum!!!")},
         true},
        {"a hostile page name",
         [](const QString &f) { rewriteManifest(f, [](Manifest &m) { m.Pages.append(u8("../segredo")); }); },
         {u8("Página com nome recusado: ../segredo!!!")},
         true},
        {"refusals of the service",
         [&](const QString &f) {
             writeBytes(f + u8("/paginas/") + pageFileName(longName), "//mob txt\r\n");
             rewriteManifest(f, [&](Manifest &m) {
                 m.Pages.append(longName);
                 m.StartPage = u8("sumida");
             });
         },
         {u8("Criar página ") + longName + u8(": Nome inválido em Scp"),
          u8("Página inicial: Script não encontrado")},
         true},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = backupFolder() + u8("-") + QString::number(n++);
        copyFolder(backupFolder(), folder);
        c.spoil(folder);
        const BackupOutcome outcome = restoreBackup(m_work, m_work.service.listScripts(), folder);
        EXPECT_TRUE(hasLines(outcome, c.lines));
        if (c.goesOn) {
            EXPECT_TRUE(
                hasLines(outcome, {u8("Conferir página inicio: Ok"), u8("Objeto chave: Ok"), u8("Visual: Ok")}));
        } else {
            EXPECT_EQ(outcome.Succeeded, 0);
        }
    }
    EXPECT_FALSE(m_work.service.listScripts().contains(u8("../segredo")));
}
