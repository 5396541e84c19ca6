#pragma once

#include "http.h"
#include "session.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace nimbra {

enum class ServerFileKind { Image, Sound };

// A data line of the server file list shows the part after its first "-";
// a line without "-" shows whole.
QString serverEntryName(const QString &line);

// The entries of a server file list that are of the kind (".png", ".jpg",
// ".gif" or ".ogg", ".mp3" anywhere, case counting). An entry that cannot be
// one plain file name is refused instead of shown.
struct ListedNames {
    QStringList Shown;
    QStringList Refused;
};
ListedNames serverFileNames(const QStringList &lines, ServerFileKind kind);
// The library's sound names that can be local files; the others refused.
ListedNames librarySoundNames(const QStringList &names);
// What a status label says about refused names; empty when there are none.
QString refusedNamesStatus(const QStringList &refused);

inline const QStringList kImageMasks = {QStringLiteral("*.png"), QStringLiteral("*.gif"), QStringLiteral("*.jpg")};
inline const QStringList kSoundMasks = {QStringLiteral("*.mp3"), QStringLiteral("*.ogg")};

// The names of the files of folder that match the masks, in name order;
// nothing when the folder is missing.
QStringList localFiles(const QString &folder, const QStringList &masks);

// What a sound field names: "$" + name is a library sound, anything else a
// file of the adventure. The file name gets ".mp3" unless it holds ".mp3"
// already; an own file ending in ".ogg" keeps its name. Nothing for an
// empty field.
struct SoundName {
    QString FileName;
    bool Library = false;
};
std::optional<SoundName> soundName(const QString &field);

// AppDir + AdvPrefix + "/" when an adventure is open and its prefix is one
// plain file-name component; otherwise nothing, with the text to show.
std::optional<QString> adventureFolder(const Session &session, QString *why);
// The adventure folder + name when name is one plain file-name component.
std::optional<QString> adventureFilePath(const Session &session, const QString &name, QString *why);
// The file of the adventure folder that a local file upload reads: it must
// be there, a regular file and readable.
std::optional<QString> uploadablePath(const Session &session, const QString &name, QString *why);
// Where a library sound may be written: never the updater's name, and
// never through a link or over anything but a regular file, so the download
// can only write the file it names.
std::optional<QString> soundTargetPath(const Session &session, const QString &name, QString *why);

// Downloads SiteUrl + "html/vestra/pags/sons/" + fileName into the
// adventure folder. From here on every transfer of the run gets 5000 ms
// connect and inactivity time-outs. Only a 2xx answer is written, through a
// temporary file, so a failure leaves no file. Returns the failure text, or
// nothing on success.
std::optional<QString> FetchLibrarySound(Http &http, const Session &session, const QString &fileName);

inline const QString kNoAdventure = QStringLiteral("Não tem aventura em edição!!!");
inline const QString kNoLocalFile = QStringLiteral("Escolha um arquivo local!!!");

} // namespace nimbra
