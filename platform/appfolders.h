#pragma once

// Where the client keeps its settings file and the adventures' folders.
// Run from the build tree, the program's own folder holds both. Run from
// anywhere else (installed under /usr, where that folder is shared and
// read-only), the author's folders do: "nimbra.ini" in the XDG config folder
// (~/.config/nimbra/), the adventures in the XDG data folder
// (~/.local/share/nimbra/).
#include <QString>

namespace nimbra {

enum class FolderKind { Settings, Adventures };

// Whether a program in programDir runs from outside the build tree buildTree.
bool isInstalledRunFrom(const QString &programDir, const QString &buildTree);
// Whether this program runs from its installed place.
bool isInstalledRun();

// The folder of this kind, with a trailing "/", created when missing: the
// run's own folder from the build tree, else the author's XDG folder.
QString folderFor(FolderKind kind, bool installed, const QString &ownFolder);

// AppDir: the folder the adventures' folders go in.
QString adventuresFolder();
// The folder of "nimbra.ini" for a run whose AppDir is appDir.
QString settingsFolder(const QString &appDir);

} // namespace nimbra
