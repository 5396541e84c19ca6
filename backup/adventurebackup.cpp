#include "adventurebackup.h"

#include "adventure.h"
#include "codepage.h"
#include "filenames.h"
#include "manifest.h"
#include "pagehistory.h"
#include "reply.h"
#include "serverfiles.h"
#include "textlines.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace nimbra {

namespace {

const QString kRefusedName = QStringLiteral("nome recusado!!!");
const QString kNotPlainFile = QStringLiteral("não é um arquivo comum!!!");
const QString kShortObject = QStringLiteral("resposta do objeto incompleta!!!");
const QString kParametersStep = QStringLiteral("Página inicial");
const QString kLookStep = QStringLiteral("Visual");

// The report as it grows: every step one line, told to the listener at once.
class Steps {
public:
    explicit Steps(const BackupListener &listener) : m_listener(listener) {}

    void ok(const QString &what) { add(what + QStringLiteral(": Ok"), true); }
    void failed(const QString &what, const QString &why) { add(what + QStringLiteral(": ") + why, false); }
    // A step the service answered; true when it said "Ok".
    bool reply(const QString &what, const QString &reply)
    {
        const QString status = replyStatus(reply);
        add(what + QStringLiteral(": ") + status, status == QLatin1StringView("Ok"));
        return status == QLatin1StringView("Ok");
    }
    void problems(const QStringList &lines)
    {
        for (const QString &line : lines)
            add(line, false);
    }
    BackupOutcome finish(const QString &summary)
    {
        m_outcome.Summary = summary.arg(m_outcome.Succeeded).arg(m_outcome.Failed);
        return m_outcome;
    }

private:
    void add(const QString &line, bool ok)
    {
        m_outcome.Lines.append(line);
        ++(ok ? m_outcome.Succeeded : m_outcome.Failed);
        if (m_listener.step)
            m_listener.step(line, ok);
    }

    const BackupListener &m_listener;
    BackupOutcome m_outcome;
};

// A path that is no link and nothing but a regular file if it exists, so a
// write can only replace the file it names.
bool isWritableFilePath(const QString &path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && (!info.exists() || info.isFile());
}

// Writes bytes whole or not at all, reported as the step what.
bool saveStep(Steps &steps, const QString &what, const QString &path, const QByteArray &bytes)
{
    if (!isWritableFilePath(path)) {
        steps.failed(what, kNotPlainFile);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        steps.failed(what, QStringLiteral("não foi possível gravar ") + path + QStringLiteral("!!!"));
        return false;
    }
    steps.ok(what);
    return true;
}

// The bytes of a regular file that is no link; a missing one gives
// missingText as why.
std::optional<QByteArray> readRegularFile(const QString &path, const QString &missingText, QString *why)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        *why = missingText;
        return std::nullopt;
    }
    QFile file(path);
    if (info.isSymLink() || !info.isFile()) {
        *why = kNotPlainFile;
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("arquivo ilegível!!!");
        return std::nullopt;
    }
    return file.readAll();
}

// A subfolder of the backup that is a real folder, made when missing.
bool makeFolder(const QDir &dir, const QString &name, Steps &steps)
{
    const QString path = dir.filePath(name);
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir()) || !QDir().mkpath(path)) {
        steps.failed(QStringLiteral("Pasta ") + path, QStringLiteral("não foi possível criar!!!"));
        return false;
    }
    return true;
}

QString pagePath(const QDir &dir, const QString &page)
{
    return dir.filePath(kPagesFolder + u'/' + pageFileName(page));
}

QString copyPath(const QDir &dir, const QString &name)
{
    return dir.filePath(kFilesFolder + u'/' + name);
}

// Names the service or the lister gave that may become file names; each
// refused one is reported.
QStringList acceptedNames(const QStringList &names, const QString &kind, Steps &steps)
{
    QStringList accepted;
    for (const QString &name : names) {
        if (isPlainFileName(name))
            accepted.append(name);
        else
            steps.failed(kind + shownName(name), kRefusedName);
    }
    return accepted;
}

// ---- Backup ----

void readAdventure(Workspace &work, Manifest &manifest, Steps &steps)
{
    const QString what = QStringLiteral("Dados da aventura");
    QString why;
    const std::optional<AdventureData> data = readAdventureData(work.service.adventureData(work.session.AdvName), &why);
    if (!data) {
        steps.failed(what, why);
        return;
    }
    manifest.StartPage = data->StartScript;
    manifest.Look = AdventureLook{data->MainFont, data->BackColor, data->TextColor, data->LinkColor};
    steps.ok(what);
}

QStringList backupPages(Workspace &work, const QStringList &names, const QDir &dir, Steps &steps,
                        const BackupListener &listener)
{
    const QStringList wanted = acceptedNames(names, QStringLiteral("Página "), steps);
    const QStringList replies = work.pages.fetchScripts(wanted, listener.progress);
    QStringList kept;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const QString what = QStringLiteral("Página ") + wanted[i];
        const QString reply = replies.value(i);
        if (replyStatus(reply) != QLatin1StringView("Ok"))
            steps.failed(what, replyStatus(reply));
        else if (saveStep(steps, what, pagePath(dir, wanted[i]), toCp1252(scriptOfReply(reply))))
            kept.append(wanted[i]);
    }
    return kept;
}

// Copies a file of the adventure's folder into the backup; whether it did.
bool copyIntoBackup(const QString &advFolder, const QString &name, const QDir &dir, Steps &steps)
{
    const QString what = QStringLiteral("Arquivo ") + name;
    QString why = kNoLocalCopy;
    const std::optional<QByteArray> bytes =
        advFolder.isEmpty() ? std::nullopt : readRegularFile(advFolder + name, kNoLocalCopy, &why);
    if (!bytes) {
        steps.failed(what, why);
        return false;
    }
    return saveStep(steps, what, copyPath(dir, name), *bytes);
}

QList<BackupFile> backupFiles(Workspace &work, const QDir &dir, Steps &steps)
{
    const std::optional<QStringList> listed = work.service.serverFiles();
    if (!listed) {
        steps.failed(QStringLiteral("Lista de arquivos"), kTryAgain);
        return {};
    }
    QList<BackupFile> files;
    for (const QString &name : acceptedNames(*listed, QStringLiteral("Arquivo "), steps))
        files.append({name, copyIntoBackup(work.session.AdvFolder, name, dir, steps)});
    return files;
}

QList<BackupObject> backupObjects(Workspace &work, Steps &steps)
{
    QList<BackupObject> objects;
    for (const QString &name : acceptedNames(work.service.listObjects(), QStringLiteral("Objeto "), steps)) {
        const QString what = QStringLiteral("Objeto ") + name;
        const Reply reply = work.service.object(name);
        const std::optional<ObjectData> data = readObjectData(reply);
        if (reply.isOk() && !data)
            steps.failed(what, kShortObject);
        else if (steps.reply(what, reply.text()))
            objects.append({name, data->Current.Location, data->Current.Shape});
    }
    return objects;
}

// ---- Restore ----

std::optional<Manifest> readManifestStep(const QDir &dir, Steps &steps)
{
    QString why;
    const auto bytes = readRegularFile(dir.filePath(kManifestFile), QStringLiteral("não encontrado!!!"), &why);
    if (!bytes) {
        steps.failed(QStringLiteral("Manifesto ") + dir.filePath(kManifestFile), why);
        return std::nullopt;
    }
    ManifestRead read = readManifest(*bytes);
    steps.problems(read.Problems);
    return read.Read;
}

// Runs create when name is not among existing; whether the name exists now.
template <typename Create>
bool ensureExists(QStringList &existing, const QString &name, const QString &what, Create create, Steps &steps)
{
    if (existing.contains(name))
        return true;
    if (!steps.reply(what, create()))
        return false;
    existing.append(name);
    return true;
}

void keepInHistory(const QString &advFolder, const QString &page, const QString &text, Steps &steps)
{
    if (advFolder.isEmpty())
        return;
    if (const std::optional<QString> why = PageHistory(advFolder).keep(page, text))
        steps.failed(QStringLiteral("Histórico da página ") + page, *why);
}

// Reads every stored page back and compares it with what was stored.
void compareReadBack(Workspace &work, const QStringList &pages, const QStringList &texts, Steps &steps,
                     const BackupListener &listener)
{
    const QStringList replies = work.pages.fetchScripts(pages, listener.progress);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString what = QStringLiteral("Conferir página ") + pages[i];
        const QString reply = replies.value(i);
        if (replyStatus(reply) != QLatin1StringView("Ok"))
            steps.failed(what, replyStatus(reply));
        else if (scriptOfReply(reply) != texts[i])
            steps.failed(what, kReadBackDiffers);
        else
            steps.ok(what);
    }
}

void restorePages(Workspace &work, QStringList existing, const QStringList &pages, const QDir &dir, Steps &steps,
                  const BackupListener &listener)
{
    QStringList stored;
    QStringList texts;
    for (const QString &page : pages) {
        QString why;
        const auto bytes = readRegularFile(pagePath(dir, page), QStringLiteral("arquivo da página ausente!!!"), &why);
        if (!bytes) {
            steps.failed(QStringLiteral("Ler página ") + page, why);
            continue;
        }
        const QString text = fromCp1252(*bytes);
        if (!ensureExists(existing, page, QStringLiteral("Criar página ") + page,
                          [&] { return work.pages.newScript(page); }, steps)
            || !steps.reply(QStringLiteral("Gravar página ") + page, work.pages.storeScript(page, text)))
            continue;
        keepInHistory(work.session.AdvFolder, page, text, steps);
        stored.append(page);
        texts.append(text);
    }
    compareReadBack(work, stored, texts, steps, listener);
}

// Leaves a copy in the adventure's folder, unless the author has a file of
// that name there already.
void placeLocalCopy(const QString &advFolder, const QString &name, const QByteArray &bytes, Steps &steps)
{
    const QFileInfo info(advFolder + name);
    if (advFolder.isEmpty() || info.exists() || info.isSymLink())
        return;
    saveStep(steps, QStringLiteral("Cópia local ") + name, advFolder + name, bytes);
}

void restoreFiles(Workspace &work, const QList<BackupFile> &files, const QDir &dir, Steps &steps)
{
    for (const BackupFile &file : files) {
        const QString what = QStringLiteral("Enviar arquivo ") + file.Name;
        QString why = kNoLocalCopy;
        const auto bytes = file.Copied ? readRegularFile(copyPath(dir, file.Name), kNoLocalCopy, &why) : std::nullopt;
        if (!bytes) {
            steps.failed(what, why);
            continue;
        }
        if (steps.reply(what, work.service.uploadFile(copyPath(dir, file.Name), file.Name)))
            placeLocalCopy(work.session.AdvFolder, file.Name, *bytes, steps);
    }
}

void restoreObjects(Workspace &work, const QList<BackupObject> &objects, Steps &steps)
{
    QStringList existing = work.service.listObjects();
    for (const BackupObject &object : objects) {
        if (!ensureExists(existing, object.Name, QStringLiteral("Criar objeto ") + object.Name,
                          [&] { return work.service.newObject(object.Name); }, steps))
            continue;
        steps.reply(QStringLiteral("Objeto ") + object.Name,
                    work.service.putObject(object.Name, object.Location, object.Shape).text());
    }
}

void restoreParameters(Workspace &work, const Manifest &manifest, Steps &steps)
{
    if (manifest.StartPage.isEmpty())
        steps.failed(kParametersStep, QStringLiteral("a cópia não tem página inicial!!!"));
    else
        // The open adventure keeps its own title: the author's list and the
        // service find an adventure by its title, so a copy restored under
        // the original's title could no longer be told from it.
        steps.reply(kParametersStep, work.service.putParameters(work.session.AdvName, manifest.StartPage));
    if (!manifest.Look) {
        steps.failed(kLookStep, QStringLiteral("a cópia não tem fonte e cores!!!"));
        return;
    }
    const AdventureLook &look = *manifest.Look;
    steps.reply(kLookStep, work.service.putAdventureStyle(look.Font, look.BackColor, look.TextColor, look.LinkColor));
}

} // namespace

BackupOutcome writeBackup(Workspace &work, const QStringList &pageNames, const QString &folder,
                          const BackupListener &listener)
{
    Steps steps(listener);
    const QDir dir(folder);
    if (work.session.AdvPrefix.isEmpty())
        steps.failed(QStringLiteral("Cópia"), kNoAdventure);
    else if (makeFolder(dir, kPagesFolder, steps) && makeFolder(dir, kFilesFolder, steps)) {
        Manifest manifest;
        manifest.Prefix = work.session.AdvPrefix;
        manifest.Title = work.session.AdvName;
        readAdventure(work, manifest, steps);
        manifest.Pages = backupPages(work, pageNames, dir, steps, listener);
        manifest.Files = backupFiles(work, dir, steps);
        manifest.Objects = backupObjects(work, steps);
        // Last, so a folder with a manifest holds everything it lists.
        saveStep(steps, QStringLiteral("Manifesto"), dir.filePath(kManifestFile), writeManifest(manifest));
    }
    return steps.finish(kBackupDone);
}

BackupOutcome restoreBackup(Workspace &work, const QStringList &existingPages, const QString &folder,
                            const BackupListener &listener)
{
    Steps steps(listener);
    const QDir dir(folder);
    if (work.session.AdvPrefix.isEmpty()) {
        steps.failed(QStringLiteral("Restauração"), kNoAdventure);
        return steps.finish(kRestoreDone);
    }
    if (const std::optional<Manifest> manifest = readManifestStep(dir, steps)) {
        restorePages(work, existingPages, manifest->Pages, dir, steps, listener);
        restoreFiles(work, manifest->Files, dir, steps);
        restoreObjects(work, manifest->Objects, steps);
        restoreParameters(work, *manifest, steps);
    }
    return steps.finish(kRestoreDone);
}

} // namespace nimbra
