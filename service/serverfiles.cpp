#include "serverfiles.h"

#include "adventure.h"
#include "download.h"
#include "filenames.h"
#include "requesturl.h"
#include "update.h"

#include <QDir>
#include <QFileInfo>

namespace nimbra {

namespace {

const QString kMp3 = QStringLiteral(".mp3");

bool isOfKind(const QString &name, ServerFileKind kind)
{
    const QStringList marks = kind == ServerFileKind::Image
                                  ? QStringList{QStringLiteral(".png"), QStringLiteral(".jpg"), QStringLiteral(".gif")}
                                  : QStringList{QStringLiteral(".ogg"), kMp3};
    for (const QString &mark : marks) {
        if (name.contains(mark))
            return true;
    }
    return false;
}

void sortInto(ListedNames &listed, const QString &name)
{
    (isPlainFileName(name) ? listed.Shown : listed.Refused).append(name);
}

} // namespace

QString serverEntryName(const QString &line)
{
    const qsizetype dash = line.indexOf(u'-');
    return dash < 0 ? line : line.mid(dash + 1);
}

ListedNames serverFileNames(const QStringList &lines, ServerFileKind kind)
{
    ListedNames listed;
    for (const QString &line : lines) {
        const QString name = serverEntryName(line);
        if (isOfKind(name, kind))
            sortInto(listed, name);
    }
    return listed;
}

ListedNames librarySoundNames(const QStringList &names)
{
    ListedNames listed;
    for (const QString &name : names) {
        const std::optional<SoundName> sound = soundName(QLatin1Char('$') + name);
        (sound && isPlainFileName(sound->FileName) ? listed.Shown : listed.Refused).append(name);
    }
    return listed;
}

QString refusedNamesStatus(const QStringList &refused)
{
    if (refused.isEmpty())
        return {};
    return QStringLiteral("Nomes de arquivo inválidos recusados: %1!!!").arg(refused.size());
}

QStringList localFiles(const QString &folder, const QStringList &masks)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(masks, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

std::optional<SoundName> soundName(const QString &field)
{
    const bool library = field.startsWith(u'$');
    QString name = library ? field.mid(1) : field;
    if (name.isEmpty())
        return std::nullopt;
    const bool ownOgg = !library && name.endsWith(QLatin1StringView(".ogg"));
    if (!name.contains(kMp3) && !ownOgg)
        name += kMp3;
    return SoundName{name, library};
}

std::optional<QString> adventureFolder(const Session &session, QString *why)
{
    if (session.AdvPrefix.isEmpty()) {
        *why = kNoAdventure;
        return std::nullopt;
    }
    if (!isPlainFileName(session.AdvPrefix)) {
        *why = kBadAdventurePrefix;
        return std::nullopt;
    }
    return session.AppDir + session.AdvPrefix + QLatin1Char('/');
}

std::optional<QString> adventureFilePath(const Session &session, const QString &name, QString *why)
{
    const std::optional<QString> folder = adventureFolder(session, why);
    if (!folder)
        return std::nullopt;
    if (!isPlainFileName(name)) {
        *why = QStringLiteral("Nome de arquivo inválido: ") + shownName(name) + QStringLiteral("!!!");
        return std::nullopt;
    }
    return *folder + name;
}

std::optional<QString> uploadablePath(const Session &session, const QString &name, QString *why)
{
    if (name.isEmpty()) {
        *why = kNoLocalFile;
        return std::nullopt;
    }
    const std::optional<QString> path = adventureFilePath(session, name, why);
    if (!path)
        return std::nullopt;
    const QFileInfo file(*path);
    if (!file.exists()) {
        *why = QStringLiteral("Arquivo não encontrado: ") + name + QStringLiteral("!!!");
        return std::nullopt;
    }
    // Only a regular file: reading a pipe of that name would never end.
    if (!file.isFile() || !file.isReadable()) {
        *why = QStringLiteral("Arquivo ilegível: ") + name + QStringLiteral("!!!");
        return std::nullopt;
    }
    return path;
}

std::optional<QString> soundTargetPath(const Session &session, const QString &name, QString *why)
{
    const std::optional<QString> path = adventureFilePath(session, name, why);
    if (!path)
        return std::nullopt;
    if (name.compare(kUpdaterName, Qt::CaseInsensitive) == 0) {
        *why = QStringLiteral("Nome reservado ao atualizador: ") + name + QStringLiteral("!!!");
        return std::nullopt;
    }
    // A saved file follows a link to its target, which may lie anywhere.
    const QFileInfo file(*path);
    if (file.isSymLink() || (file.exists() && !file.isFile())) {
        *why = QStringLiteral("Não é um arquivo comum: ") + name + QStringLiteral("!!!");
        return std::nullopt;
    }
    return path;
}

std::optional<QString> FetchLibrarySound(Http &http, const Session &session, const QString &fileName)
{
    http.setTimeouts(std::chrono::milliseconds(5000), std::chrono::milliseconds(5000));
    QString why;
    const std::optional<QString> target = soundTargetPath(session, fileName, &why);
    if (!target)
        return why;
    return downloadToFile(http, session.SiteUrl + QStringLiteral("html/vestra/pags/sons/") + percentEncode(fileName),
                          *target);
}

} // namespace nimbra
