#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace nimbra {

struct Workspace;

// What a backup or a restore tells while it runs: each step as it ends
// (one line, "Ok" or the refusal) and the pages fetched so far.
struct BackupListener {
    std::function<void(const QString &line, bool ok)> step;
    std::function<void(int done, int total)> progress;
};

struct BackupOutcome {
    QStringList Lines; // one a step, in order
    int Succeeded = 0;
    int Failed = 0;
    QString Summary;
};

// Writes the open adventure into folder: every page of pageNames as the
// service gives it, the copies of the service's files that the adventure's
// folder holds, the objects, title, start page and look, and the manifest
// last. Every file is written whole or not at all; a step that fails is
// reported and the others go on.
BackupOutcome writeBackup(Workspace &work, const QStringList &pageNames, const QString &folder,
                          const BackupListener &listener = {});

// Puts a backup folder into the open adventure, whose pages are
// existingPages: missing pages are created, every page stored and read back
// to compare, the copies uploaded, objects created and placed, title, start
// page and look set. Pages of the same name are overwritten.
BackupOutcome restoreBackup(Workspace &work, const QStringList &existingPages, const QString &folder,
                            const BackupListener &listener = {});

inline const QString kBackupDone = QStringLiteral("Cópia feita: %1 passos Ok, %2 com problema.");
inline const QString kRestoreDone = QStringLiteral("Cópia restaurada: %1 passos Ok, %2 com problema.");
inline const QString kNoLocalCopy = QStringLiteral("sem cópia local; envie o arquivo de novo!!!");
inline const QString kReadBackDiffers = QStringLiteral("o texto lido de volta é diferente do gravado!!!");

} // namespace nimbra
