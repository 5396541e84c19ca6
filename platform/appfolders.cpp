#include "appfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#ifndef NIMBRA_BUILD_TREE
#error "the build tree's folder is compiled in"
#endif

namespace nimbra {

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString authorFolder(FolderKind kind)
{
    const auto location =
        kind == FolderKind::Settings ? QStandardPaths::GenericConfigLocation : QStandardPaths::GenericDataLocation;
    return withSlash(QStandardPaths::writableLocation(location)) + QStringLiteral("nimbra/");
}

} // namespace

bool isInstalledRunFrom(const QString &programDir, const QString &buildTree)
{
    const QString program = withSlash(QDir::cleanPath(programDir));
    return !program.startsWith(withSlash(QDir::cleanPath(buildTree)));
}

bool isInstalledRun()
{
    return isInstalledRunFrom(QCoreApplication::applicationDirPath(), QStringLiteral(NIMBRA_BUILD_TREE));
}

QString folderFor(FolderKind kind, bool installed, const QString &ownFolder)
{
    const QString folder = installed ? authorFolder(kind) : withSlash(ownFolder);
    QDir().mkpath(folder);
    return folder;
}

QString adventuresFolder()
{
    return folderFor(FolderKind::Adventures, isInstalledRun(), QCoreApplication::applicationDirPath());
}

QString settingsFolder(const QString &appDir)
{
    return folderFor(FolderKind::Settings, isInstalledRun(), appDir);
}

} // namespace nimbra
